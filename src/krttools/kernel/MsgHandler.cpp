#include "kernel/MsgHandler.h"

#include "kernel/HostAccess.h"

namespace Kora::Kernel {

MsgHandler::MsgHandler(Interface::MsgHandlerI* handler) : m_handler(handler) {}

Utility::Handle<Interface::MsgHandlerI> MsgHandler::HandlerHandle() const {
    return Utility::Handle<Interface::MsgHandlerI>(m_handler);
}

bool MsgHandler::Subscribe(const QString& topic) {
    std::lock_guard lock(m_lock);
    Handle<Interface::MsgCenterI> center = GetNormalMsgCenter();
    if (!center) {
        return false;
    }
    bool ok = center->Subscribe(HandlerHandle(), topic);
    m_topics.insert(topic);
    return ok;
}

bool MsgHandler::Unsubscribe(const QString& topic) {
    std::lock_guard lock(m_lock);
    Handle<Interface::MsgCenterI> center = GetNormalMsgCenter();
    if (!center) {
        return false;
    }
    bool ok = center->Unsubscribe(HandlerHandle(), topic);
    m_topics.erase(topic);
    return ok;
}

bool MsgHandler::SubscribeHP(uint32_t number) {
    std::lock_guard lock(m_lock);
    Handle<Interface::HPMsgCenterI> center = GetHPMsgCenter();
    if (!center) {
        return false;
    }
    bool ok = center->Subscribe(HandlerHandle(), number);
    m_hpNumbers.insert(number);
    return ok;
}

bool MsgHandler::UnsubscribeHP(uint32_t number) {
    std::lock_guard lock(m_lock);
    Handle<Interface::HPMsgCenterI> center = GetHPMsgCenter();
    if (!center) {
        return false;
    }
    bool ok = center->Unsubscribe(HandlerHandle(), number);
    m_hpNumbers.erase(number);
    return ok;
}

void MsgHandler::UnsubscribeAll() {
    std::lock_guard lock(m_lock);
    if (!m_topics.empty()) {
        if (Handle<Interface::MsgCenterI> center = GetNormalMsgCenter()) {
            for (const QString& topic : m_topics) {
                center->Unsubscribe(HandlerHandle(), topic);
            }
        }
        m_topics.clear();
    }
    if (!m_hpNumbers.empty()) {
        if (Handle<Interface::HPMsgCenterI> center = GetHPMsgCenter()) {
            for (uint32_t number : m_hpNumbers) {
                center->Unsubscribe(HandlerHandle(), number);
            }
        }
        m_hpNumbers.clear();
    }
}

std::set<QString> MsgHandler::Topics() const {
    std::lock_guard lock(m_lock);
    return m_topics;
}

std::set<uint32_t> MsgHandler::HPNumbers() const {
    std::lock_guard lock(m_lock);
    return m_hpNumbers;
}

}  // namespace Kora::Kernel
