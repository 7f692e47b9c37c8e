#include "frame/KeyboardMode.h"

#include <QGuiApplication>
#include <QWidget>

#include "KRUI.h"
#include "frame/CKRTToolsApp.h"
#include "kernel/EngineLog.h"
#include "kernel/HostAccess.h"
#include "kora/interface/ContentWindowSvcI.h"
#include "kora/interface/FrameServicesI.h"
#include "kora/interface/KRTEngineI.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "platform/WinMessage.h"
#include "shortcut/ShortcutActionHandler.h"
#include "shortcut/ShortcutKeyTable.h"

using Kora::Kernel::GetService;
using Kora::Utility::Handle;
namespace I = Kora::Interface;

namespace KeyboardMode {

namespace {

const QString kLoginFirst =
    QStringLiteral("您按下了激活快捷键下单窗口的快捷键，此功能需要您先登录交易账号后才能使用，谢谢配合");
const QString kLockedLog =
    QStringLiteral("交易已锁屏时使用快捷键或者焦点在密码框且输入密码包含快捷键值则返回!");

// Modifier keys as the message stream reports them, so a chord is recognised from the
// terminal's own key messages even when the window system's state is not at hand.
uint32_t g_heldModifiers = 0;

uint32_t ModifierOf(I::WPARAM key) {
    switch (key) {
        case Win::VK_SHIFT:
            return ShortcutKeyTable::kShift;
        case Win::VK_CONTROL:
            return ShortcutKeyTable::kCtrl;
        case Win::VK_MENU:
            return ShortcutKeyTable::kAlt;
        default:
            return 0;
    }
}

uint32_t CurrentModifiers() {
    uint32_t mask = g_heldModifiers;
    Qt::KeyboardModifiers qt = QGuiApplication::keyboardModifiers();
    if (qt & Qt::ControlModifier) {
        mask |= ShortcutKeyTable::kCtrl;
    }
    if (qt & Qt::ShiftModifier) {
        mask |= ShortcutKeyTable::kShift;
    }
    if (qt & Qt::AltModifier) {
        mask |= ShortcutKeyTable::kAlt;
    }
    return mask;
}

void Announce(bool on) {
    Json::Value switched(Json::objectValue);
    switched["ShortcutSwitch"] = on;
    Kora::Kernel::PostMsg(I::Topic::kShortcutSwitchChanged, switched);
    Json::Value state(Json::objectValue);
    state["State"] = on ? "Show" : "Hide";
    Kora::Kernel::PostMsg(I::Topic::kShortcutSetState, state);
}

bool HasLoggedInAccount() {
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    Json::Value accounts = engine->GetLoggedInAccounts();
    return (accounts.isArray() || accounts.isObject()) && !accounts.empty();
}

ShortcutActionHandler* ShortcutDialog() {
    Handle<I::ContentWindowI>& window = CKRTToolsApp::Instance().shortcutWindow;
    return window ? dynamic_cast<ShortcutActionHandler*>(window->GetHwnd()) : nullptr;
}

}  // namespace

bool IsOn() {
    return CKRTToolsApp::Instance().keyboardModeOn;
}

void SwitchOn(I::WindowHandle mainWindow) {
    CKRTToolsApp& app = CKRTToolsApp::Instance();
    if (!HasLoggedInAccount()) {
        KRUI_MsgBox(mainWindow, kLoginFirst, QStringLiteral("提示"), Win::MB_OK | Win::MB_ICONINFORMATION);
        Kora::Kernel::WriteLog(Kora::Kernel::kLogInfo, kLoginFirst);
        return;
    }
    Handle<I::ContentWindowSvcI> windows = GetService<I::ContentWindowSvcI>();
    if (windows && !app.shortcutWindow) {
        app.shortcutWindow = windows->CreateContentWindow(
            QStringLiteral("KRTShortcutTrade"), {{QStringLiteral("LoadMode"), QStringLiteral("PageFile")}});
        if (app.shortcutWindow) {
            app.shortcutWindow->SetParent(mainWindow);
            app.shortcutWindow->GetSavedParams(QStringLiteral("NewParam"), {});
            app.shortcutWindow->Show(true);
            app.shortcutWindow->Focus();
        }
    }
    app.shortcutWindow->Show(true);
    app.keyboardModeOn = true;
    Announce(true);
    Kora::Kernel::WriteLog(Kora::Kernel::kLogInfo, QStringLiteral("开启键盘下单模式"));
}

void SwitchOff() {
    CKRTToolsApp& app = CKRTToolsApp::Instance();
    if (!app.shortcutWindow) {
        return;
    }
    app.shortcutWindow->Show(false);
    app.keyboardModeOn = false;
    Announce(false);
    Kora::Kernel::WriteLog(Kora::Kernel::kLogInfo, QStringLiteral("关闭键盘下单模式"));
}

void Toggle() {
    if (IsOn()) {
        SwitchOff();
        return;
    }
    Handle<I::UIFrameI> frame = GetService<I::UIFrameI>();
    if (I::WindowHandle main = frame->GetMainWindow()) {
        SwitchOn(main);
    }
}

bool OnKeyMessage(const I::WindowMessage& message) {
    const bool down = message.message == Win::WM_KEYDOWN || message.message == Win::WM_SYSKEYDOWN;
    const bool up = message.message == Win::WM_KEYUP || message.message == Win::WM_SYSKEYUP;
    if (uint32_t modifier = ModifierOf(message.wParam)) {
        // Modifiers alone never trigger; they only shape the chord of the next key.
        g_heldModifiers = down ? (g_heldModifiers | modifier)
                          : up ? (g_heldModifiers & ~modifier)
                               : g_heldModifiers;
        return false;
    }
    if (!IsOn()) {
        return false;
    }
    ShortcutKeyTable& table = ShortcutKeyTable::Shared();
    if (up) {
        table.keyHeld = false;
        return false;
    }
    if (!down) {
        return false;
    }
    uint32_t modifiers = CurrentModifiers();
    if (message.message == Win::WM_SYSKEYDOWN) {
        modifiers |= ShortcutKeyTable::kAlt;
    }
    ShortcutKeyTable::Binding binding = table.Lookup(static_cast<int>(message.wParam), modifiers);
    if (binding.command < 1 || table.keyHeld || !CKRTToolsApp::Instance().shortcutWindow) {
        return false;
    }
    table.keyHeld = true;
    table.handled = false;
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    if (Kora::Utility::JsonBool(engine->GetProperty(QStringLiteral("Lock")), false)) {
        Kora::Kernel::WriteLog(Kora::Kernel::kLogError, kLockedLog);
        return true;
    }
    if (ShortcutActionHandler* dialog = ShortcutDialog()) {
        dialog->OnShortcutAction(binding.command, binding.option);
    }
    if (table.handled) {
        table.keyHeld = false;
    }
    return true;
}

}  // namespace KeyboardMode
