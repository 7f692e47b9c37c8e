#include "frame/HostBoundary.h"

#include <QDebug>

#include "kernel/EngineLog.h"
#include "platform/EntryGuard.h"

namespace HostBoundary {

namespace {

Win::FaultReporter g_previous = nullptr;

void WriteFault(const QString& where, const QString& reason) {
    qWarning().noquote() << where << reason;
    Kora::Kernel::WriteLog(Kora::Kernel::kLogError,
                           QStringLiteral("事件处理异常,已跳过|%1|%2").arg(where, reason));
}

}  // namespace

void LogFaults(bool on) {
    if (on) {
        g_previous = Win::SetFaultReporter(&WriteFault);
    } else {
        Win::SetFaultReporter(g_previous);
        g_previous = nullptr;
    }
}

bool Guard(const QString& operation, const std::function<void()>& work) {
    return Win::GuardEntry(work, [&] { return operation; });
}

}  // namespace HostBoundary
