#pragma once

#include <gtest/gtest.h>
#include <json/writer.h>

#include <QDate>

#include "host/HostRuntime.h"
#include "kora/utility/JsonAccess.h"
#include "support/WaitUntil.h"

namespace TerminalTest {

// Every test host trades on the same day, so contract codes are fixed:
// DCE m2408 (futures, options 2403-2406), CFFEX IF2403 (the nearest index future), SHSE-A 510050
// (options on SHQQ-A 2403, 2404, 2406, 2409), SHFE rb2405: market/Listing.h.
inline const QDate kTradingDay(2024, 3, 15);

inline Terminal::HostOptions ScriptedOptions() {
    Terminal::HostOptions options;
    options.tradingDay = kTradingDay;
    return options;
}

// A request or record written out as Json text, as a tool would send it.
inline Json::Value JsonOf(const std::string& text) {
    Json::Value value;
    EXPECT_TRUE(Kora::Utility::JsonParse(text, value)) << text;
    return value;
}

// Compares members of a record as text, naming the member that differs.
inline void ExpectTexts(const Json::Value& record,
                        std::initializer_list<std::pair<const char*, const char*>> expected) {
    for (const auto& [member, text] : expected) {
        EXPECT_EQ(record[member].asString(), text) << member << " of " << record;
    }
}

}  // namespace TerminalTest
