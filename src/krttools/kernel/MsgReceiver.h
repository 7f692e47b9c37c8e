#pragma once

#include <json/value.h>

#include <mutex>

#include "kernel/MsgHandler.h"
#include "kora/interface/MsgHandlerI.h"

namespace Kora::Kernel {

// Base of tool classes that receive message-centre messages. The centres hold a small handler
// object that forwards to the receiver; the receiver's destruction (or Detach) clears the
// forwarding under the handler's lock, so a message that arrives later, on any thread, is
// dropped. A derived class whose overrides touch its own members and that may be destroyed
// while another thread delivers calls Detach() first in its own destructor.
class MsgReceiver {
public:
    MsgReceiver();
    virtual ~MsgReceiver();
    MsgReceiver(const MsgReceiver&) = delete;
    MsgReceiver& operator=(const MsgReceiver&) = delete;

    // High-performance messages; may run on a host worker thread.
    virtual void OnHPMsg(uint32_t number, const void* record, intptr_t extra) {}
    // Normal-centre messages.
    virtual void OnMsg(const QString& topic, const Json::Value& payload, const Json::Value& extra) {}

    MsgHandler& Subscriptions() { return m_subscriptions; }

    // Stops delivery to this receiver and drops every subscription. Waits for a delivery that
    // is running on another thread to finish.
    void Detach();

    class MyMsgHandler : public Interface::MsgHandlerI {
    public:
        explicit MyMsgHandler(MsgReceiver* owner) : m_owner(owner) {}
        void OnHPMessage(uint32_t number, const void* record, intptr_t extra) override;
        void OnMessage(const QString& topic, const Json::Value& payload, const Json::Value& extra) override;
        void ClearOwner();

    private:
        std::recursive_mutex m_lock;
        MsgReceiver* m_owner;
    };

private:
    Utility::Handle<MyMsgHandler> m_handler;
    MsgHandler m_subscriptions;
};

}  // namespace Kora::Kernel
