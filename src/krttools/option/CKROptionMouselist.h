#pragma once

#include "option/COptionMouseOrderList.h"

// The option ladder the option quick-mouse window shows. Its requests go to its parent window as
// the futures ladder's do (LadderOwnerRequests).
class CKROptionMouselist : public COptionMouseOrderList {
    Q_OBJECT
public:
    explicit CKROptionMouselist(QWidget* parent = nullptr);

    void PlaceOrder(int row, int column, int mode) override;
    void CancelOrder(const QString& orderId) override;
    void MoveOrder(const QString& orderId, const QString& priceText) override;
};
