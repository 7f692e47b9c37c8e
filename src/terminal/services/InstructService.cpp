#include "services/InstructService.h"

#include <algorithm>

#include "kora/utility/JsonAccess.h"
#include "services/ProviderLists.h"

namespace Terminal::Services {

using namespace Kora::Interface;
using Kora::Utility::Handle;

InstructService::InstructService(ActivityMgrSvcI& activity)
    : ServiceBase(QStringLiteral("指令服务")), m_activity(activity) {}

bool InstructService::RegisterProvider(Handle<InstructProviderI> provider, const Kora::Utility::WStringMap&) {
    std::lock_guard lock(m_lock);
    return AddProvider(m_providers, provider);
}

bool InstructService::UnregisterProvider(Handle<InstructProviderI> provider,
                                         const Kora::Utility::WStringMap&) {
    Handle<InstructProviderI> released;
    std::lock_guard lock(m_lock);
    auto it = std::find(m_providers.begin(), m_providers.end(), provider);
    if (it == m_providers.end()) {
        return false;
    }
    released = *it;
    m_providers.erase(it);
    return true;
}

Json::Value InstructService::ExecuteInstruct(const Json::Value& request) {
    std::vector<Handle<InstructProviderI>> providers;
    {
        std::lock_guard lock(m_lock);
        m_executed.push_back(request);
        providers = m_providers;
    }
    const QString function = Kora::Utility::JsonWText(request, "Function");
    if (function == QStringLiteral("Linkage") || function == QStringLiteral("AnnounceStockChanged")) {
        const Json::Value& param = Kora::Utility::Member(request, "ActivityParam");
        return m_activity.AnnounceStockChanged(param.isObject() ? param : request);
    }
    for (const Handle<InstructProviderI>& provider : providers) {
        const auto instructs = provider->GetInstructs();
        const bool offers =
            instructs && std::any_of(instructs->begin(), instructs->end(), [&](const auto& entry) {
                return Kora::Utility::ValueOf(entry, QStringLiteral("Instruct")) == function;
            });
        if (offers) {
            return provider->ExecuteInstruct(request);
        }
    }
    return Json::Value();
}

Kora::Utility::SharedWStringMapVector InstructService::GetInstructs() {
    std::vector<Handle<InstructProviderI>> providers;
    {
        std::lock_guard lock(m_lock);
        providers = m_providers;
    }
    return GatherOffers(providers, [](InstructProviderI& provider) { return provider.GetInstructs(); });
}

std::vector<Json::Value> InstructService::Executed() const {
    std::lock_guard lock(m_lock);
    return m_executed;
}

size_t InstructService::ProviderCount() const {
    std::lock_guard lock(m_lock);
    return m_providers.size();
}

void InstructService::Clear() {
    std::vector<Handle<InstructProviderI>> released;
    std::lock_guard lock(m_lock);
    released.swap(m_providers);
}

}  // namespace Terminal::Services
