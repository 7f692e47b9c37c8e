#pragma once

#include <json/value.h>

#include "kora/interface/ServiceInterfaceI.h"

namespace Kora::Interface {

// Offered by a component: its named commands.
class KORA_API InstructProviderI : public virtual Utility::Shared {
public:
    // Maps with exactly "Instruct", "Name", "Description".
    virtual Utility::SharedWStringMapVector GetInstructs() = 0;
    // The instruct name is the request's "Function".
    virtual Json::Value ExecuteInstruct(const Json::Value& request) = 0;
};

// The host's instruct registry. Executing also carries linkage between windows: a request whose
// "Function" is "Linkage" or "AnnounceStockChanged" tells linked windows of a new contract.
class KORA_API InstructSvcI : public virtual ServiceInterfaceI {
public:
    static QString ServiceName() { return QStringLiteral("Kora.Platform.Service.InstructSvc"); }

    virtual bool RegisterProvider(Utility::Handle<InstructProviderI> provider,
                                  const Utility::WStringMap& params) = 0;
    virtual bool UnregisterProvider(Utility::Handle<InstructProviderI> provider,
                                    const Utility::WStringMap& params) = 0;
    virtual Json::Value ExecuteInstruct(const Json::Value& request) = 0;
    // Every instruct of every provider.
    virtual Utility::SharedWStringMapVector GetInstructs() = 0;
};

}  // namespace Kora::Interface
