#pragma once

#include <json/value.h>

#include <QString>
#include <functional>

#include "kora/interface/APIMgrI.h"
#include "kora/interface/ComponentI.h"
#include "kora/interface/HostI.h"
#include "kora/interface/MsgCenterI.h"

namespace Kora::Kernel {

using Utility::Handle;

// The host object and the component, stored process-wide when the component is created. Both
// stay valid until the component is destroyed. Setting a new host forgets every cached service.
void SetHost(Interface::HostI* host);
Interface::HostI* GetHost();
void SetComponent(Interface::ComponentI* component);
Interface::ComponentI* GetComponent();

// The service registry. With caching allowed by the host it is kept (with a reference) and
// re-used; otherwise it is looked up afresh on every call. Empty without a host or registry.
Handle<Interface::APIMgrI> GetAPIMgr();

namespace Internal {
// Drops every accessor's cached pointer; runs whenever the host changes.
void ForgetCachedServices();
void RegisterCacheReset(std::function<void()> reset);
Handle<Interface::ServiceInterfaceI> LookUpService(Interface::APIMgrI& registry, const QString& name);
}  // namespace Internal

// The service I (I::ServiceName()). With caching allowed, the accessor keeps the raw pointer it
// found (without a reference: the registry owns services for the host's lifetime) and answers
// it again; otherwise it asks the registry each time. Empty when the host has no such service.
template <class I>
Handle<I> GetService() {
    static I* cache = [] {
        Internal::RegisterCacheReset([] { cache = nullptr; });
        return static_cast<I*>(nullptr);
    }();
    Interface::HostI* host = GetHost();
    Handle<Interface::APIMgrI> registry = GetAPIMgr();
    if (!host || !registry) {
        return Handle<I>();
    }
    if (host->CanCacheServices() && cache) {
        return Handle<I>(cache);
    }
    Handle<I> service = Internal::LookUpService(*registry, I::ServiceName()).template Cast<I>();
    cache = service.Get();
    return service;
}

// The two message centres, cached like GetAPIMgr.
Handle<Interface::MsgCenterI> GetNormalMsgCenter();
Handle<Interface::HPMsgCenterI> GetHPMsgCenter();

// Posts on the normal centre; does nothing without one.
void PostMsg(const QString& topic, const Json::Value& payload);

}  // namespace Kora::Kernel
