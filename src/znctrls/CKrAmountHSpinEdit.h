#pragma once

#include "CKrPriceHSpinEdit.h"

// The spin edit for counts: whole numbers typed as digits only, one a step, never below 0.
class CKrAmountHSpinEdit : public CKrPriceHSpinEdit {
    Q_OBJECT
public:
    explicit CKrAmountHSpinEdit(QWidget* parent = nullptr);
};
