#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <array>
#include <functional>
#include <vector>

#include "FastMouseLadderModel.h"
#include "platform/WinMessage.h"

// The stock price ladder of the control library: one row per tick between the day's limits,
// five levels of depth, and the account's working orders on their rows, in five columns:
//
//   buy orders | buy (bids) | price | sell (asks) | sell orders
//
// It draws itself and reports the trader's gestures to its parent window (a Win::MessageWindow)
// as kRequestMessage, posted: WPARAM the request, LPARAM a Win::Payload<Json::Value> that the
// message owns. The payload's "112" names the side, "0" buy or "1" sell; prices are the rows'
// texts, printed with the contract's decimals.
//
//   kCancelAtPrice  double click on an order cell        {"Price", "112"}
//   kCancelSide     double click on a side's header      {"112"}
//   kMoveOrders     drag of an order cell to another row {"PriceOld", "PriceNow", "112"}
//   kPlaceOrder     click on the buy or sell column      {"PriceNow", "112"}
//
// A click places on release over the cell it was pressed on; the second click of a double click
// places nothing more. What a request does is the owner's to decide: the ladder knows nothing of
// accounts, margin or order types.
//
// Keeping the last price centred never moves the rows under a pointer that is on them: the
// ladder waits until the pointer leaves, so a click always lands on the price it was aimed at.
class CFastMouseOrderList2 : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr Win::UINT kRequestMessage = Win::WM_USER + 4;
    enum Request : Win::WPARAM { kCancelAtPrice = 1, kCancelSide = 2, kMoveOrders = 3, kPlaceOrder = 4 };
    enum Column { kBuyOrderColumn = 0, kBuyColumn, kPriceColumn, kSellColumn, kSellOrderColumn };
    static constexpr int kColumnCount = 5;
    static constexpr int kRowHeight = 20;
    static constexpr int kHeaderHeight = 24;

    explicit CFastMouseOrderList2(QWidget* parent = nullptr);
    ~CFastMouseOrderList2() override;

    // Lays out the five columns with their standard titles; called once after creation.
    void SetColumn();
    void ModifyColumn(int column, const QString& title);
    QString ColumnTitle(int column) const;
    // Whether each new last price is brought to the middle of the page.
    void SetNowPriceHCentreParam(bool keepCentred);
    // Brings the last price (before any trade, the reference price) to the middle now.
    void SetNewPriceHCentre();
    // Sweep mode: hovering a side's column shades the opposite levels an order there would take.
    void SetSweepOrderTypeParam(bool sweep);
    bool IsSweepMode() const { return m_sweep; }
    // The volumes a click would place on each side, shown as a faint order beside the pointer.
    void SetOrderVolParam(int reserved, int64_t buyVolume, int64_t sellVolume);

    // What the owner pushes. False (and an empty ladder) for a range that cannot be laid out.
    bool SetPriceRange(double lower, double upper, double tick, int decimals, double reference);
    void SetLastPrice(double price);
    void SetDepth(const FastMouseLadderModel::Depth& depth);
    void SetOrders(const std::vector<FastMouseLadderModel::Order>& orders);
    const FastMouseLadderModel& Model() const { return m_model; }

    // Geometry in viewport coordinates; an empty rectangle for a row off the page.
    int TopRow() const;
    int RowsPerPage() const;
    QRect CellRect(int row, int column) const;
    QWidget& HeaderWidget() const;
    // A column's rectangle in the header's coordinates.
    QRect HeaderCellRect(int column) const;
    // Runs after every paint of the rows, for measuring how soon an update reaches the screen.
    void SetPaintObserver(std::function<void()> observer) { m_paintObserver = std::move(observer); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    class Header;
    friend class Header;

    struct Cell {
        int row = -1;
        int column = -1;
        bool operator==(const Cell&) const = default;
    };
    struct Press {
        Cell cell;
        QPoint pos;
        bool dragging = false;
        int dropRow = -1;
    };

    Cell CellAt(const QPoint& pos) const;
    int ColumnAt(int x) const;
    int ColumnLeft(int column) const;
    int RowAtY(int y) const;
    static int SideOfColumn(int column);
    static int OrderColumnOf(int side);

    void PaintRow(QPainter& painter, int row);
    void PaintPriceCell(QPainter& painter, int row, const QRect& cell);
    void PaintDepthCell(QPainter& painter, int row, int side, const QRect& cell);
    void PaintOrderCell(QPainter& painter, int row, int side, const QRect& cell);
    void PaintGhostOrder(QPainter& painter, const QRect& cell, int side, int64_t volume);
    bool IsInSweepBand(int row) const;
    void PaintHeader(QPainter& painter, const QRect& area);
    void OnHeaderDoubleClick(const QPoint& pos);

    void Post(Request request, const char* priceKey, int row, int side, const char* secondKey = nullptr,
              int secondRow = -1);
    void Repaint(const std::vector<int>& rows);
    void SetHover(const Cell& cell);
    void CentreOn(int row);
    void UpdateScrollRange();

    FastMouseLadderModel m_model;
    Header* m_header = nullptr;
    std::vector<QString> m_titles;
    std::array<int64_t, 2> m_clickVolumes{};
    bool m_keepCentred = false;
    bool m_centrePending = false;
    bool m_sweep = false;
    Cell m_hover;
    Press m_press;
    QFont m_boldFont;
    QFont m_smallFont;
    std::function<void()> m_paintObserver;
};
