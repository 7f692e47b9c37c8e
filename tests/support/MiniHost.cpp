#include "support/MiniHost.h"

#include <algorithm>

namespace MiniHost {

namespace {
template <class H>
bool Erase(std::vector<H>& handlers, const H& handler) {
    auto it = std::find(handlers.begin(), handlers.end(), handler);
    if (it == handlers.end()) {
        return false;
    }
    handlers.erase(it);
    return true;
}
}  // namespace

bool ApiMgr::RegisterService(Handle<I::ServiceInterfaceI> service) {
    if (!service) {
        return false;
    }
    services[service->GetServiceName()] = service;
    return true;
}

bool ApiMgr::UnregisterService(Handle<I::ServiceInterfaceI> service) {
    return service && services.erase(service->GetServiceName()) > 0;
}

Handle<I::ServiceInterfaceI> ApiMgr::GetService(const QString& name, bool) {
    ++lookups;
    auto it = services.find(name);
    return it == services.end() ? Handle<I::ServiceInterfaceI>() : it->second;
}

bool MsgCenter::Subscribe(Handle<I::MsgHandlerI> handler, const QString& topic) {
    std::lock_guard lock(m_lock);
    m_subscribers[topic].push_back(handler);
    return true;
}

bool MsgCenter::Unsubscribe(Handle<I::MsgHandlerI> handler, const QString& topic) {
    std::lock_guard lock(m_lock);
    return Erase(m_subscribers[topic], handler);
}

bool MsgCenter::Post(const QString& topic, const Json::Value& payload, int32_t) {
    std::vector<Handle<I::MsgHandlerI>> targets;
    {
        std::lock_guard lock(m_lock);
        posts.emplace_back(topic, payload);
        targets = m_subscribers[topic];
    }
    for (auto& handler : targets) {
        handler->OnMessage(topic, payload, Json::Value());
    }
    return true;
}

size_t MsgCenter::SubscriberCount(const QString& topic) {
    std::lock_guard lock(m_lock);
    return m_subscribers[topic].size();
}

std::vector<Handle<I::MsgHandlerI>> MsgCenter::Subscribers(const QString& topic) {
    std::lock_guard lock(m_lock);
    return m_subscribers[topic];
}

bool HPMsgCenter::Subscribe(Handle<I::MsgHandlerI> handler, uint32_t number) {
    std::lock_guard lock(m_lock);
    m_subscribers[number].push_back(handler);
    return true;
}

bool HPMsgCenter::Unsubscribe(Handle<I::MsgHandlerI> handler, uint32_t number) {
    std::lock_guard lock(m_lock);
    return Erase(m_subscribers[number], handler);
}

void HPMsgCenter::Deliver(uint32_t number, const void* record) {
    std::vector<Handle<I::MsgHandlerI>> targets;
    {
        std::lock_guard lock(m_lock);
        targets = m_subscribers[number];
    }
    for (auto& handler : targets) {
        handler->OnHPMessage(number, record, 0);
    }
}

size_t HPMsgCenter::SubscriberCount(uint32_t number) {
    std::lock_guard lock(m_lock);
    return m_subscribers[number].size();
}

bool InstructSvc::RegisterProvider(Handle<I::InstructProviderI> provider,
                                   const Kora::Utility::WStringMap& params) {
    providers.push_back(provider);
    lastRegisterParams = params;
    return true;
}

bool InstructSvc::UnregisterProvider(Handle<I::InstructProviderI> provider,
                                     const Kora::Utility::WStringMap&) {
    return Erase(providers, provider);
}

Json::Value InstructSvc::ExecuteInstruct(const Json::Value& request) {
    for (auto& provider : providers) {
        provider->ExecuteInstruct(request);
    }
    return Json::Value();
}

Kora::Utility::SharedWStringMapVector InstructSvc::GetInstructs() {
    auto all = std::make_shared<std::vector<Kora::Utility::WStringMap>>();
    for (auto& provider : providers) {
        auto some = provider->GetInstructs();
        all->insert(all->end(), some->begin(), some->end());
    }
    return all;
}

bool ContentWindowSvc::RegisterProvider(Handle<I::ContentWindowProviderI> provider) {
    providers.push_back(provider);
    return true;
}

bool ContentWindowSvc::UnregisterProvider(Handle<I::ContentWindowProviderI> provider) {
    return Erase(providers, provider);
}

Handle<I::ContentWindowI> ContentWindowSvc::CreateContentWindow(const QString& type,
                                                                const Kora::Utility::WStringMap& params) {
    for (auto& provider : providers) {
        if (auto window = provider->CreateContentWindow(type, params)) {
            return window;
        }
    }
    return {};
}

Kora::Utility::SharedWStringMapVector ContentWindowSvc::GetWindowTypes() {
    auto all = std::make_shared<std::vector<Kora::Utility::WStringMap>>();
    for (auto& provider : providers) {
        auto some = provider->GetWindowTypes();
        all->insert(all->end(), some->begin(), some->end());
    }
    return all;
}

Host::Host() : apiMgr(new ApiMgr), normalCenter(new MsgCenter), hpCenter(new HPMsgCenter) {}

Handle<I::ServiceInterfaceI> Host::GetService(const QString& name) {
    ++hostLookups;
    if (name == I::APIMgrI::ServiceName()) {
        return apiMgr;
    }
    return apiMgr ? apiMgr->GetService(name, true) : Handle<I::ServiceInterfaceI>();
}

Handle<Kora::Utility::Shared> Host::GetMsgCenter(const QString& name) {
    if (name == I::MsgCenterI::CenterName()) {
        return normalCenter;
    }
    if (name == I::HPMsgCenterI::CenterName()) {
        return hpCenter;
    }
    return {};
}

void Host::AddService(Handle<I::ServiceInterfaceI> service) {
    if (apiMgr) {
        apiMgr->RegisterService(service);
    }
}

}  // namespace MiniHost
