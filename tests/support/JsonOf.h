#pragma once

#include <gtest/gtest.h>
#include <json/value.h>

#include <string>

#include "kora/utility/JsonAccess.h"

// A request or record written out as Json text, as a tool would send it; the test fails on text
// that is not Json.
inline Json::Value JsonOf(const std::string& text) {
    Json::Value value;
    EXPECT_TRUE(Kora::Utility::JsonParse(text, value)) << text;
    return value;
}
