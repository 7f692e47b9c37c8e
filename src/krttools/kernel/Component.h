#pragma once

#include <mutex>

#include "kora/interface/ComponentI.h"
#include "kora/interface/HostI.h"
#include "kora/interface/MsgHandlerI.h"

namespace Kora::Kernel {

// Base of a component object: stores the host and itself process-wide for the glue, answers
// true to Prepare, Start and Notify, and ignores messages.
class Component : public virtual Interface::ComponentI, public virtual Interface::MsgHandlerI {
public:
    explicit Component(Interface::HostI* host);
    ~Component() override;

    bool Prepare() override { return true; }
    bool Start() override { return true; }
    bool Notify(int32_t) override { return true; }

    void OnHPMessage(uint32_t, const void*, intptr_t) override {}
    void OnMessage(const QString&, const Json::Value&, const Json::Value&) override {}

protected:
    std::recursive_mutex m_lock;
};

}  // namespace Kora::Kernel
