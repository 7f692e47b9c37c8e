// The two functions the terminal finds in the library with dlsym().

#include <new>

#include "frame/ThisComponent.h"

extern "C" __attribute__((visibility("default"))) Kora::Interface::ComponentI* CreateComponent(
    Kora::Utility::Handle<Kora::Interface::HostI> host) {
    auto* component = new (std::nothrow) ThisComponent(host.Get());
    host = nullptr;
    return component;
}

extern "C" __attribute__((visibility("default"))) void DestroyComponent(
    Kora::Interface::ComponentI* component) {
    delete component;
}
