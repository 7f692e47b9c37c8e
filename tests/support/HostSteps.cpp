#include "support/HostSteps.h"

#include <QCoreApplication>
#include <QDir>

#include "kora/utility/JsonAccess.h"
#include "support/RunLayoutFolder.h"

::testing::AssertionResult LoadRunLayoutComponent(Terminal::HostRuntime& host) {
    const QString bin = qEnvironmentVariable("KRT_DIST_BIN");
    if (!QDir::setCurrent(bin)) {
        return ::testing::AssertionFailure() << "no run layout at \"" << bin.toStdString() << '"';
    }
    if (!host.LoadComponentLibrary(RunLayoutLibrary())) {
        return ::testing::AssertionFailure() << host.LastError().toStdString();
    }
    return ::testing::AssertionSuccess();
}

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

const Terminal::Market::Instrument& NearMonthOption(Terminal::HostRuntime& host, size_t underlying,
                                                    size_t place) {
    const auto& catalogue = host.Market().Catalogue();
    const int id = catalogue.Underlyings().at(underlying);
    return *catalogue.At(catalogue.Options(id, catalogue.Months(id).at(0)).at(place));
}
