#pragma once

#include <QEvent>
#include <QObject>
#include <memory>
#include <utility>

#include "kora/interface/WindowTypes.h"

// The Windows message model the tools were designed around, over Qt events: numbered messages
// posted or sent to a window, with two parameters. A window receives them by deriving from
// Win::MessageWindow (besides its QWidget base); nothing else needs wiring.
namespace Win {

using Kora::Interface::LPARAM;
using Kora::Interface::LRESULT;
using Kora::Interface::UINT;
using Kora::Interface::WPARAM;

constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_USER = 0x0400;

constexpr int VK_RETURN = 13;
constexpr int VK_SHIFT = 16;
constexpr int VK_CONTROL = 17;
constexpr int VK_MENU = 18;  // Alt
constexpr int VK_ESCAPE = 27;
constexpr int VK_F1 = 112;
constexpr int VK_F5 = 116;
constexpr int VK_F12 = 123;

// Data handed over with a posted message. The event owns it: it is freed after delivery, or
// when the receiver is gone before delivery, so a posted payload never leaks.
struct MessagePayload {
    virtual ~MessagePayload() = default;
};

template <class T>
struct Payload : MessagePayload {
    explicit Payload(T v) : value(std::move(v)) {}
    T value;
};

// Reads a payload handed as WPARAM or LPARAM by the Post overload below. Only for message
// numbers whose senders always post owned data: a plain number is not a payload.
template <class T>
T* PayloadValue(uintptr_t param) {
    auto* payload = dynamic_cast<Payload<T>*>(reinterpret_cast<MessagePayload*>(param));
    return payload ? &payload->value : nullptr;
}

class MessageWindow {
public:
    virtual ~MessageWindow() = default;
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) { return 0; }
};

// Queues a message for the target's thread. False when the target cannot receive messages.
bool PostMessage(QObject* target, UINT message, WPARAM wParam, LPARAM lParam);

// Queues a message whose parameters are owned data: the receiver reads them with
// PayloadValue<T>(wParam) / PayloadValue<U>(lParam) during delivery.
template <class T, class U>
bool PostMessage(QObject* target, UINT message, std::unique_ptr<Payload<T>> wParam,
                 std::unique_ptr<Payload<U>> lParam);
// The same with a plain number as WPARAM and owned data as LPARAM.
template <class U>
bool PostMessage(QObject* target, UINT message, WPARAM wParam, std::unique_ptr<Payload<U>> lParam);

// Delivers at once on the calling thread and answers the receiver's result (0 when the target
// cannot receive messages).
LRESULT SendMessage(QObject* target, UINT message, WPARAM wParam, LPARAM lParam);

namespace Internal {
bool PostOwned(QObject* target, UINT message, std::unique_ptr<MessagePayload> wParam,
               std::unique_ptr<MessagePayload> lParam);
bool PostOwned(QObject* target, UINT message, WPARAM wParam, std::unique_ptr<MessagePayload> lParam);
}  // namespace Internal

template <class T, class U>
bool PostMessage(QObject* target, UINT message, std::unique_ptr<Payload<T>> wParam,
                 std::unique_ptr<Payload<U>> lParam) {
    return Internal::PostOwned(target, message, std::move(wParam), std::move(lParam));
}

template <class U>
bool PostMessage(QObject* target, UINT message, WPARAM wParam, std::unique_ptr<Payload<U>> lParam) {
    return Internal::PostOwned(target, message, wParam, std::move(lParam));
}

template <class T>
std::unique_ptr<Payload<T>> MakePayload(T value) {
    return std::make_unique<Payload<T>>(std::move(value));
}

}  // namespace Win
