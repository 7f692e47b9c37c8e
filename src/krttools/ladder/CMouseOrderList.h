#pragma once

#include <json/value.h>

#include <QCursor>
#include <QElapsedTimer>
#include <QFont>
#include <QTimer>
#include <functional>
#include <vector>

#include "ladder/CKoraListEx.h"
#include "ladder/LadderGestures.h"
#include "ladder/LadderModel.h"
#include "ladder/PointerRest.h"

class CListEdit;

// The price ladder: rows of prices (one tick a row unless a layout says otherwise), where the
// user places orders by clicking the volume columns, moves working orders by dragging their
// cells, and cancels them by their icon, a double click or a drag off the ladder. It shows what
// the owner pushes into it (prices, last price, best quote, working orders, positions) and turns
// gestures into three requests that a concrete ladder delivers to its owner.
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
    // Lays the rows out again in another layout, kept for later builds (LadderModel::SetLayout).
    // What was pushed is reset: the owner pushes the quote, working orders and positions again.
    int SetRowLayout(const LadderLayout& layout);
    virtual void SetLastPrice(double price);
    virtual void SetBestQuote(const LadderBestQuote& quote);
    virtual void ClearBestQuote();
    virtual bool AddWorkingOrder(const LadderOrder& order);
    virtual void RemoveOrderGroup(int index);
    void ClearWorkingOrders();
    void SetPositions(std::vector<Json::Value> positions);
    // Scrolls so the last price sits mid-page, unless it already lies five rows inside the page.
    virtual void CentreOnLastPrice();

    // How far centring goes: KeepInPage is CentreOnLastPrice; MidPage always puts the last price
    // (the reference price before any trade) mid-page, and when the ladder has no page yet it
    // does so as soon as the ladder is shown. The row put mid-page stays there through resizes
    // until the user scrolls the ladder (unless the pointer is busy over it: rows then keep
    // their places under it).
    enum class Centring { KeepInPage, MidPage };
    void Centre(Centring how);
    // Centring that the user did not ask for at that moment (a quote, a resize) waits while the
    // pointer is busy over the ladder or dragging an order: it happens once the pointer leaves
    // the ladder or has rested for two seconds, so a row never moves under a click.
    void CentreWhenIdle(Centring how);

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
    bool eventFilter(QObject* watched, QEvent* event) override;
    void leaveEvent(QEvent* event) override;
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
    // After the model laid out new rows: the view starts afresh on them.
    void ShowNewRows(int rows);
    void NotePointer() { m_pointer.Moved(m_clock.elapsed()); }
    void PutMidPage(int row);
    // How long automatic centring must still wait for the pointer; 0 when it may go now.
    int CentringWaitMs() const;
    void CentreIfReleased();

    LadderModel m_model;
    LadderGestures m_gestures;
    QFont m_boldFont;
    QFont m_sideFont;
    QFont m_normalFont;
    QCursor m_moveCursor;
    QCursor m_cancelCursor;
    CListEdit* m_editor = nullptr;
    QElapsedTimer m_clock;
    PointerRest m_pointer;
    QTimer m_centringTimer;
    bool m_centringHeld = false;
    Centring m_heldCentring = Centring::KeepInPage;
    bool m_midPagePending = false;
    // The row last put mid-page, while the user has not scrolled since; -1 otherwise.
    int m_midPageRow = -1;
    long long m_rowsInvalidated = 0;
    std::function<void()> m_paintObserver;
};
