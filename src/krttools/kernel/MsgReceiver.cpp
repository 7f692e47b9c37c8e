#include "kernel/MsgReceiver.h"

#include "platform/EntryGuard.h"

namespace Kora::Kernel {

// Both centres call in from the host's loops: a receiver that throws must not unwind into them.
void MsgReceiver::MyMsgHandler::OnHPMessage(uint32_t number, const void* record, intptr_t extra) {
    std::lock_guard lock(m_lock);
    if (MsgReceiver* owner = m_owner) {
        Win::GuardEntry(
            [&] { owner->OnHPMsg(number, record, extra); },
            [&] { return QStringLiteral("%1|消息%2").arg(Win::TypeName(typeid(*owner))).arg(number); });
    }
}

void MsgReceiver::MyMsgHandler::OnMessage(const QString& topic, const Json::Value& payload,
                                          const Json::Value& extra) {
    std::lock_guard lock(m_lock);
    if (MsgReceiver* owner = m_owner) {
        Win::GuardEntry([&] { owner->OnMsg(topic, payload, extra); },
                        [&] { return Win::TypeName(typeid(*owner)) + QLatin1Char('|') + topic; });
    }
}

void MsgReceiver::MyMsgHandler::ClearOwner() {
    std::lock_guard lock(m_lock);
    m_owner = nullptr;
}

MsgReceiver::MsgReceiver() : m_handler(new MyMsgHandler(this)), m_subscriptions(m_handler.Get()) {}

MsgReceiver::~MsgReceiver() {
    Detach();
}

void MsgReceiver::Detach() {
    m_handler->ClearOwner();
    m_subscriptions.UnsubscribeAll();
}

}  // namespace Kora::Kernel
