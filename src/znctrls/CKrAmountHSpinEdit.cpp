#include "CKrAmountHSpinEdit.h"

#include "CKrAmountEdit.h"

CKrAmountHSpinEdit::CKrAmountHSpinEdit(QWidget* parent) : CKrPriceHSpinEdit(parent) {
    SetStep(1);
    SetFormat(QStringLiteral("%d"));
    Edit().SetWholeNumbers(true);
}
