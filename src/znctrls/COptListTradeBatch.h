#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QFontMetrics>
#include <QStringList>
#include <vector>

class QMenu;

// The T-shaped option board: calls left of a strike column, puts right of it, one row per
// strike. The owner fills the cells (text and colours) and reads back which cells the trader
// ticked; the control knows nothing of options or orders.
//
// Header: an upper row of group titles (over the call columns, the strike column and the put
// columns) and a row of column titles; the strike column's title names the month shown
// ("2403 ▼") and opens the month choice, which is reported by its index in SetMonths' list.
//
// Every cell but the strike column's can be ticked, by a click or by Space/Enter on the
// current cell (arrows, Page Up/Down, Home/End move it). Ticks are kept in the order they were
// made; a cell ticked again is unticked. A ticked cell the owner marks (SetMarked) is drawn with
// a warning sign instead of the tick, for a leg the owner could not take into account. A cell
// whose text is empty shows the placeholder.
//
// Columns keep at least their widths; a wider board shares the extra width out evenly.
class COptListTradeBatch : public QAbstractScrollArea {
    Q_OBJECT
public:
    struct CellRef {
        int row = -1;
        int column = -1;
        bool IsValid() const { return row >= 0 && column >= 0; }
        bool operator==(const CellRef&) const = default;
    };
    struct Cell {
        QString text;
        QColor background;
        QColor foreground;
    };
    struct Column {
        QString title;
        int width = 76;
    };
    // Colours of the header: the month title of the strike column, the call and put columns
    // (1 calls, 2 puts), the group title over the strike column and the strike column's title.
    struct HeaderColors {
        QColor monthText, monthBackground;
        QColor callBackground, putBackground, callText, putText;
        QColor middleBackground, middleText;
        QColor strikeBackground, strikeText;
    };

    explicit COptListTradeBatch(QWidget* parent = nullptr);
    ~COptListTradeBatch() override;

    // ---- Shape and look.
    // Columns left to right; `strikeColumn` is the middle one. Drops rows, ticks and marks.
    void SetColumns(const std::vector<Column>& columns, int strikeColumn);
    int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    int StrikeColumn() const { return m_strikeColumn; }
    void SetGroupTitles(const QString& calls, const QString& middle, const QString& puts);
    void SetHeaderColors(const HeaderColors& colors);
    // The board's background and the colour of its placeholder text.
    void SetBoardColors(const QColor& background, const QColor& text);
    void SetPlaceholder(const QString& placeholder);
    const QString& Placeholder() const { return m_placeholder; }
    // The colour of the tick drawn in a column's cells.
    void SetTickColor(int column, const QColor& color);

    // ---- Months.
    // The months the choice offers and the one shown, whose text the strike column's title
    // takes ("%s ▼"). Shows nothing while there is no month.
    void SetMonths(const QStringList& months, int current);
    QString StrikeTitle() const;
    // Opens the month choice under the strike column's title (as a click on it does); null when
    // there is no month to choose.
    QMenu* OpenMonthChoice();

    // ---- Rows and cells.
    // Drops every tick and mark when the number changes.
    void SetRowCount(int rows);
    int RowCount() const { return m_rowCount; }
    // Changes what a cell shows; repaints only when that differs from what it showed. True when
    // the change is in view, and so will be painted.
    bool SetCell(CellRef cell, const Cell& content);
    const Cell& CellAt(CellRef cell) const;

    // ---- Ticks.
    bool IsTickable(CellRef cell) const;
    bool IsTicked(CellRef cell) const;
    // In the order the trader ticked them.
    const std::vector<CellRef>& Ticks() const { return m_ticks; }
    // Ticks or unticks a cell, as a click does; emits ticksChanged.
    void ToggleTick(CellRef cell);
    // Unticks everything without telling (the owner who clears knows).
    void ClearTicks();
    void SetMarked(CellRef cell, bool marked);
    bool IsMarked(CellRef cell) const;
    // The tooltip of a marked cell: why it was not taken into account.
    void SetMarkedHint(const QString& hint);

    // ---- Where things are.
    int RowHeight() const { return m_rowHeight; }
    // Scrolls so that the row stands in the middle of the view (as far as the board allows),
    // with a whole row at the top.
    void CentreRow(int row);
    // The cell's rectangle in the viewport; empty for a cell that does not exist.
    QRect CellRect(CellRef cell) const;
    // The cell under a viewport point; invalid when none.
    CellRef CellUnder(const QPoint& point) const;
    // The rectangle of the strike column's title in the header widget.
    QRect StrikeTitleRect() const;
    QWidget* Header() const;
    // The cell the keyboard acts on.
    CellRef Current() const { return m_current; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void ticksChanged();
    void monthChosen(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    class HeaderBar;
    friend class HeaderBar;

    void FitRowsToFont();
    int TotalWidth() const;
    // The columns' left edges and widths as drawn (extra width shared out), before scrolling.
    void LayOutColumns();
    int ColumnLeft(int column) const;
    void UpdateScrollBars();
    void PaintHeader(QPainter& painter, const QRect& area);
    void PaintCell(QPainter& painter, CellRef cell, const QRect& rect);
    void MoveCurrent(int rows, int columns);
    void SetCurrent(CellRef cell);
    int TickIndex(CellRef cell) const;
    size_t Index(CellRef cell) const;

    std::vector<Column> m_columns;
    std::vector<int> m_left;
    std::vector<int> m_width;
    std::vector<QColor> m_tickColors;
    int m_strikeColumn = -1;
    int m_rowCount = 0;
    // The cells' fonts and metrics, kept as the control's font changes.
    QFont m_strikeFont;
    QFont m_markFont;
    QFontMetrics m_cellMetrics{QFont()};
    QFontMetrics m_strikeMetrics{QFont()};
    int m_rowHeight = 26;
    int m_headerRowHeight = 24;
    std::vector<Cell> m_cells;
    std::vector<bool> m_marked;
    std::vector<CellRef> m_ticks;
    CellRef m_current;
    QString m_callTitle, m_middleTitle, m_putTitle;
    HeaderColors m_headerColors;
    QColor m_background = Qt::white;
    QColor m_placeholderColor = Qt::gray;
    QString m_placeholder = QStringLiteral("--");
    QString m_markedHint;
    QStringList m_months;
    int m_month = -1;
    HeaderBar* m_header = nullptr;
    QMenu* m_monthMenu = nullptr;
};
