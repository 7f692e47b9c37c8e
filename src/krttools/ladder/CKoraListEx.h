#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <functional>
#include <vector>

#include "ladder/CSkinHeaderCtrl.h"
#include "ladder/CellTextTable.h"
#include "platform/WinMessage.h"

// An owner-drawn virtual list: it holds only a row count, and every text comes from its own
// table of cells and header texts. Rows are drawn column by column; a column may hand its
// cells (and its header's lower line) to a drawing hook. Only rows that are visible and made
// stale are repainted, so lists of tens of thousands of rows stay cheap under heavy updates.
// Rows scroll one at a time, like a report-mode list.
class CKoraListEx : public QAbstractScrollArea, public Win::MessageWindow {
    Q_OBJECT
public:
    // Text format flags as the list's owners write them (added to single line, vertically
    // centred).
    enum TextFormat { kFormatLeft = 0, kFormatCenter = 1, kFormatRight = 2 };

    using CellHook = std::function<void(QPainter&, const QRect& cell, const QString& text, int format,
                                        CKoraListEx&, int row)>;
    using HeaderHook = std::function<void(QPainter&, const QRect& cell, const QString& text, int format,
                                          CKoraListEx&, int column)>;

    explicit CKoraListEx(QWidget* parent = nullptr);
    ~CKoraListEx() override;

    // Columns
    int InsertColumn(int index, const QString& title, int width);
    int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);
    QString ColumnTitle(int column) const;
    int TotalColumnWidth() const;
    // Left edge of a column in content coordinates (before horizontal scrolling).
    int ColumnLeft(int column) const;
    int ColumnAtContentX(int x) const;

    // Rows
    void SetItemCount(int rows);
    int GetItemCount() const { return m_itemCount; }
    int TopIndex() const;
    // Rows that fit the page entirely.
    int CountPerPage() const;
    int SelectedRow() const { return m_selectedRow; }
    // Viewport geometry; an empty rectangle for an unknown row or column.
    QRect RowRect(int row) const;
    QRect CellRect(int row, int column) const;
    int RowAtY(int y) const;     // -1 below the last row
    int ColumnAtX(int x) const;  // -1 beyond the last column

    // Appearance
    void SetRowHeight(int height);
    int RowHeight() const { return m_rowHeight; }
    void SetGridColour(uint32_t colorRef);
    void SetRowColours(uint32_t selected, uint32_t unselected);
    void SetTextFormat(int format) { m_textFormat = format; }
    int TextFormatFlags() const { return m_textFormat; }
    void SetHeaderStyle(const HeaderStyle& style);
    void SetListFont(const QFont& font);
    const QFont& ListFont() const { return m_listFont; }
    void SetCellHook(int column, CellHook hook);
    void SetHeaderHook(int column, HeaderHook hook);
    CSkinHeaderCtrl& Header() { return *m_header; }
    const CSkinHeaderCtrl& Header() const { return *m_header; }

    // Texts
    CellTextTable& Texts() { return m_texts; }
    const CellTextTable& Texts() const { return m_texts; }
    virtual QString GetCellText(int row, int column) const { return m_texts.Text(row, column); }
    virtual void SetCellText(int row, int column, const QString& text);
    virtual void ClearCell(int row, int column);
    virtual void ClearAllCells();
    virtual int RowCount() const { return m_texts.RowCount(); }
    void SetHeaderText(int column, const QString& text);

    // Scrolls the row to the top of the page and selects it.
    virtual void ScrollRowToTop(int row);

    // Repaints one row (when visible), or the header.
    void InvalidateRow(int row);
    void InvalidateHeader();

    // The header's lower line of one column: its hook, or else its header text centred.
    virtual void DrawHeaderLowerCell(QPainter& painter, int column, const QRect& cell);

    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override;

protected:
    // Draws one whole row: backgrounds, hook-less texts, grid lines, then the cell hooks.
    virtual void DrawItem(QPainter& painter, int row, const QRect& rowRect);
    virtual void DrawSelectedRowBackground(QPainter& painter, int row, int column, const QRect& cell);
    // The selected row draws as selected while the list has the focus, otherwise unselected.
    virtual void DrawRowBackground(QPainter& painter, int row, int column, const QRect& cell);
    virtual void DrawVerticalGridLine(QPainter& painter, const QRect& cell);
    virtual void DrawUnselectedRowBackground(QPainter& painter, int row, int column, const QRect& cell);
    // Hook over a cell's background, after it is filled; nothing by default.
    virtual void DrawCellBackground(QPainter& painter, int row, int column, const QRect& cell) {}
    // COLORREF of a cell's text; 0 keeps the default (black).
    virtual uint32_t CellTextColour(int row, int column) const { return 0; }

    // The header's mouse reports (QuickMouseMsg::kHeader*).
    virtual void OnHeaderReport(Win::UINT message, int column, int lowerLineFlag) {}

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct Column {
        QString title;
        int width = 0;
    };

    void UpdateScrollBars();
    void PlaceHeader();

    std::vector<Column> m_columns;
    CellTextTable m_texts;
    std::vector<CellHook> m_cellHooks;
    std::vector<HeaderHook> m_headerHooks;
    CSkinHeaderCtrl* m_header = nullptr;
    int m_itemCount = 0;
    int m_selectedRow = -1;
    int m_rowHeight = 25;
    int m_textFormat = kFormatLeft;
    QColor m_gridColour;
    QColor m_selectedColour;
    QColor m_unselectedColour;
    QFont m_listFont;
};
