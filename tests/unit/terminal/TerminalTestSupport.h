#pragma once

#include <gtest/gtest.h>
#include <json/writer.h>

#include "kora/utility/JsonAccess.h"
#include "support/ScriptedOptions.h"
#include "support/WaitUntil.h"

namespace TerminalTest {

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
