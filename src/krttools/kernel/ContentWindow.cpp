#include "kernel/ContentWindow.h"

#include "kernel/HostAccess.h"

namespace Kora::Kernel {

Utility::Handle<Interface::ServiceInterfaceI> ContentWindow::GetKeyedService() {
    Interface::HostI* host = GetHost();
    if (!host || m_serviceKey.isEmpty()) {
        return Utility::Handle<Interface::ServiceInterfaceI>();
    }
    return host->GetService(QStringLiteral("Kora.Platform.Service.%1").arg(m_serviceKey));
}

}  // namespace Kora::Kernel
