#pragma once

#include <json/writer.h>

#include <QCoreApplication>
#include <QDate>
#include <QDeadlineTimer>
#include <functional>

#include "host/HostRuntime.h"

namespace TerminalTest {

// Every test host trades on the same day, so contract codes are fixed:
// DCE m2408 (futures, options 2403-2405), CFFEX IF2403, SHSE-A 510050 (options on SHQQ-A).
inline const QDate kTradingDay(2024, 3, 15);

inline Terminal::HostOptions ScriptedOptions() {
    Terminal::HostOptions options;
    options.tradingDay = kTradingDay;
    return options;
}

// Runs the event loop until the condition holds or five seconds pass.
inline bool WaitUntil(const std::function<bool()>& condition) {
    QDeadlineTimer deadline(5000);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

}  // namespace TerminalTest
