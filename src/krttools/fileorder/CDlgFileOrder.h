#pragma once

#include "CKrDlgOperate.h"

// The hidden window that runs file orders: it owns the order-file scanner and the position and
// money writer, and hands one order file at a time to the host's combination order page.
class CDlgFileOrder : public CKrDlgOperate {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 11002;

    explicit CDlgFileOrder(QWidget* parent = nullptr);
    ~CDlgFileOrder() override;
};
