#include "kernel/MsgReceiver.h"

namespace Kora::Kernel {

void MsgReceiver::MyMsgHandler::OnHPMessage(uint32_t number, const void* record, intptr_t extra) {
    std::lock_guard lock(m_lock);
    if (m_owner) {
        m_owner->OnHPMsg(number, record, extra);
    }
}

void MsgReceiver::MyMsgHandler::OnMessage(const QString& topic, const Json::Value& payload,
                                          const Json::Value& extra) {
    std::lock_guard lock(m_lock);
    if (m_owner) {
        m_owner->OnMsg(topic, payload, extra);
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
