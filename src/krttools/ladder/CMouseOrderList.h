#pragma once

#include <json/value.h>

#include <QCursor>
#include <QFont>
#include <functional>
#include <vector>

#include "ladder/CKoraListEx.h"
#include "ladder/LadderGestures.h"
#include "ladder/LadderModel.h"

class CListEdit;

// The price ladder: one row per tick, where the user places orders by clicking the volume
// columns, moves working orders by dragging their cells, and cancels them by their icon, a
// double click or a drag off the ladder. It shows what the owner pushes into it (prices, last
// price, best quote, working orders, positions) and turns gestures into three requests that a
// concrete ladder delivers to its owner.
//
// The owner inserts the columns, sets their roles and the cursors, calls Build whenever the
// contract changes, and then pushes updates as they arrive; each repaints only the rows it
// changed.
class CMouseOrderList : public CKoraListEx {
    Q_OBJECT
public:
    explicit CMouseOrderList(QWidget* parent = nullptr);
    ~CMouseOrderList() override;

    // Set-up
    void SetColumnRoles(const LadderColumns& columns) { m_model.SetColumns(columns); }
    const LadderColumns& ColumnRoles() const { return m_model.Columns(); }
    void SetCursors(const QCursor& move, const QCursor& cancel);
    // Takes the ladder's fonts from the theme again.
    void ReloadThemeFonts();

    // What the owner pushes
    // Answers the row count, or -1 (an empty ladder) for a contract that cannot be laid out.
    int Build(const QString& contractCode, int decimals, double lower, double reference, double tick,
              double upper);
    virtual void SetLastPrice(double price);
    virtual void SetBestQuote(const LadderBestQuote& quote);
    virtual void ClearBestQuote();
    virtual bool AddWorkingOrder(const LadderOrder& order);
    virtual void RemoveOrderGroup(int index);
    void ClearWorkingOrders();
    void SetPositions(std::vector<Json::Value> positions);
    // Scrolls so the last price sits mid-page, unless it already lies five rows inside the page.
    virtual void CentreOnLastPrice();

    const LadderModel& Model() const { return m_model; }
    CListEdit* Editor() const { return m_editor; }
    // Rows repainted since construction, for watching the cost of updates.
    long long RowsInvalidated() const { return m_rowsInvalidated; }
    // Runs after every paint of the rows, for measuring how soon an update reaches the screen.
    void SetPaintObserver(std::function<void()> observer) { m_paintObserver = std::move(observer); }

    // Requests, carried out by a concrete ladder.
    // Places an order from the volume column `column` at `row` (mode 0), or at the top
    // (mode 1) or bottom (mode -1) price.
    virtual void PlaceOrder(int row, int column, int mode) = 0;
    virtual void CancelOrder(const QString& orderId) = 0;
    virtual void MoveOrder(const QString& orderId, const QString& priceText) = 0;

    // Where a point (in this widget's coordinates) lies, for the gestures.
    LadderHit HitAt(const QPoint& pos) const;
    // The cancel icon inside an order cell: at its left edge on the buy side, right on the sell.
    static QRect CancelIconRect(const QRect& cell, int side);
    // The header icon of an order column, in header coordinates; empty while the side has no
    // working volume.
    QRect HeaderIconRect(int column) const;

protected:
    // Drawing
    void DrawItem(QPainter& painter, int row, const QRect& rowRect) override;
    void DrawSelectedRowBackground(QPainter& painter, int row, int column, const QRect& cell) override;
    void DrawUnselectedRowBackground(QPainter& painter, int row, int column, const QRect& cell) override;
    uint32_t CellTextColour(int row, int column) const override;
    // The price cell: the price, the best-quote rows in the bold font, the day's high and low.
    virtual void DrawPriceCell(QPainter& painter, const QRect& cell, const QString& text, int row);
    // Where the "高"/"低" mark of a row goes: the rightmost 18 pixels of the price cell.
    virtual QRect MarkRect(const QRect& cell, int row) const;
    // Called after Build has reset the model, for what a concrete ladder adds to it.
    virtual void OnLadderReset() {}
    // The trigger mode asked of the configuration each time a click could place an order.
    virtual int TriggerMode() const;

    const QFont& BoldFont() const { return m_boldFont; }
    const QFont& SideFont() const { return m_sideFont; }
    const QFont& NormalFont() const { return m_normalFont; }

    // Repaints what changed.
    void Repaint(const LadderChanges& changes);
    // For a concrete ladder that updates the model together with what it adds: it repaints
    // the sum of both changes once.
    LadderModel& MutableModel() { return m_model; }

    void paintEvent(QPaintEvent* event) override;

    // Mouse on the rows (viewport coordinates)
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void OnHeaderReport(Win::UINT message, int column, int lowerLineFlag) override;

private:
    void InstallHooks();
    void DrawVolumeCell(QPainter& painter, const QRect& cell, const QString& text, int row, int side);
    void DrawOrderCell(QPainter& painter, const QRect& cell, const QString& text, int side);
    void DrawRatioBar(QPainter& painter, const QRect& cell);
    void DrawOrderHeader(QPainter& painter, const QRect& cell, const QString& text, int column);
    void DrawHoverFrame(QPainter& painter, int row);

    LadderHit HitAtViewport(const QPoint& pos) const;
    LadderHit HitAtHeaderPointer() const;
    void Perform(const std::vector<LadderAction>& actions);
    void CancelGroup(int row, int side);
    void MoveGroupTo(int row, int side, int targetRow);
    void OpenEditor(int row, int column);
    void ShowCursor(QWidget* widget, LadderCursor cursor);
    void ApplyChanges() { Repaint(m_model.TakeChanges()); }

    LadderModel m_model;
    LadderGestures m_gestures;
    QFont m_boldFont;
    QFont m_sideFont;
    QFont m_normalFont;
    QCursor m_moveCursor;
    QCursor m_cancelCursor;
    CListEdit* m_editor = nullptr;
    long long m_rowsInvalidated = 0;
    std::function<void()> m_paintObserver;
};
