#pragma once

#include <QString>
#include <functional>

#include "kora/interface/ComponentI.h"
#include "kora/interface/HostI.h"

namespace Terminal {

// Brings one component to life and back: CreateComponent(host), Prepare, Start and Load; at the
// end Unload and DestroyComponent. The component marks itself static, so it is kept by plain
// pointer and freed only through its DestroyComponent.
//
// A library loaded with dlopen stays mapped until the process ends: handles the component gave
// away (message handlers, services) may be released late, and their code must still be there.
class ComponentLoader {
public:
    using Create = std::function<Kora::Interface::ComponentI*(Kora::Utility::Handle<Kora::Interface::HostI>)>;
    using Destroy = std::function<void(Kora::Interface::ComponentI*)>;

    explicit ComponentLoader(Kora::Utility::Handle<Kora::Interface::HostI> host);
    ~ComponentLoader();
    ComponentLoader(const ComponentLoader&) = delete;
    ComponentLoader& operator=(const ComponentLoader&) = delete;

    // dlopen()s the library and looks up "CreateComponent" and "DestroyComponent".
    bool LoadLibrary(const QString& path);
    // A component built into the calling program (its classes linked in).
    bool Load(Create create, Destroy destroy);
    // Unload, then DestroyComponent; nothing without a component.
    void Unload();

    Kora::Interface::ComponentI* Component() const { return m_component; }
    QString LastError() const { return m_error; }

    // libKRTTools.so in the folder of the running program.
    static QString DefaultLibraryPath();

private:
    Kora::Utility::Handle<Kora::Interface::HostI> m_host;
    Kora::Interface::ComponentI* m_component = nullptr;
    Destroy m_destroy;
    QString m_error;
};

}  // namespace Terminal
