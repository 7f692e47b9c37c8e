#pragma once

#include <QString>
#include <map>
#include <mutex>

#include "host/ServiceBase.h"
#include "kora/interface/APIMgrI.h"

namespace Terminal {

// The service registry. Services are registered by their own name; a second service of a name
// already taken is refused. Looking up the registry's own name answers the registry. Every
// look-up is counted, so tests can see whether a component cached a service or asked again.
// Safe from any thread.
class APIMgr : public ServiceBase<Kora::Interface::APIMgrI> {
public:
    APIMgr();

    bool RegisterService(Kora::Utility::Handle<Kora::Interface::ServiceInterfaceI> service) override;
    bool UnregisterService(Kora::Utility::Handle<Kora::Interface::ServiceInterfaceI> service) override;
    Kora::Utility::Handle<Kora::Interface::ServiceInterfaceI> GetService(const QString& name,
                                                                         bool create) override;

    // Removes the service of that name, whoever registered it (a host without that service).
    bool Withdraw(const QString& name);
    // Drops every registration.
    void Clear();
    std::vector<QString> ServiceNames() const;
    int LookupCount(const QString& name) const;

private:
    mutable std::mutex m_lock;
    std::map<QString, Kora::Utility::Handle<Kora::Interface::ServiceInterfaceI>> m_services;
    std::map<QString, int> m_lookups;
};

}  // namespace Terminal
