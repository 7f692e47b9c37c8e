#include "ladder/CKRMouselist.h"

#include <QPainter>

#include "ladder/QuickMouseMessages.h"
#include "platform/ColorRef.h"

namespace {

constexpr uint32_t kAskBox = 0x307100;
constexpr uint32_t kBidBox = 0x2122C6;
constexpr int kBoxInset = 2;

int BoxSize(const QRect& cell) {
    return cell.height() - 2 * kBoxInset;
}

}  // namespace

CKRMouselist::CKRMouselist(QWidget* parent) : CMouseOrderList(parent) {}

void CKRMouselist::SetBestQuote(const LadderBestQuote& quote) {
    LadderChanges changes;
    m_levels.Update(quote, Model().Scale(), changes);
    MutableModel().SetBestQuote(quote);
    changes.Merge(MutableModel().TakeChanges());
    Repaint(changes);
}

void CKRMouselist::ClearBestQuote() {
    LadderChanges changes;
    m_levels.Clear(changes);
    MutableModel().ClearBestQuote();
    changes.Merge(MutableModel().TakeChanges());
    Repaint(changes);
}

void CKRMouselist::OnLadderReset() {
    LadderChanges ignored;
    m_levels.Clear(ignored);
}

void CKRMouselist::PlaceOrder(int row, int column, int mode) {
    const int side = Model().Columns().VolumeSide(column);
    if (side < 0) {
        return;
    }
    const LadderRowScale& scale = Model().Scale();
    const QString price = mode == 1    ? scale.FormatPrice(scale.TopPrice())
                          : mode == -1 ? scale.FormatPrice(scale.BottomPrice())
                                       : Model().PriceText(row);
    if (price.isEmpty() || scale.RowCount() <= 0) {
        return;
    }
    Win::SendMessage(parentWidget(), QuickMouseMsg::kPlaceOrder, reinterpret_cast<Win::WPARAM>(&price),
                     side == 0 ? '0' : '1');
}

void CKRMouselist::CancelOrder(const QString& orderId) {
    Win::SendMessage(parentWidget(), QuickMouseMsg::kCancelOrder, reinterpret_cast<Win::WPARAM>(&orderId),
                     48);
}

void CKRMouselist::MoveOrder(const QString& orderId, const QString& priceText) {
    Win::SendMessage(parentWidget(), QuickMouseMsg::kMoveOrder, reinterpret_cast<Win::WPARAM>(&orderId),
                     reinterpret_cast<Win::LPARAM>(&priceText));
}

QRect CKRMouselist::MarkRect(const QRect& cell, int row) const {
    const QRect mark = CMouseOrderList::MarkRect(cell, row);
    return m_levels.LevelAt(row, 1) < 0 ? mark : mark.translated(-(BoxSize(cell) + kBoxInset), 0);
}

void CKRMouselist::DrawPriceCell(QPainter& painter, const QRect& cell, const QString& text, int row) {
    CMouseOrderList::DrawPriceCell(painter, cell, text, row);
    for (int side : {1, 0}) {
        const int level = m_levels.LevelAt(row, side);
        if (level < 0) {
            continue;
        }
        // Asks at the right edge, bids at the left, each a square box inside the cell.
        const int size = BoxSize(cell);
        const int left = side == 1 ? cell.right() - kBoxInset - size + 1 : cell.left() + kBoxInset;
        const QRectF box(left + 0.5, cell.top() + kBoxInset + 0.5, size - 1, size - 1);
        const QColor colour = Win::FromColorRef(side == 1 ? kAskBox : kBidBox);
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(colour, 1));
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(box, 2, 2);
        painter.restore();
        painter.setPen(colour);
        painter.setFont(NormalFont());
        painter.drawText(box, Qt::AlignCenter, BestLevelMarks::Label(side, level));
    }
}
