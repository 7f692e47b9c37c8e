#pragma once

#include "kora/interface/ServiceInterfaceI.h"

namespace Terminal {

// The common part of every host service: its name (I::ServiceName()), version 1 and a property
// map naming it for people ({"Text": ...}).
template <class I>
class ServiceBase : public I {
public:
    explicit ServiceBase(const QString& text) : m_properties{{QStringLiteral("Text"), text}} {}

    QString GetServiceName() const override { return I::ServiceName(); }
    QString GetVersionedName() const override {
        return I::ServiceName() + QLatin1Char('.') + QString::number(kVersion);
    }
    int32_t GetServiceVersion() const override { return kVersion; }
    Kora::Utility::WStringMap GetServiceProperties() const override { return m_properties; }
    void OnServiceRegistered() override {}
    void OnServiceUnregistered() override {}

private:
    static constexpr int32_t kVersion = 1;
    Kora::Utility::WStringMap m_properties;
};

}  // namespace Terminal
