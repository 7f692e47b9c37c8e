#include "ui/VirtualKeys.h"

#include <QKeyEvent>

#include "platform/WinMessage.h"

namespace Terminal::Ui {

namespace {

constexpr int kVkNumpad0 = 0x60;
constexpr int kVkMultiply = 0x6A;
constexpr int kVkAdd = 0x6B;
constexpr int kVkSubtract = 0x6D;
constexpr int kVkDecimal = 0x6E;
constexpr int kVkDivide = 0x6F;
constexpr int kLastFunctionKey = 24;

// lParam bits of a key message.
constexpr Kora::Interface::LPARAM kContextAlt = Kora::Interface::LPARAM(1) << 29;
constexpr Kora::Interface::LPARAM kPreviouslyDown = Kora::Interface::LPARAM(1) << 30;
constexpr Kora::Interface::LPARAM kReleasing = Kora::Interface::LPARAM(1) << 31;

int KeypadKeyOf(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return kVkNumpad0 + (qtKey - Qt::Key_0);
    }
    switch (qtKey) {
        case Qt::Key_Asterisk:
            return kVkMultiply;
        case Qt::Key_Plus:
            return kVkAdd;
        case Qt::Key_Minus:
            return kVkSubtract;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return kVkDecimal;
        case Qt::Key_Slash:
            return kVkDivide;
        default:
            return 0;  // the keypad's navigation keys read as the main keys
    }
}

// Shifted digits and punctuation report the character they type; Windows names the key.
int ShiftedKeyOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Exclam:
            return '1';
        case Qt::Key_At:
            return '2';
        case Qt::Key_NumberSign:
            return '3';
        case Qt::Key_Dollar:
            return '4';
        case Qt::Key_Percent:
            return '5';
        case Qt::Key_AsciiCircum:
            return '6';
        case Qt::Key_Ampersand:
            return '7';
        case Qt::Key_Asterisk:
            return '8';
        case Qt::Key_ParenLeft:
            return '9';
        case Qt::Key_ParenRight:
            return '0';
        case Qt::Key_Semicolon:
        case Qt::Key_Colon:
            return 0xBA;
        case Qt::Key_Equal:
        case Qt::Key_Plus:
            return 0xBB;
        case Qt::Key_Comma:
        case Qt::Key_Less:
            return 0xBC;
        case Qt::Key_Minus:
        case Qt::Key_Underscore:
            return 0xBD;
        case Qt::Key_Period:
        case Qt::Key_Greater:
            return 0xBE;
        case Qt::Key_Slash:
        case Qt::Key_Question:
            return 0xBF;
        case Qt::Key_QuoteLeft:
        case Qt::Key_AsciiTilde:
            return 0xC0;
        case Qt::Key_BracketLeft:
        case Qt::Key_BraceLeft:
            return 0xDB;
        case Qt::Key_Backslash:
        case Qt::Key_Bar:
            return 0xDC;
        case Qt::Key_BracketRight:
        case Qt::Key_BraceRight:
            return 0xDD;
        case Qt::Key_Apostrophe:
        case Qt::Key_QuoteDbl:
            return 0xDE;
        default:
            return 0;
    }
}

}  // namespace

int VirtualKeyOf(int qtKey, bool keypad) {
    if (keypad) {
        if (int key = KeypadKeyOf(qtKey)) {
            return key;
        }
    }
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return qtKey;  // Qt's codes are the upper-case ASCII codes, as Windows's are
    }
    if (qtKey >= Qt::Key_F1 && qtKey < Qt::Key_F1 + kLastFunctionKey) {
        return Win::VK_F1 + (qtKey - Qt::Key_F1);
    }
    switch (qtKey) {
        case Qt::Key_Backspace:
            return 0x08;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 0x09;
        case Qt::Key_Clear:
            return 0x0C;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return Win::VK_RETURN;
        case Qt::Key_Shift:
            return Win::VK_SHIFT;
        case Qt::Key_Control:
            return Win::VK_CONTROL;
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
            return Win::VK_MENU;
        case Qt::Key_Pause:
            return 0x13;
        case Qt::Key_CapsLock:
            return 0x14;
        case Qt::Key_Escape:
            return Win::VK_ESCAPE;
        case Qt::Key_Space:
            return 0x20;
        case Qt::Key_PageUp:
            return 0x21;
        case Qt::Key_PageDown:
            return 0x22;
        case Qt::Key_End:
            return 0x23;
        case Qt::Key_Home:
            return 0x24;
        case Qt::Key_Left:
            return 0x25;
        case Qt::Key_Up:
            return 0x26;
        case Qt::Key_Right:
            return 0x27;
        case Qt::Key_Down:
            return 0x28;
        case Qt::Key_Print:
            return 0x2C;
        case Qt::Key_Insert:
            return 0x2D;
        case Qt::Key_Delete:
            return 0x2E;
        case Qt::Key_Meta:
            return 0x5B;
        case Qt::Key_Menu:
            return 0x5D;
        case Qt::Key_NumLock:
            return 0x90;
        case Qt::Key_ScrollLock:
            return 0x91;
        default:
            return ShiftedKeyOf(qtKey);
    }
}

std::optional<Kora::Interface::WindowMessage> KeyMessageOf(const QKeyEvent& event,
                                                           Kora::Interface::WindowHandle window) {
    const bool press = event.type() == QEvent::KeyPress;
    if (!press && event.type() != QEvent::KeyRelease) {
        return std::nullopt;
    }
    if (!press && event.isAutoRepeat()) {
        return std::nullopt;
    }
    const int key = VirtualKeyOf(event.key(), event.modifiers().testFlag(Qt::KeypadModifier));
    if (key == 0) {
        return std::nullopt;
    }
    const bool alt = event.modifiers().testFlag(Qt::AltModifier) || key == Win::VK_MENU;
    const bool ctrl = event.modifiers().testFlag(Qt::ControlModifier) || key == Win::VK_CONTROL;
    const bool system = alt && !ctrl;

    Kora::Interface::WindowMessage message;
    message.window = window;
    message.message =
        press ? (system ? Win::WM_SYSKEYDOWN : Win::WM_KEYDOWN) : (system ? Win::WM_SYSKEYUP : Win::WM_KEYUP);
    message.wParam = Kora::Interface::WPARAM(key);
    Kora::Interface::LPARAM lParam = 1 | (Kora::Interface::LPARAM(event.nativeScanCode() & 0xFF) << 16);
    if (alt) {
        lParam |= kContextAlt;
    }
    if (!press || event.isAutoRepeat()) {
        lParam |= kPreviouslyDown;
    }
    if (!press) {
        lParam |= kReleasing;
    }
    message.lParam = lParam;
    return message;
}

}  // namespace Terminal::Ui
