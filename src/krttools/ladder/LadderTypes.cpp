#include "ladder/LadderTypes.h"

#include <algorithm>

int LadderColumns::OrderSide(int column) const {
    if (column == buyOrders) {
        return 0;
    }
    return column == sellOrders ? 1 : -1;
}

int LadderColumns::VolumeSide(int column) const {
    if (column == buyVolume) {
        return 0;
    }
    return column == sellVolume ? 1 : -1;
}

int LadderColumns::SideOf(int column) const {
    if (column < 0) {
        return -1;
    }
    if (column == buyOrders || column == buyVolume || column == firstExtra) {
        return 0;
    }
    if (column == sellOrders || column == sellVolume || column == secondExtra) {
        return 1;
    }
    return -1;
}

bool LadderColumns::IsDropTarget(int side, int column) const {
    if (column < 0) {
        return false;
    }
    if (column == price) {
        return true;
    }
    if (side == 0) {
        return column == buyOrders || column == buyVolume || column == firstExtra;
    }
    return column == sellOrders || column == sellVolume || column == secondExtra;
}

void LadderChanges::AddRow(int row) {
    if (row >= 0) {
        m_rows.push_back(row);
    }
}

void LadderChanges::Merge(const LadderChanges& other) {
    m_rows.insert(m_rows.end(), other.m_rows.begin(), other.m_rows.end());
    m_header = m_header || other.m_header;
    m_all = m_all || other.m_all;
}

std::vector<int> LadderChanges::Rows() const {
    std::vector<int> rows = m_rows;
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void LadderChanges::Clear() {
    m_rows.clear();
    m_header = false;
    m_all = false;
}
