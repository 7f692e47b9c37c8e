#pragma once

#include <QString>

#include "kora/utility/Export.h"
#include "kora/utility/Handle.h"
#include "kora/utility/Shared.h"
#include "kora/utility/WString.h"

namespace Kora::Interface {

// Base of every named service that the host or a component offers.
class KORA_API ServiceInterfaceI : public virtual Utility::Shared {
public:
    virtual QString GetServiceName() const = 0;
    // Name, "." and the version number in decimal.
    virtual QString GetVersionedName() const = 0;
    virtual int32_t GetServiceVersion() const = 0;
    virtual Utility::WStringMap GetServiceProperties() const = 0;
    // Called by the registry around registration; most services do nothing.
    virtual void OnServiceRegistered() = 0;
    virtual void OnServiceUnregistered() = 0;
};

}  // namespace Kora::Interface
