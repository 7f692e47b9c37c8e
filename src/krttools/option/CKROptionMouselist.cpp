#include "option/CKROptionMouselist.h"

#include "ladder/LadderOwnerRequests.h"

CKROptionMouselist::CKROptionMouselist(QWidget* parent) : COptionMouseOrderList(parent) {}

void CKROptionMouselist::PlaceOrder(int row, int column, int mode) {
    LadderOwnerRequests::PlaceOrder(parentWidget(), Model(), row, column, mode);
}

void CKROptionMouselist::CancelOrder(const QString& orderId) {
    LadderOwnerRequests::CancelOrder(parentWidget(), orderId);
}

void CKROptionMouselist::MoveOrder(const QString& orderId, const QString& priceText) {
    LadderOwnerRequests::MoveOrder(parentWidget(), orderId, priceText);
}
