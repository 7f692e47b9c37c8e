#pragma once

#include <atomic>
#include <map>
#include <mutex>

#include "host/APIMgr.h"
#include "host/HPMsgCenter.h"
#include "host/NormalMsgCenter.h"
#include "kora/interface/HostI.h"

namespace Terminal {

// The object handed to CreateComponent. It answers services through the registry (and the
// registry itself by its name), the two message centres by name, and whether components may
// cache what they look up (switchable, on by default). Look-ups are counted per name.
class HostObject : public Kora::Interface::HostI {
public:
    HostObject(Kora::Utility::Handle<APIMgr> registry, Kora::Utility::Handle<NormalMsgCenter> normal,
               Kora::Utility::Handle<HPMsgCenter> highPerformance);

    Kora::Utility::Handle<Kora::Interface::ServiceInterfaceI> GetService(const QString& name) override;
    Kora::Utility::Handle<Kora::Utility::Shared> GetMsgCenter(const QString& name) override;
    bool CanCacheServices() override { return m_canCache.load(); }

    void SetCanCacheServices(bool canCache) { m_canCache.store(canCache); }
    int ServiceLookups(const QString& name) const;

private:
    Kora::Utility::Handle<APIMgr> m_registry;
    Kora::Utility::Handle<NormalMsgCenter> m_normal;
    Kora::Utility::Handle<HPMsgCenter> m_highPerformance;
    std::atomic<bool> m_canCache{true};
    mutable std::mutex m_lock;
    std::map<QString, int> m_lookups;
};

}  // namespace Terminal
