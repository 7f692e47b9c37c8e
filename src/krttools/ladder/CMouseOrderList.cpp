#include "ladder/CMouseOrderList.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "ladder/CListEdit.h"
#include "ladder/LadderAssets.h"
#include "ladder/QuickMouseHost.h"
#include "ladder/QuickMouseMessages.h"
#include "platform/ColorRef.h"

using Win::FromColorRef;

namespace {

// Row backgrounds
constexpr uint32_t kPlainBackground = 0xFFFFFF;
constexpr uint32_t kOutOfRangeBackground = 0xE6E6E6;
constexpr uint32_t kLastPriceBackground = 0xD8FCFF;
constexpr uint32_t kBuyVolumeBackground = 0xD8D8FF;
constexpr uint32_t kSellVolumeBackground = 0xCCEBCC;
// Price texts
constexpr uint32_t kOutOfRangeText = 0x535353;
constexpr uint32_t kAboveReferenceText = 0x0707EF;
constexpr uint32_t kBelowReferenceText = 0x058F08;
// Cells
constexpr uint32_t kBidFill = 0xE0E0FD;
constexpr uint32_t kAskFill = 0xD9FAD9;
constexpr uint32_t kProfitBar = 0x2122C6;
constexpr uint32_t kLossBar = 0x307100;
constexpr uint32_t kEvenBar = 0x808080;
constexpr uint32_t kOrderFrame = 0x626262;
// Header ratio bar
constexpr uint32_t kBidShare = 0x2122C6;
constexpr uint32_t kAskShare = 0x028A08;
// Hover frames
constexpr uint32_t kBuyHover = 0x0001F3;
constexpr uint32_t kSellHover = 0x018F00;
constexpr uint32_t kIconHover = 0x018FFF;

constexpr int kPositionBarWidth = 6;
constexpr int kMarkWidth = 18;
constexpr int kIconMargin = 3;
constexpr int kRatioBarTop = 5;
constexpr int kRatioBarHeight = 9;

const QString kHighMark = QStringLiteral("高");
const QString kLowMark = QStringLiteral("低");

uint32_t BarColour(PositionMark::Tone tone) {
    switch (tone) {
        case PositionMark::Tone::Profit:
            return kProfitBar;
        case PositionMark::Tone::Loss:
            return kLossBar;
        default:
            return kEvenBar;
    }
}

void FrameRect(QPainter& painter, const QRect& rect, uint32_t colour) {
    painter.setPen(FromColorRef(colour));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

}  // namespace

CMouseOrderList::CMouseOrderList(QWidget* parent)
    : CKoraListEx(parent), m_model(Texts()), m_gestures(m_model.Columns(), m_model.Groups()) {
    SetGridColour(0xC0C0C0);
    SetRowHeight(22);
    SetTextFormat(kFormatCenter);
    SetHeaderStyle(HeaderStyle{0xE6E6E6, 0xBBBBBB, 0x999999, 44, 2, 0xFFFFFF});
    SetCursors(LadderAssets::LoadCursor(LadderAssets::kMoveCursor),
               LadderAssets::LoadCursor(LadderAssets::kCancelCursor));
    ReloadThemeFonts();
    m_clock.start();
    m_centringTimer.setSingleShot(true);
    connect(&m_centringTimer, &QTimer::timeout, this, &CMouseOrderList::CentreIfReleased);
    verticalScrollBar()->installEventFilter(this);
    // Wheel, keys and the scroll bar itself: the user chose what to look at.
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, [this] { m_midPageRow = -1; });
}

CMouseOrderList::~CMouseOrderList() = default;

void CMouseOrderList::SetCursors(const QCursor& move, const QCursor& cancel) {
    m_moveCursor = move;
    m_cancelCursor = cancel;
}

void CMouseOrderList::ReloadThemeFonts() {
    m_boldFont = QuickMouseHost::Font(QStringLiteral("期货快鼠加粗"));
    m_sideFont = QuickMouseHost::Font(QStringLiteral("期货快鼠买卖加粗"));
    m_normalFont = QuickMouseHost::Font(QStringLiteral("期货快鼠普通"));
    SetListFont(m_boldFont);
    Header().setFont(m_normalFont);
    viewport()->update();
    InvalidateHeader();
}

int CMouseOrderList::Build(const QString& contractCode, int decimals, double lower, double reference,
                           double tick, double upper) {
    const int rows = m_model.Build(contractCode, decimals, lower, reference, tick, upper);
    ShowNewRows(rows);
    return rows;
}

int CMouseOrderList::SetRowLayout(const LadderLayout& layout) {
    if (layout == m_model.Layout()) {
        return m_model.SetLayout(layout);
    }
    const int rows = m_model.SetLayout(layout);
    ShowNewRows(rows);
    return rows;
}

void CMouseOrderList::ShowNewRows(int rows) {
    m_midPageRow = -1;
    if (m_editor) {
        m_editor->Dismiss();
    }
    m_gestures.Reset();
    InstallHooks();
    OnLadderReset();
    SetItemCount(std::max(rows, 0));
    m_model.TakeChanges();
    viewport()->update();
    InvalidateHeader();
}

void CMouseOrderList::SetLastPrice(double price) {
    m_model.SetLastPrice(price);
    ApplyChanges();
}

void CMouseOrderList::SetBestQuote(const LadderBestQuote& quote) {
    m_model.SetBestQuote(quote);
    ApplyChanges();
}

void CMouseOrderList::ClearBestQuote() {
    m_model.ClearBestQuote();
    ApplyChanges();
}

bool CMouseOrderList::AddWorkingOrder(const LadderOrder& order) {
    const bool added = m_model.AddOrder(order);
    ApplyChanges();
    return added;
}

void CMouseOrderList::RemoveOrderGroup(int index) {
    m_model.RemoveGroup(index);
    ApplyChanges();
}

void CMouseOrderList::ClearWorkingOrders() {
    m_model.ClearOrders();
    ApplyChanges();
}

void CMouseOrderList::SetPositions(std::vector<Json::Value> positions) {
    m_model.SetPositions(std::move(positions));
    ApplyChanges();
}

void CMouseOrderList::CentreOnLastPrice() {
    if (LadderModel::CentringTop(m_model.LastPriceRow(), TopIndex(), CountPerPage())) {
        PutMidPage(m_model.LastPriceRow());
    }
}

void CMouseOrderList::PutMidPage(int row) {
    if (row < 0 || CountPerPage() <= 0) {
        return;
    }
    ScrollRowToTop(std::min(std::max(0, row - CountPerPage() / 2), verticalScrollBar()->maximum()));
    m_midPageRow = row;
}

void CMouseOrderList::Centre(Centring how) {
    // Asked for now: whatever was waiting is covered by this.
    m_centringHeld = false;
    m_centringTimer.stop();
    if (how == Centring::KeepInPage) {
        CentreOnLastPrice();
        return;
    }
    m_midPagePending = !viewport()->isVisible() || CountPerPage() <= 0;
    if (m_midPagePending) {
        return;
    }
    PutMidPage(m_model.LastPriceRow() >= 0 ? m_model.LastPriceRow() : m_model.Scale().ReferenceRow());
}

int CMouseOrderList::CentringWaitMs() const {
    if (m_gestures.Dragging()) {
        return static_cast<int>(PointerRest::kRestMs);
    }
    return static_cast<int>(m_pointer.WaitLeft(m_clock.elapsed()));
}

void CMouseOrderList::CentreWhenIdle(Centring how) {
    const int waitMs = CentringWaitMs();
    if (waitMs == 0) {
        Centre(how);
        return;
    }
    // A mid-page request outweighs a keep-in-page one made while it waited.
    if (!m_centringHeld || how == Centring::MidPage) {
        m_heldCentring = how;
    }
    m_centringHeld = true;
    m_centringTimer.start(waitMs);
}

void CMouseOrderList::CentreIfReleased() {
    if (!m_centringHeld) {
        return;
    }
    if (const int waitMs = CentringWaitMs(); waitMs > 0) {
        m_centringTimer.start(waitMs);
        return;
    }
    Centre(m_heldCentring);
}

void CMouseOrderList::Repaint(const LadderChanges& changes) {
    if (changes.All()) {
        viewport()->update();
        InvalidateHeader();
        return;
    }
    for (int row : changes.Rows()) {
        InvalidateRow(row);
        ++m_rowsInvalidated;
    }
    if (changes.Header()) {
        InvalidateHeader();
    }
}

// ---- Geometry -------------------------------------------------------------------------------

QRect CMouseOrderList::CancelIconRect(const QRect& cell, int side) {
    const QSize size =
        LadderAssets::CancelIcon().size().boundedTo(QSize(cell.height() - 4, cell.height() - 4));
    const int top = cell.top() + (cell.height() - size.height()) / 2;
    const int left = side == 0 ? cell.left() + kIconMargin : cell.right() - kIconMargin - size.width() + 1;
    return QRect(QPoint(left, top), size);
}

QRect CMouseOrderList::HeaderIconRect(int column) const {
    const int side = m_model.Columns().OrderSide(column);
    if (side < 0 || m_model.Groups().Total(side) <= 0) {
        return {};
    }
    const CSkinHeaderCtrl& header = Header();
    return CancelIconRect(header.ColumnRect(column, true).adjusted(2, 2, -2, -2), side);
}

LadderHit CMouseOrderList::HitAtViewport(const QPoint& pos) const {
    return HitAt(pos + viewport()->geometry().topLeft());
}

LadderHit CMouseOrderList::HitAt(const QPoint& pos) const {
    if (!rect().contains(pos)) {
        return LadderHit::Outside();
    }
    const CSkinHeaderCtrl& header = Header();
    if (header.geometry().contains(pos)) {
        return LadderHit::Header(header.ColumnAt(pos.x() - header.x()));
    }
    const QPoint local = pos - viewport()->geometry().topLeft();
    const int row = RowAtY(local.y());
    const int column = ColumnAtX(local.x());
    const int side = m_model.Columns().OrderSide(column);
    const bool onIcon = row >= 0 && side >= 0 && m_model.Groups().Find(row, side) >= 0 &&
                        CancelIconRect(CellRect(row, column), side).contains(local);
    return LadderHit::Cell(row, column, onIcon);
}

LadderHit CMouseOrderList::HitAtHeaderPointer() const {
    const CSkinHeaderCtrl& header = Header();
    return HitAt(header.PointerPos() + header.pos());
}

// ---- Drawing --------------------------------------------------------------------------------

void CMouseOrderList::InstallHooks() {
    const LadderColumns& columns = m_model.Columns();
    SetCellHook(columns.price, [this](QPainter& painter, const QRect& cell, const QString& text, int,
                                      CKoraListEx&, int row) { DrawPriceCell(painter, cell, text, row); });
    for (int side : {0, 1}) {
        const int volumeColumn = side == 0 ? columns.buyVolume : columns.sellVolume;
        SetCellHook(volumeColumn,
                    [this, side](QPainter& painter, const QRect& cell, const QString& text, int, CKoraListEx&,
                                 int row) { DrawVolumeCell(painter, cell, text, row, side); });
        SetCellHook(columns.OrderColumn(side),
                    [this, side](QPainter& painter, const QRect& cell, const QString& text, int, CKoraListEx&,
                                 int) { DrawOrderCell(painter, cell, text, side); });
        SetHeaderHook(columns.OrderColumn(side),
                      [this](QPainter& painter, const QRect& cell, const QString& text, int, CKoraListEx&,
                             int column) { DrawOrderHeader(painter, cell, text, column); });
    }
    SetHeaderHook(columns.price, [this](QPainter& painter, const QRect& cell, const QString&, int,
                                        CKoraListEx&, int) { DrawRatioBar(painter, cell); });
}

void CMouseOrderList::DrawItem(QPainter& painter, int row, const QRect& rowRect) {
    CKoraListEx::DrawItem(painter, row, rowRect);
    if (m_model.Hover().row == row) {
        DrawHoverFrame(painter, row);
    }
}

// The ladder shows no selection.
void CMouseOrderList::DrawSelectedRowBackground(QPainter& painter, int row, int column, const QRect& cell) {
    DrawUnselectedRowBackground(painter, row, column, cell);
}

void CMouseOrderList::DrawUnselectedRowBackground(QPainter& painter, int row, int column, const QRect& cell) {
    const LadderColumns& columns = m_model.Columns();
    uint32_t colour = kPlainBackground;
    if (column == columns.price) {
        colour = row == m_model.LastPriceRow() ? kLastPriceBackground
                 : m_model.IsInDayRange(row)   ? kPlainBackground
                                               : kOutOfRangeBackground;
    } else if (column == columns.buyVolume) {
        colour = kBuyVolumeBackground;
    } else if (column == columns.sellVolume) {
        colour = kSellVolumeBackground;
    }
    painter.fillRect(cell, FromColorRef(colour));
}

uint32_t CMouseOrderList::CellTextColour(int row, int column) const {
    if (column != m_model.Columns().price) {
        return 0;
    }
    if (!m_model.IsInDayRange(row)) {
        return kOutOfRangeText;
    }
    const LadderRowScale& scale = m_model.Scale();
    const int reference = scale.ReferenceRow();
    // Rows above the reference hold higher prices. A reference between two ticks still divides them.
    const double above = reference >= 0 ? reference - row : scale.PriceOf(row) - scale.ReferencePrice();
    if (above > LadderModel::kPriceEpsilon) {
        return kAboveReferenceText;
    }
    return above < -LadderModel::kPriceEpsilon ? kBelowReferenceText : 0;
}

void CMouseOrderList::DrawPriceCell(QPainter& painter, const QRect& cell, const QString& text, int row) {
    const bool best = row == m_model.BidRow() || row == m_model.AskRow();
    const QColor colour = FromColorRef(CellTextColour(row, m_model.Columns().price));
    painter.setPen(colour);
    painter.setFont(best ? m_sideFont : m_normalFont);
    painter.drawText(cell, Qt::AlignCenter | Qt::TextSingleLine, text);
    const QString mark = row == m_model.HighRow()  ? kHighMark
                         : row == m_model.LowRow() ? kLowMark
                                                   : QString();
    if (!mark.isEmpty()) {
        painter.setFont(m_normalFont);
        painter.drawText(MarkRect(cell, row), Qt::AlignCenter | Qt::TextSingleLine, mark);
    }
}

QRect CMouseOrderList::MarkRect(const QRect& cell, int) const {
    return QRect(cell.right() - kMarkWidth + 1, cell.top(), kMarkWidth, cell.height());
}

void CMouseOrderList::DrawVolumeCell(QPainter& painter, const QRect& cell, const QString& text, int row,
                                     int side) {
    if (!text.isEmpty()) {
        painter.fillRect(cell, FromColorRef(side == 0 ? kBidFill : kAskFill));
        painter.setPen(Qt::black);
        painter.setFont(m_boldFont);
        painter.drawText(cell, Qt::AlignCenter | Qt::TextSingleLine, text);
    }
    // Position bars go over the fill, so a position on the best quote's row still shows.
    std::vector<PositionMark::Tone> tones;
    m_model.MarksAt(row, side, tones);
    for (PositionMark::Tone tone : tones) {
        painter.fillRect(
            QRect(cell.right() - kPositionBarWidth + 1, cell.top(), kPositionBarWidth, cell.height()),
            FromColorRef(BarColour(tone)));
    }
}

void CMouseOrderList::DrawOrderCell(QPainter& painter, const QRect& cell, const QString& text, int side) {
    if (text.isEmpty()) {
        return;
    }
    const QRect frame = cell.adjusted(1, 1, 0, 0);
    FrameRect(painter, frame, kOrderFrame);
    const QRect icon = CancelIconRect(cell, side);
    painter.drawPixmap(icon, LadderAssets::CancelIcon());
    const int divider = side == 0 ? icon.right() + kIconMargin : icon.left() - kIconMargin;
    painter.drawLine(divider, frame.top(), divider, frame.bottom() - 1);
    const QRect textRect = side == 0 ? QRect(QPoint(divider + 1, cell.top()), cell.bottomRight())
                                     : QRect(cell.topLeft(), QPoint(divider - 1, cell.bottom()));
    painter.setPen(Qt::black);
    painter.setFont(m_boldFont);
    painter.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, text);
}

void CMouseOrderList::DrawRatioBar(QPainter& painter, const QRect& cell) {
    const LadderBestQuote& quote = m_model.BestQuote();
    const QRect bar(cell.left() + 3, cell.top() + kRatioBarTop, cell.width() - 6, kRatioBarHeight);
    const double bid = std::max(quote.bidVolume, 0);
    const double ask = std::max(quote.askVolume, 0);
    const double share = bid + ask > 0 ? bid / (bid + ask) : 0.5;
    const int bidWidth = static_cast<int>(std::lround(bar.width() * share));
    painter.fillRect(QRect(bar.left(), bar.top(), bidWidth, bar.height()), FromColorRef(kBidShare));
    painter.fillRect(QRect(bar.left() + bidWidth, bar.top(), bar.width() - bidWidth, bar.height()),
                     FromColorRef(kAskShare));
}

void CMouseOrderList::DrawOrderHeader(QPainter& painter, const QRect& cell, const QString& text, int column) {
    const int side = m_model.Columns().OrderSide(column);
    if (text.isEmpty() || side < 0) {
        return;
    }
    const QRect frame = cell.adjusted(2, 2, -2, -2);
    FrameRect(painter, frame, kOrderFrame);
    const QRect icon = CancelIconRect(frame, side);
    painter.drawPixmap(icon, LadderAssets::CancelIcon());
    if (m_model.HeaderHover() == column) {
        FrameRect(painter, icon.adjusted(-1, -1, 1, 1), kIconHover);
    }
    const QRect textRect = side == 0 ? QRect(QPoint(icon.right() + 1, frame.top()), frame.bottomRight())
                                     : QRect(frame.topLeft(), QPoint(icon.left() - 1, frame.bottom()));
    painter.setPen(Qt::black);
    painter.setFont(m_boldFont);
    painter.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, text);
}

void CMouseOrderList::DrawHoverFrame(QPainter& painter, int row) {
    const LadderHover& hover = m_model.Hover();
    const LadderColumns& columns = m_model.Columns();
    switch (hover.kind) {
        case LadderHover::Kind::BuySide:
        case LadderHover::Kind::SellSide: {
            const QRect price = CellRect(row, columns.price).adjusted(0, 0, -1, -1);
            FrameRect(painter, price, hover.kind == LadderHover::Kind::BuySide ? kBuyHover : kSellHover);
            break;
        }
        case LadderHover::Kind::CancelIcon: {
            const QRect icon = CancelIconRect(CellRect(row, hover.column), columns.OrderSide(hover.column));
            FrameRect(painter, icon.adjusted(-1, -1, 1, 1), kIconHover);
            break;
        }
        default:
            break;
    }
}

void CMouseOrderList::paintEvent(QPaintEvent* event) {
    CKoraListEx::paintEvent(event);
    if (m_paintObserver) {
        m_paintObserver();
    }
}

// ---- Gestures -------------------------------------------------------------------------------

int CMouseOrderList::TriggerMode() const {
    return QuickMouseHost::TriggerMode(QStringLiteral("期货"));
}

void CMouseOrderList::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (m_editor && m_editor->IsOpen()) {
        m_editor->Commit();
    }
    const LadderHit hit = HitAtViewport(event->position().toPoint());
    if (m_gestures.Press(hit)) {
        ShowCursor(viewport(), m_gestures.CursorAt(hit));
    }
    m_model.SetHover(m_gestures.HoverAt(hit));
    ApplyChanges();
}

void CMouseOrderList::mouseMoveEvent(QMouseEvent* event) {
    const LadderHit hit = HitAtViewport(event->position().toPoint());
    if (m_gestures.Dragging()) {
        ShowCursor(viewport(), m_gestures.CursorAt(hit));
    }
    m_model.SetHover(m_gestures.HoverAt(hit));
    ApplyChanges();
}

void CMouseOrderList::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const LadderHit hit = HitAtViewport(event->position().toPoint());
    const std::vector<LadderAction> actions = m_gestures.Release(hit, TriggerMode());
    ShowCursor(viewport(), LadderCursor::Normal);
    m_model.SetHover(m_gestures.HoverAt(hit));
    Perform(actions);
    ApplyChanges();
}

void CMouseOrderList::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    // The first click of the pair opened the editor over an order cell; a double click there
    // cancels the group, so the edit is dropped rather than sent.
    if (m_editor) {
        m_editor->Dismiss();
    }
    Perform(m_gestures.DoubleClick(HitAtViewport(event->position().toPoint()), TriggerMode()));
    ApplyChanges();
}

bool CMouseOrderList::viewportEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::Leave:
            if (!m_gestures.Dragging()) {
                m_model.SetHover(LadderHover());
                ApplyChanges();
            }
            break;
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::Wheel:
            NotePointer();
            break;
        default:
            break;
    }
    const bool handled = CKoraListEx::viewportEvent(event);
    if (event->type() == QEvent::Show || event->type() == QEvent::Resize) {
        if (m_midPagePending) {
            Centre(Centring::MidPage);
        } else if (m_midPageRow >= 0 && CentringWaitMs() == 0) {
            PutMidPage(m_midPageRow);
        }
    }
    return handled;
}

bool CMouseOrderList::eventFilter(QObject* watched, QEvent* event) {
    // The pointer is busy on the scroll bar too.
    if (watched == verticalScrollBar() &&
        (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress ||
         event->type() == QEvent::Wheel)) {
        NotePointer();
    }
    return CKoraListEx::eventFilter(watched, event);
}

void CMouseOrderList::leaveEvent(QEvent* event) {
    CKoraListEx::leaveEvent(event);
    m_pointer.Left();
    CentreIfReleased();
}

void CMouseOrderList::scrollContentsBy(int dx, int dy) {
    if (m_editor && m_editor->IsOpen()) {
        m_editor->Commit();
    }
    CKoraListEx::scrollContentsBy(dx, dy);
}

void CMouseOrderList::OnHeaderReport(Win::UINT message, int column, int lowerLineFlag) {
    CSkinHeaderCtrl& header = Header();
    NotePointer();
    const bool lowerLine = lowerLineFlag == 1;
    const bool onIcon = lowerLine && HeaderIconRect(column).contains(header.PointerPos());
    switch (message) {
        case QuickMouseMsg::kHeaderPress:
            if (m_editor && m_editor->IsOpen()) {
                m_editor->Commit();
            }
            if (m_gestures.HeaderPress(column, lowerLine, onIcon)) {
                ShowCursor(&header, LadderCursor::Move);
            }
            break;
        case QuickMouseMsg::kHeaderRelease: {
            const auto actions = m_gestures.HeaderRelease(column, lowerLine, onIcon, HitAtHeaderPointer());
            ShowCursor(&header, LadderCursor::Normal);
            Perform(actions);
            break;
        }
        case QuickMouseMsg::kHeaderDoubleClick:
            Perform(m_gestures.HeaderDoubleClick(column, lowerLine));
            break;
        case QuickMouseMsg::kHeaderMove:
            if (m_gestures.Dragging()) {
                ShowCursor(&header, m_gestures.CursorAt(HitAtHeaderPointer()));
            } else {
                m_model.SetHover(LadderHover());
                m_model.SetHeaderHover(onIcon ? column : -1);
            }
            break;
        default:
            break;
    }
    ApplyChanges();
}

void CMouseOrderList::ShowCursor(QWidget* widget, LadderCursor cursor) {
    switch (cursor) {
        case LadderCursor::Move:
            widget->setCursor(m_moveCursor);
            break;
        case LadderCursor::Cancel:
            widget->setCursor(m_cancelCursor);
            break;
        default:
            widget->unsetCursor();
            break;
    }
}

void CMouseOrderList::Perform(const std::vector<LadderAction>& actions) {
    for (const LadderAction& action : actions) {
        switch (action.kind) {
            case LadderAction::Kind::PlaceOrder:
                PlaceOrder(action.row, action.column, 0);
                break;
            case LadderAction::Kind::CancelGroup:
                CancelGroup(action.row, action.side);
                break;
            case LadderAction::Kind::MoveGroup:
                MoveGroupTo(action.row, action.side, action.targetRow);
                break;
            case LadderAction::Kind::CancelSide: {
                std::vector<int> rows;
                for (const OrderGroup& group : m_model.Groups().All()) {
                    if (group.side == action.side) {
                        rows.push_back(group.row);
                    }
                }
                for (int row : rows) {
                    CancelGroup(row, action.side);
                }
                break;
            }
            case LadderAction::Kind::OpenEditor:
                OpenEditor(action.row, action.column);
                break;
        }
    }
}

void CMouseOrderList::CancelGroup(int row, int side) {
    const int index = m_model.Groups().Find(row, side);
    if (index < 0) {
        return;
    }
    const std::set<QString> ids = m_model.Groups().At(index)->ids;
    // The group goes at once; the owner's next refresh rebuilds the groups from the account.
    m_model.RemoveGroup(index);
    for (const QString& id : ids) {
        CancelOrder(id);
    }
}

void CMouseOrderList::MoveGroupTo(int row, int side, int targetRow) {
    const int index = m_model.Groups().Find(row, side);
    const QString price = m_model.PriceText(targetRow);
    if (index < 0 || price.isEmpty()) {
        return;
    }
    const std::set<QString> ids = m_model.Groups().At(index)->ids;
    for (const QString& id : ids) {
        MoveOrder(id, price);
    }
}

void CMouseOrderList::OpenEditor(int row, int column) {
    const int side = m_model.Columns().OrderSide(column);
    const int index = m_model.Groups().Find(row, side);
    if (index < 0) {
        return;
    }
    if (!m_editor) {
        m_editor = new CListEdit(viewport(), [this] { return static_cast<QObject*>(parentWidget()); });
        m_editor->setFont(m_boldFont);
    }
    const QRect cell = CellRect(row, column).adjusted(1, 1, -1, -1);
    const QRect icon = CancelIconRect(cell, side);
    const QRect area = side == 0
                           ? QRect(QPoint(icon.right() + kIconMargin + 1, cell.top()), cell.bottomRight())
                           : QRect(cell.topLeft(), QPoint(icon.left() - kIconMargin - 1, cell.bottom()));
    const OrderGroup* group = m_model.Groups().At(index);
    m_editor->Open(area, std::vector<QString>(group->ids.begin(), group->ids.end()), GetCellText(row, column),
                   [this, row, column] {
                       Perform(m_gestures.DoubleClick(LadderHit::Cell(row, column), TriggerMode()));
                       ApplyChanges();
                   });
}
