#include "host/APIMgr.h"

namespace Terminal {

using Kora::Interface::ServiceInterfaceI;
using Kora::Utility::Handle;

APIMgr::APIMgr() : ServiceBase(QStringLiteral("服务管理")) {}

bool APIMgr::RegisterService(Handle<ServiceInterfaceI> service) {
    if (!service) {
        return false;
    }
    const QString name = service->GetServiceName();
    {
        std::lock_guard lock(m_lock);
        if (name.isEmpty() || name == ServiceName() || m_services.count(name)) {
            return false;
        }
        m_services[name] = service;
    }
    service->OnServiceRegistered();
    return true;
}

bool APIMgr::UnregisterService(Handle<ServiceInterfaceI> service) {
    if (!service) {
        return false;
    }
    {
        std::lock_guard lock(m_lock);
        auto it = m_services.find(service->GetServiceName());
        if (it == m_services.end() || !(it->second == service)) {
            return false;
        }
        m_services.erase(it);
    }
    service->OnServiceUnregistered();
    return true;
}

Handle<ServiceInterfaceI> APIMgr::GetService(const QString& name, bool) {
    std::lock_guard lock(m_lock);
    ++m_lookups[name];
    if (name == ServiceName()) {
        return Handle<ServiceInterfaceI>(this);
    }
    auto it = m_services.find(name);
    return it == m_services.end() ? Handle<ServiceInterfaceI>() : it->second;
}

bool APIMgr::Withdraw(const QString& name) {
    Handle<ServiceInterfaceI> service;
    {
        std::lock_guard lock(m_lock);
        auto it = m_services.find(name);
        if (it == m_services.end()) {
            return false;
        }
        service = it->second;
        m_services.erase(it);
    }
    service->OnServiceUnregistered();
    return true;
}

void APIMgr::Clear() {
    std::map<QString, Handle<ServiceInterfaceI>> services;
    {
        std::lock_guard lock(m_lock);
        services.swap(m_services);
    }
}

std::vector<QString> APIMgr::ServiceNames() const {
    std::lock_guard lock(m_lock);
    std::vector<QString> names;
    for (const auto& [name, service] : m_services) {
        names.push_back(name);
    }
    return names;
}

int APIMgr::LookupCount(const QString& name) const {
    std::lock_guard lock(m_lock);
    auto it = m_lookups.find(name);
    return it == m_lookups.end() ? 0 : it->second;
}

}  // namespace Terminal
