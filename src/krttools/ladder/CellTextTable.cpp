#include "ladder/CellTextTable.h"

#include <algorithm>
#include <utility>

namespace {
const QString kEmpty;
}

void CellTextTable::SetColumnCount(int columns) {
    columns = std::max(columns, 0);
    if (columns == m_columns) {
        return;
    }
    std::vector<QString> cells(static_cast<size_t>(m_rows) * columns);
    const int kept = std::min(columns, m_columns);
    for (int row = 0; row < m_rows; ++row) {
        for (int column = 0; column < kept; ++column) {
            cells[static_cast<size_t>(row) * columns + column] =
                std::move(m_cells[static_cast<size_t>(row) * m_columns + column]);
        }
    }
    m_cells = std::move(cells);
    m_columns = columns;
    m_headers.resize(columns);
}

void CellTextTable::SetRowCount(int rows) {
    m_rows = std::clamp(rows, 0, kMaxRows);
    m_cells.resize(static_cast<size_t>(m_rows) * m_columns);
}

const QString& CellTextTable::Text(int row, int column) const {
    return IsCell(row, column) ? m_cells[static_cast<size_t>(row) * m_columns + column] : kEmpty;
}

QString* CellTextTable::Writable(int row, int column) {
    if (row < 0 || row >= kMaxRows || column < 0 || column >= m_columns) {
        return nullptr;
    }
    if (row >= m_rows) {
        SetRowCount(row + 1);
    }
    return &m_cells[static_cast<size_t>(row) * m_columns + column];
}

bool CellTextTable::SetText(int row, int column, const QString& text) {
    QString* cell = Writable(row, column);
    if (cell) {
        *cell = text;
    }
    return cell != nullptr;
}

bool CellTextTable::SetText(int row, int column, QString&& text) {
    QString* cell = Writable(row, column);
    if (cell) {
        *cell = std::move(text);
    }
    return cell != nullptr;
}

void CellTextTable::ClearText(int row, int column) {
    if (IsCell(row, column)) {
        m_cells[static_cast<size_t>(row) * m_columns + column].clear();
    }
}

void CellTextTable::ClearAll() {
    m_cells.clear();
    m_rows = 0;
}

const QString& CellTextTable::HeaderText(int column) const {
    return column >= 0 && column < m_columns ? m_headers[column] : kEmpty;
}

void CellTextTable::SetHeaderText(int column, const QString& text) {
    if (column >= 0 && column < m_columns) {
        m_headers[column] = text;
    }
}
