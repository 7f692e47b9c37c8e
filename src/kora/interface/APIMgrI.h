#pragma once

#include "kora/interface/ServiceInterfaceI.h"

namespace Kora::Interface {

// The service registry: every named service is looked up here.
class KORA_API APIMgrI : public virtual ServiceInterfaceI {
public:
    static QString ServiceName() { return QStringLiteral("Kora.Platform.Service.APIMgr"); }

    virtual bool RegisterService(Utility::Handle<ServiceInterfaceI> service) = 0;
    virtual bool UnregisterService(Utility::Handle<ServiceInterfaceI> service) = 0;
    // Empty when no service of that name is registered.
    virtual Utility::Handle<ServiceInterfaceI> GetService(const QString& name, bool create) = 0;
};

}  // namespace Kora::Interface
