#include "host/ComponentLoader.h"

#include <dlfcn.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace Terminal {

using Kora::Interface::ComponentI;
using Kora::Interface::HostI;
using Kora::Utility::Handle;

namespace {
using CreateEntry = ComponentI* (*)(Handle<HostI>);
using DestroyEntry = void (*)(ComponentI*);
}  // namespace

ComponentLoader::ComponentLoader(Handle<HostI> host) : m_host(std::move(host)) {}

ComponentLoader::~ComponentLoader() {
    Unload();
}

QString ComponentLoader::DefaultLibraryPath() {
    const QString folder = QCoreApplication::instance()
                               ? QCoreApplication::applicationDirPath()
                               : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    return folder + QStringLiteral("/libKRTTools.so");
}

bool ComponentLoader::LoadLibrary(const QString& path) {
    void* library = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        m_error = QStringLiteral("cannot load %1: %2").arg(path, QString::fromLocal8Bit(dlerror()));
        return false;
    }
    auto create = reinterpret_cast<CreateEntry>(dlsym(library, "CreateComponent"));
    auto destroy = reinterpret_cast<DestroyEntry>(dlsym(library, "DestroyComponent"));
    if (!create || !destroy) {
        m_error = QStringLiteral("%1 does not export CreateComponent and DestroyComponent").arg(path);
        return false;
    }
    return Load(create, destroy);
}

bool ComponentLoader::Load(Create create, Destroy destroy) {
    if (m_component) {
        m_error = QStringLiteral("a component is already loaded");
        return false;
    }
    if (!create || !destroy) {
        m_error = QStringLiteral("no entry points");
        return false;
    }
    ComponentI* component = create(m_host);
    if (!component) {
        m_error = QStringLiteral("CreateComponent answered no component");
        return false;
    }
    m_component = component;
    m_destroy = std::move(destroy);
    if (!component->Prepare() || !component->Start() || !component->Load()) {
        m_error = QStringLiteral("the component refused to start");
        Unload();
        return false;
    }
    m_error.clear();
    return true;
}

void ComponentLoader::Unload() {
    if (!m_component) {
        return;
    }
    ComponentI* component = std::exchange(m_component, nullptr);
    component->Unload();
    m_destroy(component);
    m_destroy = nullptr;
}

}  // namespace Terminal
