#include <gtest/gtest.h>

#include <limits>

#include "kora/utility/JsonAccess.h"
#include "support/JsonOf.h"

using namespace Kora::Utility;

namespace {

TEST(JsonAccess, NumbersReadFromNumbersAndFromFormattedText) {
    Json::Value r = JsonOf(R"({"135": "10", "136": "3870.5", "137": 7, "138": 2.9, "n": -4})");
    EXPECT_EQ(JsonInt(r, "135"), 10);
    EXPECT_DOUBLE_EQ(JsonDouble(r, "136"), 3870.5);
    EXPECT_EQ(JsonInt(r, "137"), 7);
    EXPECT_EQ(JsonInt(r, "138"), 2);
    EXPECT_EQ(JsonText(r, "137"), "7");
    EXPECT_EQ(JsonInt(r, "n"), -4);
}

TEST(JsonAccess, MissingMistypedUnreadableOrOutOfRangeMembersGiveTheFallback) {
    Json::Value r = JsonOf(R"({"a": "abc", "b": [1], "c": {"x": 1}, "d": null, "e": ""})");
    for (const char* key : {"a", "b", "c", "d", "e", "missing"}) {
        EXPECT_EQ(JsonInt(r, key, -1), -1) << key;
        EXPECT_DOUBLE_EQ(JsonDouble(r, key, -2.0), -2.0) << key;
    }
    EXPECT_EQ(JsonText(r, "b", "fb"), "fb");
    EXPECT_EQ(JsonWText(r, "c", QStringLiteral("fb")), QStringLiteral("fb"));
    // Member access on values that are not objects must not throw either.
    EXPECT_TRUE(Member(Json::Value(3), "x").isNull());
    EXPECT_TRUE(Member(JsonOf("[1,2]"), "x").isNull());
    EXPECT_EQ(JsonInt(Json::Value("7"), "x", 9), 9);
    // Out-of-range numbers do not wrap.
    Json::Value big(Json::UInt64(std::numeric_limits<uint64_t>::max()));
    EXPECT_EQ(JsonInt(big, 5), 5);
    EXPECT_EQ(JsonInt(Json::Value(1e300), 5), 5);
    EXPECT_EQ(JsonInt(Json::Value(std::numeric_limits<double>::quiet_NaN()), 5), 5);
}

TEST(JsonAccess, BooleansAcceptTheirUsualSpellings) {
    Json::Value r = JsonOf(R"({"t": "true", "one": "1", "f": "false", "n": 0, "b": true, "x": "maybe"})");
    EXPECT_TRUE(JsonBool(r, "t"));
    EXPECT_TRUE(JsonBool(r, "one"));
    EXPECT_FALSE(JsonBool(r, "f", true));
    EXPECT_FALSE(JsonBool(r, "n", true));
    EXPECT_TRUE(JsonBool(r, "b"));
    EXPECT_TRUE(JsonBool(r, "x", true));
}

TEST(JsonAccess,
     ParseLeavesTheValueAloneOnInvalidTextAndTextNestedFiveThousandDeepWhereTheReaderUsedToThrow) {
    Json::Value v("kept");
    EXPECT_FALSE(JsonParse("{not json", v));
    EXPECT_EQ(v.asString(), "kept");
    EXPECT_EQ(JsonToLine(JsonOf(R"({"名称": "豆粕"})")), R"({"名称":"豆粕"})");
    // Text nested 5000 deep is refused like any invalid text, where the reader used to throw.
    EXPECT_FALSE(JsonParse(std::string(5000, '[') + std::string(5000, ']'), v));
    EXPECT_EQ(v.asString(), "kept");
}

}  // namespace
