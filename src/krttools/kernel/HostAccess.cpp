#include "kernel/HostAccess.h"

#include <mutex>
#include <vector>

namespace Kora::Kernel {

namespace {

Interface::HostI* g_host = nullptr;
Interface::ComponentI* g_component = nullptr;

std::vector<std::function<void()>>& CacheResets() {
    static std::vector<std::function<void()>> resets;
    return resets;
}

// A handle cached with a reference, honouring the host's caching switch.
template <class I>
Handle<I> CachedLookUp(Handle<I>& cache, const std::function<Handle<I>(Interface::HostI&)>& lookUp) {
    Interface::HostI* host = GetHost();
    if (!host) {
        return Handle<I>();
    }
    if (!host->CanCacheServices()) {
        cache = nullptr;
        return lookUp(*host);
    }
    if (!cache) {
        cache = lookUp(*host);
    }
    return cache;
}

Handle<Interface::APIMgrI> g_apiMgr;
Handle<Interface::MsgCenterI> g_normalCenter;
Handle<Interface::HPMsgCenterI> g_hpCenter;

}  // namespace

namespace Internal {

void ForgetCachedServices() {
    g_apiMgr = nullptr;
    g_normalCenter = nullptr;
    g_hpCenter = nullptr;
    for (auto& reset : CacheResets()) {
        reset();
    }
}

void RegisterCacheReset(std::function<void()> reset) {
    CacheResets().push_back(std::move(reset));
}

Handle<Interface::ServiceInterfaceI> LookUpService(Interface::APIMgrI& registry, const QString& name) {
    return registry.GetService(name, true);
}

}  // namespace Internal

void SetHost(Interface::HostI* host) {
    if (host != g_host) {
        g_host = host;
        Internal::ForgetCachedServices();
    }
}

Interface::HostI* GetHost() {
    return g_host;
}

void SetComponent(Interface::ComponentI* component) {
    g_component = component;
}

Interface::ComponentI* GetComponent() {
    return g_component;
}

Handle<Interface::APIMgrI> GetAPIMgr() {
    return CachedLookUp<Interface::APIMgrI>(g_apiMgr, [](Interface::HostI& host) {
        return host.GetService(Interface::APIMgrI::ServiceName()).Cast<Interface::APIMgrI>();
    });
}

Handle<Interface::MsgCenterI> GetNormalMsgCenter() {
    return CachedLookUp<Interface::MsgCenterI>(g_normalCenter, [](Interface::HostI& host) {
        return host.GetMsgCenter(Interface::MsgCenterI::CenterName()).Cast<Interface::MsgCenterI>();
    });
}

Handle<Interface::HPMsgCenterI> GetHPMsgCenter() {
    return CachedLookUp<Interface::HPMsgCenterI>(g_hpCenter, [](Interface::HostI& host) {
        return host.GetMsgCenter(Interface::HPMsgCenterI::CenterName()).Cast<Interface::HPMsgCenterI>();
    });
}

void PostMsg(const QString& topic, const Json::Value& payload) {
    if (Handle<Interface::MsgCenterI> center = GetNormalMsgCenter()) {
        center->Post(topic, payload, 0);
    }
}

}  // namespace Kora::Kernel
