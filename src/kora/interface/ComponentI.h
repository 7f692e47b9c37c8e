#pragma once

#include "kora/utility/Export.h"
#include "kora/utility/Shared.h"

namespace Kora::Interface {

// A plug-in component as the host drives it: Prepare, Start, Load ... Unload.
class KORA_API ComponentI : public virtual Utility::Shared {
public:
    virtual bool Prepare() = 0;
    virtual bool Start() = 0;
    virtual bool Load() = 0;
    virtual bool Unload() = 0;
    virtual bool Notify(int32_t value) = 0;
};

}  // namespace Kora::Interface
