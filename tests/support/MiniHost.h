#pragma once

#include <QString>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "kora/interface/APIMgrI.h"
#include "kora/interface/ContentWindowSvcI.h"
#include "kora/interface/HostI.h"
#include "kora/interface/InstructI.h"
#include "kora/interface/MsgCenterI.h"

// A deliberately small host for testing the glue itself: registries that can be left out, a
// switch for service caching, look-up counters, and message centres that deliver on the
// caller's thread. Tool tests use the terminal's real host instead.
namespace MiniHost {

using Kora::Utility::Handle;
namespace I = Kora::Interface;

class ServiceBase : public virtual I::ServiceInterfaceI {
public:
    explicit ServiceBase(QString name) : m_name(std::move(name)) {}
    QString GetServiceName() const override { return m_name; }
    QString GetVersionedName() const override { return m_name + QStringLiteral(".1"); }
    int32_t GetServiceVersion() const override { return 1; }
    Kora::Utility::WStringMap GetServiceProperties() const override { return {}; }
    void OnServiceRegistered() override {}
    void OnServiceUnregistered() override {}

private:
    QString m_name;
};

class ApiMgr : public I::APIMgrI, public ServiceBase {
public:
    ApiMgr() : ServiceBase(I::APIMgrI::ServiceName()) {}
    bool RegisterService(Handle<I::ServiceInterfaceI> service) override;
    bool UnregisterService(Handle<I::ServiceInterfaceI> service) override;
    Handle<I::ServiceInterfaceI> GetService(const QString& name, bool create) override;

    int lookups = 0;
    std::map<QString, Handle<I::ServiceInterfaceI>> services;
};

// Normal centre: Post delivers at once and is recorded.
class MsgCenter : public I::MsgCenterI {
public:
    bool Subscribe(Handle<I::MsgHandlerI> handler, const QString& topic) override;
    bool Unsubscribe(Handle<I::MsgHandlerI> handler, const QString& topic) override;
    bool Post(const QString& topic, const Json::Value& payload, int32_t flags) override;

    size_t SubscriberCount(const QString& topic);
    std::vector<Handle<I::MsgHandlerI>> Subscribers(const QString& topic);
    std::vector<std::pair<QString, Json::Value>> posts;

private:
    std::mutex m_lock;
    std::map<QString, std::vector<Handle<I::MsgHandlerI>>> m_subscribers;
};

// High-performance centre: Deliver calls every subscriber of the number on the caller's thread.
class HPMsgCenter : public I::HPMsgCenterI {
public:
    bool Subscribe(Handle<I::MsgHandlerI> handler, uint32_t number) override;
    bool Unsubscribe(Handle<I::MsgHandlerI> handler, uint32_t number) override;
    void Deliver(uint32_t number, const void* record);

    size_t SubscriberCount(uint32_t number);

private:
    std::mutex m_lock;
    std::map<uint32_t, std::vector<Handle<I::MsgHandlerI>>> m_subscribers;
};

class InstructSvc : public I::InstructSvcI, public ServiceBase {
public:
    InstructSvc() : ServiceBase(I::InstructSvcI::ServiceName()) {}
    bool RegisterProvider(Handle<I::InstructProviderI> provider,
                          const Kora::Utility::WStringMap& params) override;
    bool UnregisterProvider(Handle<I::InstructProviderI> provider,
                            const Kora::Utility::WStringMap& params) override;
    Json::Value ExecuteInstruct(const Json::Value& request) override;
    Kora::Utility::SharedWStringMapVector GetInstructs() override;

    std::vector<Handle<I::InstructProviderI>> providers;
    Kora::Utility::WStringMap lastRegisterParams;
};

class ContentWindowSvc : public I::ContentWindowSvcI, public ServiceBase {
public:
    ContentWindowSvc() : ServiceBase(I::ContentWindowSvcI::ServiceName()) {}
    bool RegisterProvider(Handle<I::ContentWindowProviderI> provider) override;
    bool UnregisterProvider(Handle<I::ContentWindowProviderI> provider) override;
    Handle<I::ContentWindowI> CreateContentWindow(const QString& type,
                                                  const Kora::Utility::WStringMap& params) override;
    bool DestroyContentWindow(Handle<I::ContentWindowI>) override { return true; }
    Kora::Utility::SharedWStringMapVector GetWindowTypes() override;
    Handle<I::ContentWindowI> GetContentWindow(const Kora::Utility::WStringMap&) override { return {}; }

    std::vector<Handle<I::ContentWindowProviderI>> providers;
};

class Host : public I::HostI {
public:
    // A host with a registry and both centres; tests drop what they want missing.
    Host();

    Handle<I::ServiceInterfaceI> GetService(const QString& name) override;
    Handle<Kora::Utility::Shared> GetMsgCenter(const QString& name) override;
    bool CanCacheServices() override { return canCache; }

    // Registers a service with the registry (when there is one).
    void AddService(Handle<I::ServiceInterfaceI> service);

    bool canCache = true;
    int hostLookups = 0;
    Handle<ApiMgr> apiMgr;
    Handle<MsgCenter> normalCenter;
    Handle<HPMsgCenter> hpCenter;
};

}  // namespace MiniHost
