#pragma once

#include <QString>
#include <exception>
#include <typeinfo>
#include <utility>

class QObject;

// Every entry into the tools from the host's event loop (posted window messages, window timers,
// message-centre messages, quote pushes) runs behind this guard. An exception that unwound out
// of a handler would reach the terminal's loop and end the terminal with every window it shows;
// instead the step is abandoned, the fault is reported with where it happened, and the loop
// carries on with the next event.
namespace Win {

// Receives each fault caught at an entry: where (the window or receiver and its message) and
// why (the exception's description). Called on the thread the fault happened on.
using FaultReporter = void (*)(const QString& where, const QString& reason);

// Installs the reporter (null: Qt's warning output) and answers the previous one. A module that
// installs its own reporter puts the previous one back before it is unloaded.
FaultReporter SetFaultReporter(FaultReporter reporter);

namespace Internal {
void ReportFault(const QString& where, const std::exception_ptr& fault) noexcept;
}

// Runs work. When it throws, reports the fault with the text describe() gives (built only then)
// and answers false.
template <class Work, class Describe>
bool GuardEntry(Work&& work, Describe&& describe) noexcept {
    try {
        std::forward<Work>(work)();
        return true;
    } catch (...) {
        const std::exception_ptr fault = std::current_exception();
        QString where;
        try {
            where = std::forward<Describe>(describe)();
        } catch (...) {
        }
        Internal::ReportFault(where, fault);
        return false;
    }
}

// A type's readable name ("CDlgFileOrder"), for telling where a fault happened.
QString TypeName(const std::type_info& type);
// A window's class, with its object name when it has another one.
QString WindowName(const QObject* window);

}  // namespace Win
