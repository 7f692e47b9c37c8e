#include "host/HostObject.h"

namespace Terminal {

using Kora::Utility::Handle;

HostObject::HostObject(Handle<APIMgr> registry, Handle<NormalMsgCenter> normal,
                       Handle<HPMsgCenter> highPerformance)
    : m_registry(std::move(registry)),
      m_normal(std::move(normal)),
      m_highPerformance(std::move(highPerformance)) {}

Handle<Kora::Interface::ServiceInterfaceI> HostObject::GetService(const QString& name) {
    {
        std::lock_guard lock(m_lock);
        ++m_lookups[name];
    }
    return m_registry->GetService(name, true);
}

Handle<Kora::Utility::Shared> HostObject::GetMsgCenter(const QString& name) {
    if (name == Kora::Interface::MsgCenterI::CenterName()) {
        return Handle<Kora::Utility::Shared>(m_normal.Get());
    }
    if (name == Kora::Interface::HPMsgCenterI::CenterName()) {
        return Handle<Kora::Utility::Shared>(m_highPerformance.Get());
    }
    return Handle<Kora::Utility::Shared>();
}

int HostObject::ServiceLookups(const QString& name) const {
    std::lock_guard lock(m_lock);
    auto it = m_lookups.find(name);
    return it == m_lookups.end() ? 0 : it->second;
}

}  // namespace Terminal
