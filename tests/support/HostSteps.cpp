#include "support/HostSteps.h"

#include <QCoreApplication>

#include "kora/utility/JsonAccess.h"

void SettleHostAndWindows(Terminal::HostRuntime& host) {
    for (int round = 0; round < 10; ++round) {
        host.Settle();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

std::vector<Json::Value> JournalOf(const Terminal::HostRuntime& host, const QString& kind) {
    std::vector<Json::Value> entries;
    for (const Json::Value& entry : host.JournalEntries()) {
        if (Kora::Utility::JsonWText(entry, "Kind") == kind) {
            entries.push_back(entry);
        }
    }
    return entries;
}
