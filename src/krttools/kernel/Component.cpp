#include "kernel/Component.h"

#include "kernel/HostAccess.h"

namespace Kora::Kernel {

Component::Component(Interface::HostI* host) {
    SetHost(host);
    SetComponent(this);
}

Component::~Component() {
    if (GetComponent() == this) {
        SetComponent(nullptr);
        SetHost(nullptr);
    }
}

}  // namespace Kora::Kernel
