#pragma once

#include "CKrPriceHSpinEdit.h"

// The volume and price edit of the quick-mouse windows: the control library's spin edit with
// the theme's trading button pictures. Every text change, the program's included, is reported
// to the parent (QuickMouseMsg::kSpinEditChanged); it takes the larger or smaller last value on
// QuickMouseMsg::kSpinEditTakeLast and keeps and passes on a selection index.
class CPriceHSpinEdit : public CKrPriceHSpinEdit {
    Q_OBJECT
public:
    using CKrPriceHSpinEdit::CKrPriceHSpinEdit;

    int SelectionIndex() const { return m_selectionIndex; }

    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override;

protected:
    void ReportChange(Change change) override;
    QPixmap ButtonPixmap(Button button, bool hover, bool pressed) const override;

private:
    int m_selectionIndex = -1;
};
