#include "CFastMouseOrderList2.h"

#include <json/value.h>

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>

#include "platform/ColorRef.h"

using Win::FromColorRef;
using Side = FastMouseLadderModel::Side;

namespace {

// Column widths as laid out; a wider ladder shares the extra room in the same proportions.
constexpr std::array<int, CFastMouseOrderList2::kColumnCount> kBaseWidths{58, 62, 84, 62, 58};
const char* const kStandardTitles[] = {"挂单", "普买", "价格", "普卖", "挂单"};

// The terminal's ladder colours (COLORREF).
constexpr uint32_t kGrid = 0xC0C0C0;
constexpr uint32_t kPlainBackground = 0xFFFFFF;
constexpr uint32_t kLastPriceBackground = 0xD8FCFF;
constexpr uint32_t kBuyBackground = 0xD8D8FF;
constexpr uint32_t kSellBackground = 0xCCEBCC;
constexpr uint32_t kBidFill = 0xE0E0FD;
constexpr uint32_t kAskFill = 0xD9FAD9;
constexpr uint32_t kAboveReferenceText = 0x0707EF;
constexpr uint32_t kBelowReferenceText = 0x058F08;
constexpr uint32_t kOrderFrame = 0x626262;
constexpr uint32_t kGhostFrame = 0xA0A0A0;
constexpr uint32_t kBuyHover = 0x0001F3;
constexpr uint32_t kSellHover = 0x018F00;
constexpr uint32_t kBuySweepBand = 0xC8D2FF;
constexpr uint32_t kSellSweepBand = 0xBEE6BE;
// Header
constexpr uint32_t kHeaderTop = 0xF0F0F0;
constexpr uint32_t kHeaderBottom = 0xE0E0E0;
constexpr uint32_t kHeaderSeparator = 0xBBBBBB;
constexpr uint32_t kHeaderBorder = 0x999999;
constexpr uint32_t kHeaderText = 0x505050;

constexpr int kTagWidth = 16;
const QString kBidTags[] = {QStringLiteral("买"), QStringLiteral("二"), QStringLiteral("三"),
                            QStringLiteral("四"), QStringLiteral("五")};
const QString kAskTags[] = {QStringLiteral("卖"), QStringLiteral("二"), QStringLiteral("三"),
                            QStringLiteral("四"), QStringLiteral("五")};

const char* SideCode(int side) {
    return side == Side::kBuySide ? "0" : "1";
}

void Frame(QPainter& painter, const QRect& rect, uint32_t colour, Qt::PenStyle style = Qt::SolidLine) {
    painter.setPen(QPen(FromColorRef(colour), 1, style));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

}  // namespace

// The ladder's header: the column titles, and a double click on a side's columns.
class CFastMouseOrderList2::Header : public QWidget {
public:
    explicit Header(CFastMouseOrderList2& list) : QWidget(&list), m_list(list) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        m_list.PaintHeader(painter, rect());
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) {
            m_list.OnHeaderDoubleClick(event->position().toPoint());
        }
    }
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ToolTip) {
            const auto* help = static_cast<QHelpEvent*>(event);
            const int side = SideOfColumn(m_list.ColumnAt(help->pos().x()));
            if (side >= 0 && m_list.m_model.HasOrders(side)) {
                QToolTip::showText(help->globalPos(), side == Side::kBuySide
                                                          ? QStringLiteral("双击撤销全部买单")
                                                          : QStringLiteral("双击撤销全部卖单"));
            } else {
                QToolTip::hideText();
            }
            return true;
        }
        return QWidget::event(event);
    }

private:
    CFastMouseOrderList2& m_list;
};

CFastMouseOrderList2::CFastMouseOrderList2(QWidget* parent) : QAbstractScrollArea(parent) {
    m_header = new Header(*this);
    setViewportMargins(0, kHeaderHeight, 0, 0);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFrameShape(QFrame::Box);
    viewport()->setMouseTracking(true);
    // A click on the ladder leaves the keyboard where it was: a volume being typed is placed as
    // typed, not as its edit would make it once left.
    setFocusPolicy(Qt::NoFocus);
    verticalScrollBar()->setSingleStep(1);
    m_boldFont = font();
    m_boldFont.setBold(true);
    m_smallFont = font();
    m_smallFont.setPointSizeF(std::max(6.0, font().pointSizeF() - 1.5));
    setMinimumWidth(kBaseWidths[0] + kBaseWidths[1] + kBaseWidths[2] + kBaseWidths[3] + kBaseWidths[4] + 20);
}

CFastMouseOrderList2::~CFastMouseOrderList2() = default;

QSize CFastMouseOrderList2::sizeHint() const {
    return QSize(minimumWidth(), kHeaderHeight + 30 * kRowHeight);
}

// ---- Columns and modes --------------------------------------------------------------------------

void CFastMouseOrderList2::SetColumn() {
    m_titles.clear();
    for (const char* title : kStandardTitles) {
        m_titles.push_back(QString::fromUtf8(title));
    }
    m_header->update();
    viewport()->update();
}

void CFastMouseOrderList2::ModifyColumn(int column, const QString& title) {
    if (column >= 0 && column < static_cast<int>(m_titles.size())) {
        m_titles[column] = title;
        m_header->update();
    }
}

QString CFastMouseOrderList2::ColumnTitle(int column) const {
    return column >= 0 && column < static_cast<int>(m_titles.size()) ? m_titles[column] : QString();
}

void CFastMouseOrderList2::SetNowPriceHCentreParam(bool keepCentred) {
    m_keepCentred = keepCentred;
    if (keepCentred) {
        SetNewPriceHCentre();
    }
}

void CFastMouseOrderList2::SetNewPriceHCentre() {
    CentreOn(m_model.LastRow() >= 0 ? m_model.LastRow() : m_model.ReferenceRow());
}

void CFastMouseOrderList2::SetSweepOrderTypeParam(bool sweep) {
    m_sweep = sweep;
    viewport()->update();
}

void CFastMouseOrderList2::SetOrderVolParam(int, int64_t buyVolume, int64_t sellVolume) {
    m_clickVolumes = {buyVolume, sellVolume};
    if (m_hover.row >= 0) {
        Repaint({m_hover.row});
    }
}

// ---- Data ---------------------------------------------------------------------------------------

bool CFastMouseOrderList2::SetPriceRange(double lower, double upper, double tick, int decimals,
                                         double reference) {
    m_press = {};
    m_hover = {};
    const bool built = m_model.Build(lower, upper, tick, decimals, reference);
    UpdateScrollRange();
    SetNewPriceHCentre();
    viewport()->update();
    return built;
}

void CFastMouseOrderList2::SetLastPrice(double price) {
    std::vector<int> changed;
    m_model.SetLastPrice(price, changed);
    Repaint(changed);
    if (m_keepCentred && !changed.empty()) {
        // Rows must not slide under a pointer that is about to click.
        if (viewport()->underMouse() || m_press.cell.row >= 0) {
            m_centrePending = true;
        } else {
            SetNewPriceHCentre();
        }
    }
}

void CFastMouseOrderList2::SetDepth(const FastMouseLadderModel::Depth& depth) {
    std::vector<int> changed;
    m_model.SetDepth(depth, changed);
    // The sweep band runs to the best level: it moves with it.
    if (m_sweep && m_hover.row >= 0 && !changed.empty()) {
        viewport()->update();
        return;
    }
    Repaint(changed);
}

void CFastMouseOrderList2::SetOrders(const std::vector<FastMouseLadderModel::Order>& orders) {
    std::vector<int> changed;
    m_model.SetOrders(orders, changed);
    Repaint(changed);
    m_header->update();
}

void CFastMouseOrderList2::Repaint(const std::vector<int>& rows) {
    for (int row : rows) {
        const QRect rect = CellRect(row, kBuyOrderColumn);
        if (!rect.isEmpty()) {
            viewport()->update(QRect(0, rect.top(), viewport()->width(), kRowHeight));
        }
    }
}

// ---- Geometry -----------------------------------------------------------------------------------

int CFastMouseOrderList2::TopRow() const {
    return verticalScrollBar()->value();
}

int CFastMouseOrderList2::RowsPerPage() const {
    return std::max(1, viewport()->height() / kRowHeight);
}

int CFastMouseOrderList2::ColumnLeft(int column) const {
    int base = 0;
    int total = 0;
    for (int i = 0; i < kColumnCount; ++i) {
        base += i < column ? kBaseWidths[i] : 0;
        total += kBaseWidths[i];
    }
    const int width = std::max(total, viewport()->width());
    return column >= kColumnCount ? width : base * width / total;
}

int CFastMouseOrderList2::ColumnAt(int x) const {
    if (m_titles.empty() || x < 0) {
        return -1;
    }
    for (int column = 0; column < kColumnCount; ++column) {
        if (x < ColumnLeft(column + 1)) {
            return column;
        }
    }
    return -1;
}

int CFastMouseOrderList2::RowAtY(int y) const {
    if (y < 0) {
        return -1;
    }
    const int row = TopRow() + y / kRowHeight;
    return row < m_model.RowCount() ? row : -1;
}

QRect CFastMouseOrderList2::CellRect(int row, int column) const {
    const int top = TopRow();
    if (m_titles.empty() || row < top || row >= m_model.RowCount() || row > top + RowsPerPage() ||
        column < 0 || column >= kColumnCount) {
        return {};
    }
    const int left = ColumnLeft(column);
    return QRect(left, (row - top) * kRowHeight, ColumnLeft(column + 1) - left, kRowHeight);
}

QWidget& CFastMouseOrderList2::HeaderWidget() const {
    return *m_header;
}

QRect CFastMouseOrderList2::HeaderCellRect(int column) const {
    if (column < 0 || column >= kColumnCount) {
        return {};
    }
    const int left = ColumnLeft(column) + viewport()->x() - m_header->x();
    return QRect(left, 0, ColumnLeft(column + 1) - ColumnLeft(column), kHeaderHeight);
}

CFastMouseOrderList2::Cell CFastMouseOrderList2::CellAt(const QPoint& pos) const {
    const int row = RowAtY(pos.y());
    const int column = ColumnAt(pos.x());
    return row >= 0 && column >= 0 ? Cell{row, column} : Cell{};
}

int CFastMouseOrderList2::SideOfColumn(int column) {
    switch (column) {
        case kBuyOrderColumn:
        case kBuyColumn:
            return Side::kBuySide;
        case kSellColumn:
        case kSellOrderColumn:
            return Side::kSellSide;
        default:
            return -1;
    }
}

int CFastMouseOrderList2::OrderColumnOf(int side) {
    return side == Side::kBuySide ? kBuyOrderColumn : kSellOrderColumn;
}

void CFastMouseOrderList2::UpdateScrollRange() {
    QScrollBar* bar = verticalScrollBar();
    bar->setPageStep(RowsPerPage());
    bar->setRange(0, std::max(0, m_model.RowCount() - RowsPerPage()));
}

void CFastMouseOrderList2::CentreOn(int row) {
    m_centrePending = false;
    if (row >= 0) {
        verticalScrollBar()->setValue(std::max(0, row - RowsPerPage() / 2));
    }
}

void CFastMouseOrderList2::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    const QRect area = viewport()->geometry();
    m_header->setGeometry(area.left(), area.top() - kHeaderHeight, width() - 2 * area.left(), kHeaderHeight);
    const int centreRow = TopRow() + RowsPerPage() / 2;
    UpdateScrollRange();
    // A new page height keeps the middle row where it was, or the last price in the middle.
    CentreOn(m_keepCentred && m_model.LastRow() >= 0 ? m_model.LastRow() : centreRow);
}

void CFastMouseOrderList2::scrollContentsBy(int, int) {
    viewport()->update();
}

// ---- Drawing ------------------------------------------------------------------------------------

void CFastMouseOrderList2::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), FromColorRef(kPlainBackground));
    if (!m_titles.empty()) {
        const int first = RowAtY(event->rect().top());
        const int last = std::min(m_model.RowCount() - 1, TopRow() + event->rect().bottom() / kRowHeight);
        for (int row = std::max(first, 0); first >= 0 && row <= last; ++row) {
            PaintRow(painter, row);
        }
    }
    if (m_paintObserver) {
        m_paintObserver();
    }
}

void CFastMouseOrderList2::PaintRow(QPainter& painter, int row) {
    for (int column = 0; column < kColumnCount; ++column) {
        const QRect cell = CellRect(row, column);
        switch (column) {
            case kPriceColumn:
                PaintPriceCell(painter, row, cell);
                break;
            case kBuyColumn:
            case kSellColumn:
                PaintDepthCell(painter, row, SideOfColumn(column), cell);
                break;
            default:
                painter.fillRect(cell, FromColorRef(kPlainBackground));
                PaintOrderCell(painter, row, SideOfColumn(column), cell);
                break;
        }
        painter.setPen(FromColorRef(kGrid));
        painter.drawLine(cell.topRight(), cell.bottomRight());
        painter.drawLine(cell.bottomLeft(), cell.bottomRight());
    }
}

bool CFastMouseOrderList2::IsInSweepBand(int row) const {
    const int side = SideOfColumn(m_hover.column);
    if (!m_sweep || side < 0 || m_hover.column == OrderColumnOf(side)) {
        return false;
    }
    // A buy at the pointer takes the asks from the best one up to its price; a sell the bids.
    const int best = m_model.BestRow(side == Side::kBuySide ? Side::kSellSide : Side::kBuySide);
    if (best < 0) {
        return false;
    }
    return side == Side::kBuySide ? row >= m_hover.row && row <= best : row <= m_hover.row && row >= best;
}

void CFastMouseOrderList2::PaintPriceCell(QPainter& painter, int row, const QRect& cell) {
    uint32_t background = row == m_model.LastRow() ? kLastPriceBackground : kPlainBackground;
    if (IsInSweepBand(row)) {
        background = SideOfColumn(m_hover.column) == Side::kBuySide ? kBuySweepBand : kSellSweepBand;
    }
    painter.fillRect(cell, FromColorRef(background));

    const int reference = m_model.ReferenceRow();
    uint32_t text = 0;
    if (reference >= 0 && row != reference) {
        text = row < reference ? kAboveReferenceText : kBelowReferenceText;
    }
    const int bidLevel = m_model.LevelAt(row, Side::kBuySide);
    const int askLevel = m_model.LevelAt(row, Side::kSellSide);
    painter.setFont(bidLevel == 0 || askLevel == 0 || row == m_model.LastRow() ? m_boldFont : font());
    painter.setPen(FromColorRef(text));
    painter.drawText(cell, Qt::AlignCenter | Qt::TextSingleLine, m_model.PriceText(row));

    painter.setFont(m_smallFont);
    const auto tag = [&](int level, bool left, uint32_t colour, const QString* tags) {
        const QRect box(left ? cell.left() + 2 : cell.right() - kTagWidth - 1, cell.top() + 2, kTagWidth,
                        cell.height() - 4);
        Frame(painter, box, colour);
        painter.drawText(box, Qt::AlignCenter, tags[level]);
    };
    if (bidLevel >= 0) {
        tag(bidLevel, true, kAboveReferenceText, kBidTags);
    }
    if (askLevel >= 0) {
        tag(askLevel, false, kBelowReferenceText, kAskTags);
    } else if (row == 0 || row == m_model.RowCount() - 1) {
        // The day's limits: no price beyond them can trade.
        painter.setPen(FromColorRef(row == 0 ? kAboveReferenceText : kBelowReferenceText));
        painter.drawText(cell.adjusted(0, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter,
                         row == 0 ? QStringLiteral("涨停") : QStringLiteral("跌停"));
    }
}

void CFastMouseOrderList2::PaintDepthCell(QPainter& painter, int row, int side, const QRect& cell) {
    painter.fillRect(cell, FromColorRef(side == Side::kBuySide ? kBuyBackground : kSellBackground));
    if (const int64_t volume = m_model.DepthAt(row, side); volume > 0) {
        painter.fillRect(cell.adjusted(1, 1, -1, -1),
                         FromColorRef(side == Side::kBuySide ? kBidFill : kAskFill));
        painter.setPen(Qt::black);
        painter.setFont(m_boldFont);
        painter.drawText(cell, Qt::AlignCenter | Qt::TextSingleLine, QString::number(volume));
    }
    if (m_hover.row == row && SideOfColumn(m_hover.column) == side && m_hover.column != OrderColumnOf(side) &&
        m_press.dropRow < 0) {
        Frame(painter, cell.adjusted(1, 1, -1, -1), side == Side::kBuySide ? kBuyHover : kSellHover);
    }
}

void CFastMouseOrderList2::PaintOrderCell(QPainter& painter, int row, int side, const QRect& cell) {
    if (const int64_t volume = m_model.OrdersAt(row, side); volume > 0) {
        const bool lifted =
            m_press.dragging && m_press.cell.row == row && SideOfColumn(m_press.cell.column) == side;
        const QRect box = cell.adjusted(2, 2, -2, -2);
        painter.fillRect(box, FromColorRef(side == Side::kBuySide ? kBidFill : kAskFill));
        Frame(painter, box, lifted ? kGhostFrame : kOrderFrame, lifted ? Qt::DashLine : Qt::SolidLine);
        painter.setPen(FromColorRef(side == Side::kBuySide ? kAboveReferenceText : kBelowReferenceText));
        painter.setFont(m_boldFont);
        painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, QString::number(volume));
        return;
    }
    if (m_press.dragging && m_press.dropRow == row && SideOfColumn(m_press.cell.column) == side) {
        PaintGhostOrder(painter, cell, side, m_model.OrdersAt(m_press.cell.row, side));
    } else if (!m_press.dragging && m_hover.row == row && SideOfColumn(m_hover.column) == side &&
               m_hover.column != OrderColumnOf(side)) {
        PaintGhostOrder(painter, cell, side, m_clickVolumes[side]);
    }
}

void CFastMouseOrderList2::PaintGhostOrder(QPainter& painter, const QRect& cell, int side, int64_t volume) {
    if (volume <= 0) {
        return;
    }
    const QRect box = cell.adjusted(2, 2, -2, -2);
    Frame(painter, box, side == Side::kBuySide ? kBuyHover : kSellHover, Qt::DashLine);
    painter.setPen(FromColorRef(kGhostFrame));
    painter.setFont(font());
    painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, QString::number(volume));
}

void CFastMouseOrderList2::PaintHeader(QPainter& painter, const QRect& area) {
    QLinearGradient face(area.topLeft(), area.bottomLeft());
    face.setColorAt(0, FromColorRef(kHeaderTop));
    face.setColorAt(1, FromColorRef(kHeaderBottom));
    painter.fillRect(area, face);
    painter.setFont(m_boldFont);
    for (int column = 0; column < static_cast<int>(m_titles.size()); ++column) {
        const QRect cell = HeaderCellRect(column);
        const int side = SideOfColumn(column);
        const bool working = side >= 0 && column != OrderColumnOf(side) && m_model.HasOrders(side);
        uint32_t colour = kHeaderText;
        if (column == kBuyColumn) {
            colour = kAboveReferenceText;
        } else if (column == kSellColumn) {
            colour = kBelowReferenceText;
        }
        painter.setPen(FromColorRef(colour));
        painter.drawText(cell, Qt::AlignCenter | Qt::TextSingleLine, m_titles[column]);
        if (working) {
            // A side with working orders: its header double click cancels them all.
            painter.fillRect(QRect(cell.left() + 3, cell.bottom() - 3, cell.width() - 6, 2),
                             FromColorRef(colour));
        }
        painter.setPen(FromColorRef(kHeaderSeparator));
        painter.drawLine(cell.right(), cell.top() + 3, cell.right(), cell.bottom() - 3);
    }
    painter.setPen(FromColorRef(kHeaderBorder));
    painter.drawLine(area.bottomLeft(), area.bottomRight());
}

// ---- Gestures -----------------------------------------------------------------------------------

void CFastMouseOrderList2::Post(Request request, const char* priceKey, int row, int side,
                                const char* secondKey, int secondRow) {
    Json::Value payload(Json::objectValue);
    if (priceKey) {
        payload[priceKey] = m_model.PriceText(row).toStdString();
    }
    if (secondKey) {
        payload[secondKey] = m_model.PriceText(secondRow).toStdString();
    }
    payload["112"] = SideCode(side);
    Win::PostMessage(parent(), kRequestMessage, request, Win::MakePayload(std::move(payload)));
}

void CFastMouseOrderList2::SetHover(const Cell& cell) {
    if (cell == m_hover) {
        return;
    }
    const bool band = m_sweep && (m_hover.row >= 0 || cell.row >= 0);
    const Cell previous = m_hover;
    m_hover = cell;
    if (band) {
        viewport()->update();
    } else {
        Repaint({previous.row, cell.row});
    }
}

void CFastMouseOrderList2::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    m_press = {CellAt(event->position().toPoint()), event->position().toPoint()};
}

void CFastMouseOrderList2::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const Cell cell = CellAt(pos);
    SetHover(cell);
    const int side = SideOfColumn(m_press.cell.column);
    const bool onOrders = side >= 0 && m_press.cell.column == OrderColumnOf(side) &&
                          m_model.OrdersAt(m_press.cell.row, side) > 0;
    if (!(event->buttons() & Qt::LeftButton) || !onOrders) {
        return;
    }
    if (!m_press.dragging && (pos - m_press.pos).manhattanLength() >= QApplication::startDragDistance()) {
        m_press.dragging = true;
        viewport()->setCursor(Qt::SizeVerCursor);
        Repaint({m_press.cell.row});
    }
    if (m_press.dragging && cell.row != m_press.dropRow) {
        const int previous = m_press.dropRow;
        m_press.dropRow = cell.row;
        Repaint({previous, cell.row});
    }
}

void CFastMouseOrderList2::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const Press press = std::exchange(m_press, Press{});
    const Cell cell = CellAt(event->position().toPoint());
    const int side = SideOfColumn(press.cell.column);
    if (press.dragging) {
        viewport()->unsetCursor();
        Repaint({press.cell.row, press.dropRow});
        if (cell.row >= 0 && cell.row != press.cell.row) {
            Post(kMoveOrders, "PriceOld", press.cell.row, side, "PriceNow", cell.row);
        }
    } else if (side >= 0 && press.cell.column != OrderColumnOf(side) && cell == press.cell) {
        Post(kPlaceOrder, "PriceNow", cell.row, side);
    }
    if (m_centrePending && m_keepCentred && !viewport()->underMouse()) {
        SetNewPriceHCentre();
    }
}

void CFastMouseOrderList2::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second click of a double click: it places nothing and starts no drag.
    m_press = {};
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const Cell cell = CellAt(event->position().toPoint());
    const int side = SideOfColumn(cell.column);
    if (side >= 0 && cell.column == OrderColumnOf(side) && m_model.OrdersAt(cell.row, side) > 0) {
        Post(kCancelAtPrice, "Price", cell.row, side);
    }
}

void CFastMouseOrderList2::OnHeaderDoubleClick(const QPoint& pos) {
    const int side = SideOfColumn(ColumnAt(pos.x() + m_header->x() - viewport()->x()));
    if (side >= 0) {
        Post(kCancelSide, nullptr, -1, side);
    }
}

bool CFastMouseOrderList2::viewportEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::Leave:
            SetHover({});
            if (m_centrePending && m_keepCentred && m_press.cell.row < 0) {
                SetNewPriceHCentre();
            }
            break;
        case QEvent::ToolTip: {
            const auto* help = static_cast<QHelpEvent*>(event);
            const Cell cell = CellAt(help->pos());
            const int side = SideOfColumn(cell.column);
            if (side >= 0 && cell.column == OrderColumnOf(side) && m_model.OrdersAt(cell.row, side) > 0) {
                QToolTip::showText(help->globalPos(), QStringLiteral("双击撤单，拖到其他价位改单"));
            } else {
                QToolTip::hideText();
            }
            return true;
        }
        default:
            break;
    }
    return QAbstractScrollArea::viewportEvent(event);
}
