#include "ladder/LadderOwnerRequests.h"

#include <QWidget>
#include "ladder/LadderModel.h"

#include "ladder/QuickMouseMessages.h"

namespace LadderOwnerRequests {

void PlaceOrder(QWidget* owner, const LadderModel& model, int row, int column, int mode) {
    const int side = model.Columns().VolumeSide(column);
    if (side < 0) {
        return;
    }
    const LadderRowScale& scale = model.Scale();
    const QString price = mode == 1    ? scale.FormatPrice(scale.TopPrice())
                          : mode == -1 ? scale.FormatPrice(scale.BottomPrice())
                                       : model.PriceText(row);
    if (price.isEmpty() || scale.RowCount() <= 0) {
        return;
    }
    Win::SendMessage(owner, QuickMouseMsg::kPlaceOrder, reinterpret_cast<Win::WPARAM>(&price),
                     side == 0 ? '0' : '1');
}

void CancelOrder(QWidget* owner, const QString& orderId) {
    Win::SendMessage(owner, QuickMouseMsg::kCancelOrder, reinterpret_cast<Win::WPARAM>(&orderId), 48);
}

void MoveOrder(QWidget* owner, const QString& orderId, const QString& priceText) {
    Win::SendMessage(owner, QuickMouseMsg::kMoveOrder, reinterpret_cast<Win::WPARAM>(&orderId),
                     reinterpret_cast<Win::LPARAM>(&priceText));
}

}  // namespace LadderOwnerRequests
