#include "platform/WinMessage.h"

#include "platform/EntryGuard.h"

#include <QCoreApplication>
#include <QThread>
#include <mutex>

namespace Win {

namespace {

const QEvent::Type kWindowMessageEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

class WindowMessageEvent : public QEvent {
public:
    // The event keeps whatever data the parameters point to until it is destroyed.
    WindowMessageEvent(UINT message, WPARAM wParam, LPARAM lParam,
                       std::unique_ptr<MessagePayload> ownedW = nullptr,
                       std::unique_ptr<MessagePayload> ownedL = nullptr)
        : QEvent(kWindowMessageEvent),
          m_message(message),
          m_wParam(wParam),
          m_lParam(lParam),
          m_ownedW(std::move(ownedW)),
          m_ownedL(std::move(ownedL)) {}

    LRESULT DeliverTo(MessageWindow& window) const { return window.OnMessage(m_message, m_wParam, m_lParam); }
    UINT Number() const { return m_message; }

private:
    UINT m_message;
    WPARAM m_wParam;
    LPARAM m_lParam;
    std::unique_ptr<MessagePayload> m_ownedW;
    std::unique_ptr<MessagePayload> m_ownedL;
};

// Routes window-message events to their receiver's OnMessage. Installed on the application
// once, so any QObject that is also a MessageWindow receives messages without wiring.
class MessageRouter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != kWindowMessageEvent) {
            return false;
        }
        if (auto* window = dynamic_cast<MessageWindow*>(watched)) {
            const auto* message = static_cast<WindowMessageEvent*>(event);
            GuardEntry(
                [&] { message->DeliverTo(*window); },
                [&] { return QStringLiteral("%1|消息%2").arg(WindowName(watched)).arg(message->Number()); });
        }
        return true;
    }
};

void InstallRouterOnAppThread() {
    QCoreApplication* app = QCoreApplication::instance();
    auto* router = new MessageRouter;
    router->setParent(app);
    app->installEventFilter(router);
}

// The router must be installed from the application's thread. A first post from a host worker
// thread queues the installation ahead of its own event, so the event still finds the router.
void EnsureRouter() {
    static std::once_flag once;
    std::call_once(once, [] {
        QCoreApplication* app = QCoreApplication::instance();
        if (QThread::currentThread() == app->thread()) {
            InstallRouterOnAppThread();
        } else {
            QMetaObject::invokeMethod(app, &InstallRouterOnAppThread, Qt::QueuedConnection);
        }
    });
}

bool Queue(QObject* target, std::unique_ptr<WindowMessageEvent> event) {
    if (!target || !dynamic_cast<MessageWindow*>(target) || !QCoreApplication::instance()) {
        return false;
    }
    EnsureRouter();
    QCoreApplication::postEvent(target, event.release());
    return true;
}

}  // namespace

bool PostMessage(QObject* target, UINT message, WPARAM wParam, LPARAM lParam) {
    return Queue(target, std::make_unique<WindowMessageEvent>(message, wParam, lParam));
}

namespace Internal {

bool PostOwned(QObject* target, UINT message, std::unique_ptr<MessagePayload> wParam,
               std::unique_ptr<MessagePayload> lParam) {
    const auto w = reinterpret_cast<WPARAM>(wParam.get());
    const auto l = reinterpret_cast<LPARAM>(lParam.get());
    return Queue(target,
                 std::make_unique<WindowMessageEvent>(message, w, l, std::move(wParam), std::move(lParam)));
}

bool PostOwned(QObject* target, UINT message, WPARAM wParam, std::unique_ptr<MessagePayload> lParam) {
    const auto l = reinterpret_cast<LPARAM>(lParam.get());
    return Queue(target,
                 std::make_unique<WindowMessageEvent>(message, wParam, l, nullptr, std::move(lParam)));
}

}  // namespace Internal

LRESULT SendMessage(QObject* target, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* window = dynamic_cast<MessageWindow*>(target);
    return window ? window->OnMessage(message, wParam, lParam) : 0;
}

}  // namespace Win
