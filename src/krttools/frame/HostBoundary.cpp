#include "frame/HostBoundary.h"

#include <QDebug>
#include <exception>

#include "kernel/EngineLog.h"
#include "kora/utility/Exception.h"

namespace HostBoundary {

bool Guard(const QString& operation, const std::function<void()>& work) {
    QString reason;
    try {
        work();
        return true;
    } catch (const Kora::Utility::Exception& e) {
        reason = e.Description();
    } catch (const std::exception& e) {
        reason = QString::fromUtf8(e.what());
    }
    qWarning().noquote() << operation << reason;
    Kora::Kernel::WriteLog(Kora::Kernel::kLogError, operation + QLatin1Char('|') + reason);
    return false;
}

}  // namespace HostBoundary
