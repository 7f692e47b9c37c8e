#pragma once

#include <gtest/gtest.h>
#include <json/writer.h>

#include "kora/utility/JsonAccess.h"
#include "support/JsonOf.h"
#include "support/ScriptedOptions.h"
#include "support/WaitUntil.h"

namespace TerminalTest {

// Compares members of a record as text, naming the member that differs.
inline void ExpectTexts(const Json::Value& record,
                        std::initializer_list<std::pair<const char*, const char*>> expected) {
    for (const auto& [member, text] : expected) {
        EXPECT_EQ(record[member].asString(), text) << member << " of " << record;
    }
}

}  // namespace TerminalTest
