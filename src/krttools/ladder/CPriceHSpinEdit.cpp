#include "ladder/CPriceHSpinEdit.h"

#include "ladder/QuickMouseHost.h"
#include "ladder/QuickMouseMessages.h"

Win::LRESULT CPriceHSpinEdit::OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) {
    switch (message) {
        case QuickMouseMsg::kSpinEditTakeLast:
            TakeLastValue(static_cast<int>(static_cast<intptr_t>(wParam)));
            return 1;
        case QuickMouseMsg::kSelectionIndex:
            m_selectionIndex = static_cast<int>(static_cast<intptr_t>(wParam));
            return Win::SendMessage(parentWidget(), message, wParam, lParam);
        default:
            return 0;
    }
}

void CPriceHSpinEdit::ReportChange(Change) {
    Win::SendMessage(parentWidget(), QuickMouseMsg::kSpinEditChanged, reinterpret_cast<Win::WPARAM>(this), 0);
}

QPixmap CPriceHSpinEdit::ButtonPixmap(Button button, bool hover, bool pressed) const {
    const bool minus = button == kMinus;
    const QString base =
        minus ? QStringLiteral("交易价量减少按钮背景图-") : QStringLiteral("交易价量增加按钮背景图-");
    // The minus button has no pressed image; its hover image serves.
    const QString state = pressed && !minus  ? QStringLiteral("选中态")
                          : hover || pressed ? QStringLiteral("悬浮态")
                                             : QStringLiteral("正常态");
    return QuickMouseHost::TradeImage(base + state);
}
