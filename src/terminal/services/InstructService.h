#pragma once

#include <mutex>
#include <vector>

#include "host/ServiceBase.h"
#include "kora/interface/FrameServicesI.h"
#include "kora/interface/InstructI.h"

namespace Terminal::Services {

// "Kora.Platform.Service.InstructSvc": the registry of instruct providers. Executing a request
// runs the instruct named by its "Function" on the first provider that lists it and answers
// that provider's answer; "Linkage" and "AnnounceStockChanged" carry linkage instead: the
// request's "ActivityParam" (or the request itself) is announced through the activity manager.
// Unknown instructs answer null. Every request executed is kept.
class InstructService : public ServiceBase<Kora::Interface::InstructSvcI> {
public:
    explicit InstructService(Kora::Interface::ActivityMgrSvcI& activity);

    bool RegisterProvider(Kora::Utility::Handle<Kora::Interface::InstructProviderI> provider,
                          const Kora::Utility::WStringMap& params) override;
    bool UnregisterProvider(Kora::Utility::Handle<Kora::Interface::InstructProviderI> provider,
                            const Kora::Utility::WStringMap& params) override;
    Json::Value ExecuteInstruct(const Json::Value& request) override;
    Kora::Utility::SharedWStringMapVector GetInstructs() override;

    std::vector<Json::Value> Executed() const;
    size_t ProviderCount() const;
    void Clear();

private:
    Kora::Interface::ActivityMgrSvcI& m_activity;
    mutable std::mutex m_lock;
    std::vector<Kora::Utility::Handle<Kora::Interface::InstructProviderI>> m_providers;
    std::vector<Json::Value> m_executed;
};

}  // namespace Terminal::Services
