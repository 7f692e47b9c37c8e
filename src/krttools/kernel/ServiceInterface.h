#pragma once

#include "kora/interface/ServiceInterfaceI.h"

namespace Kora::Kernel {

// A service offered by the component: fixed name, version and property map.
class ServiceInterface : public virtual Interface::ServiceInterfaceI {
public:
    ServiceInterface(QString name, int32_t version, Utility::WStringMap properties);

    QString GetServiceName() const override { return m_name; }
    QString GetVersionedName() const override;
    int32_t GetServiceVersion() const override { return m_version; }
    Utility::WStringMap GetServiceProperties() const override { return m_properties; }
    void OnServiceRegistered() override {}
    void OnServiceUnregistered() override {}

private:
    QString m_name;
    int32_t m_version;
    Utility::WStringMap m_properties;
};

}  // namespace Kora::Kernel
