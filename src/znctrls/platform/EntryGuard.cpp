#include "platform/EntryGuard.h"

#include <cxxabi.h>

#include <QDebug>
#include <QObject>
#include <atomic>
#include <cstdlib>
#include <memory>

#include "kora/utility/Exception.h"

namespace Win {

namespace {

std::atomic<FaultReporter> g_reporter{nullptr};

QString Reason(const std::exception_ptr& fault) {
    try {
        std::rethrow_exception(fault);
    } catch (const Kora::Utility::Exception& e) {
        return e.Message().isEmpty() ? e.Description() : e.Description() + QStringLiteral(": ") + e.Message();
    } catch (const std::exception& e) {
        return TypeName(typeid(e)) + QStringLiteral(": ") + QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("未知异常");
    }
}

}  // namespace

FaultReporter SetFaultReporter(FaultReporter reporter) {
    return g_reporter.exchange(reporter);
}

namespace Internal {

void ReportFault(const QString& where, const std::exception_ptr& fault) noexcept {
    try {
        const QString reason = Reason(fault);
        if (FaultReporter reporter = g_reporter.load()) {
            reporter(where, reason);
        } else {
            qWarning().noquote() << "exception in an event handler, skipped:" << where << reason;
        }
    } catch (...) {
        // Reporting must not become the fault that ends the terminal.
    }
}

}  // namespace Internal

QString TypeName(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                std::free);
    return QString::fromUtf8(status == 0 && name ? name.get() : type.name());
}

QString WindowName(const QObject* window) {
    if (!window) {
        return QStringLiteral("(无窗口)");
    }
    const QString type = TypeName(typeid(*window));
    const QString name = window->objectName();
    return name.isEmpty() || name == type ? type : type + QLatin1Char('(') + name + QLatin1Char(')');
}

}  // namespace Win
