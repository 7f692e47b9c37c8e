#include "frame/KeyboardMode.h"

#include <QApplication>
#include <QEvent>
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
#include "shortcut/CDlgShortcutTrade.h"
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

// The lParam bit of a key message that says Alt was down when the key went down.
constexpr I::LPARAM kAltContextBit = I::LPARAM(1) << 29;

bool IsModifierKey(I::WPARAM key) {
    return key == Win::VK_SHIFT || key == Win::VK_CONTROL || key == Win::VK_MENU;
}

// The modifiers held when the key went down, from the key state the application keeps as the
// window system delivers each key: nothing the component remembers from earlier messages, which
// a release it never sees (taken by a pop-up, or by another application) would leave behind.
uint32_t ModifiersOf(const I::WindowMessage& message) {
    uint32_t mask = (message.lParam & kAltContextBit) ? uint32_t(ShortcutKeyTable::kAlt) : 0u;
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

// A key-up the filter never sees would hold the latch of that key's action, and its next press
// would do nothing. Whenever key-ups may have gone elsewhere, the latch is released: when the
// terminal loses the keyboard to another application and when a pop-up (a menu) closes.
class LatchRelease : public QObject {
public:
    static void Install() {
        if (!Instance() && qApp) {
            Instance() = new LatchRelease;
            qApp->installEventFilter(Instance());
        }
    }
    static void Remove() { delete std::exchange(Instance(), nullptr); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool applicationLeft = event->type() == QEvent::ApplicationDeactivate;
        const bool popupClosed = event->type() == QEvent::Hide && watched->isWidgetType() &&
                                 static_cast<QWidget*>(watched)->windowType() == Qt::Popup;
        if (applicationLeft || popupClosed) {
            ShortcutKeyTable::Shared().keyHeld = false;
        }
        return false;
    }

private:
    static LatchRelease*& Instance() {
        static LatchRelease* instance = nullptr;
        return instance;
    }
};

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
            // Owned by the main window, the strip floats above it rather than over its menu.
            if (auto* strip = dynamic_cast<CDlgShortcutTrade*>(app.shortcutWindow->GetHwnd())) {
                strip->FloatAbove(mainWindow);
            }
            app.shortcutWindow->GetSavedParams(QStringLiteral("NewParam"), {});
            app.shortcutWindow->Show(true);
            app.shortcutWindow->Focus();
        }
    }
    app.shortcutWindow->Show(true);
    LatchRelease::Install();
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

void ReleaseKeyState() {
    LatchRelease::Remove();
    ShortcutKeyTable::Shared().keyHeld = false;
}

bool OnKeyMessage(const I::WindowMessage& message) {
    const bool down = message.message == Win::WM_KEYDOWN || message.message == Win::WM_SYSKEYDOWN;
    const bool up = message.message == Win::WM_KEYUP || message.message == Win::WM_SYSKEYUP;
    // Modifiers alone never trigger; the key state tells which are held when a key goes down.
    if (IsModifierKey(message.wParam) || !IsOn()) {
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
    ShortcutKeyTable::Binding binding = table.Lookup(static_cast<int>(message.wParam), ModifiersOf(message));
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
