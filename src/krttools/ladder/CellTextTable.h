#pragma once

#include <QString>
#include <vector>

// The texts a virtual list shows: one per cell and one per column header. The list control
// itself holds only a row count; painting reads every text from here. Cells outside the table
// read as empty, so a stale row or column index never shows garbage.
class CellTextTable {
public:
    explicit CellTextTable(int columns = 0) { SetColumnCount(columns); }

    // Keeps the texts of the columns that remain.
    void SetColumnCount(int columns);
    int ColumnCount() const { return m_columns; }
    // Rows grow as texts are set beyond the end; this sets the size outright (new rows empty).
    void SetRowCount(int rows);
    int RowCount() const { return m_rows; }

    const QString& Text(int row, int column) const;
    // False (and nothing stored) for a negative row, a row beyond kMaxRows or an unknown column.
    bool SetText(int row, int column, const QString& text);
    bool SetText(int row, int column, QString&& text);
    void ClearText(int row, int column);
    // Empties every cell and drops the rows; header texts stay.
    void ClearAll();

    const QString& HeaderText(int column) const;
    void SetHeaderText(int column, const QString& text);

    static constexpr int kMaxRows = 1'000'000;

private:
    // The cell to write, growing the rows to reach it; null where SetText refuses.
    QString* Writable(int row, int column);
    bool IsCell(int row, int column) const {
        return row >= 0 && row < m_rows && column >= 0 && column < m_columns;
    }

    int m_columns = 0;
    int m_rows = 0;
    std::vector<QString> m_cells;  // row-major, m_columns per row
    std::vector<QString> m_headers;
};
