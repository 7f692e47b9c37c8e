#include "ladder/WorkingOrderGroups.h"

int WorkingOrderGroups::Add(const LadderOrder& order, int row) {
    if (order.id.isEmpty() || order.volume <= 0 || (order.side != 0 && order.side != 1) || row < 0 ||
        Contains(order.id)) {
        return -1;
    }
    m_ids.insert(order.id);
    (order.side == 0 ? m_buyTotal : m_sellTotal) += order.volume;
    int index = Find(row, order.side);
    if (index < 0) {
        OrderGroup group;
        group.row = row;
        group.side = order.side;
        group.price = order.price;
        group.firstId = order.id;
        m_groups.push_back(std::move(group));
        index = Count() - 1;
    }
    OrderGroup& group = m_groups[index];
    group.volume += order.volume;
    group.ids.insert(order.id);
    return index;
}

bool WorkingOrderGroups::RemoveAt(int index) {
    if (index < 0 || index >= Count()) {
        return false;
    }
    const OrderGroup& group = m_groups[index];
    (group.side == 0 ? m_buyTotal : m_sellTotal) -= group.volume;
    for (const QString& id : group.ids) {
        m_ids.remove(id);
    }
    m_groups.erase(m_groups.begin() + index);
    return true;
}

void WorkingOrderGroups::Clear() {
    m_groups.clear();
    m_ids.clear();
    m_buyTotal = 0;
    m_sellTotal = 0;
}

int WorkingOrderGroups::Find(int row, int side) const {
    for (int i = 0; i < Count(); ++i) {
        if (m_groups[i].row == row && m_groups[i].side == side) {
            return i;
        }
    }
    return -1;
}

const OrderGroup* WorkingOrderGroups::At(int index) const {
    return index >= 0 && index < Count() ? &m_groups[index] : nullptr;
}
