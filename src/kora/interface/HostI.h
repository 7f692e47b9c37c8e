#pragma once

#include "kora/interface/ServiceInterfaceI.h"

namespace Kora::Interface {

// The terminal itself, as handed to CreateComponent.
class KORA_API HostI : public virtual Utility::Shared {
public:
    // Empty when the host has no service of that name.
    virtual Utility::Handle<ServiceInterfaceI> GetService(const QString& name) = 0;
    // "Kora.MsgCenter.Normal" (a MsgCenterI) or "Kora.MsgCenter.HighPerformance" (an HPMsgCenterI).
    virtual Utility::Handle<Utility::Shared> GetMsgCenter(const QString& name) = 0;
    // False tells components to look every service up afresh instead of caching it.
    virtual bool CanCacheServices() = 0;
};

}  // namespace Kora::Interface
