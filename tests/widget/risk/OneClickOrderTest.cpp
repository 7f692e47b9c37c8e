// The records "一键下单" hands the host: the legs of the ticked lots and the 1040-byte window
// record, byte for byte.

#include <gtest/gtest.h>

#include <cstring>

#include "analysis/OneClickOrder.h"

namespace {

Json::Value Position(const char* check, const char* quantity, const char* direction) {
    Json::Value p(Json::objectValue);
    p["Check"] = check;
    p["135"] = quantity;
    p["112"] = direction;
    p["54"] = "SHSE-A";
    p["63"] = "10000001";
    return p;
}

TEST(OneClickOrder, LegsOfTickedLotsOnlyWithTheCodesOfTheirFlags) {
    Json::Value positions(Json::arrayValue);
    positions.append(Position("1", "2", "1"));
    positions.append(Position("0", "5", "0"));
    positions.append(Position("1", "0", "0"));
    Json::Value covered = Position("1", "1", "0");
    covered["125"] = "1";
    positions.append(covered);

    const Json::Value legs = OneClickOrder::OrderList(positions);
    ASSERT_EQ(legs.size(), 2u);
    EXPECT_EQ(legs[0]["BS"].asInt(), 49);
    EXPECT_EQ(legs[0]["OC"].asInt(), 48);
    EXPECT_EQ(legs[0]["BD"].asInt(), 48) << "no covered flag: uncovered";
    EXPECT_EQ(legs[0]["Volume"].asInt(), 2);
    EXPECT_EQ(legs[0]["Contract"]["ExchangeCode"].asString(), "SHSE-A");
    EXPECT_EQ(legs[1]["BD"].asInt(), 49);
}

TEST(OneClickOrder, WindowRecordHoldsItsFieldsAtTheirBytesAndZeroElsewhere) {
    const Kora::Interface::PageWindowRecord record = OneClickOrder::WindowRecord(0x01020304);
    unsigned char bytes[1040];
    static_assert(sizeof bytes == sizeof record);
    std::memcpy(bytes, &record, sizeof bytes);
    const auto int32At = [&](size_t offset) {
        int32_t value = 0;
        std::memcpy(&value, bytes + offset, 4);
        return value;
    };
    const auto textAt = [&](size_t offset) {
        std::u16string text;
        for (size_t at = offset; bytes[at] != 0 || bytes[at + 1] != 0; at += 2) {
            text.push_back(static_cast<char16_t>(bytes[at] | (bytes[at + 1] << 8)));
        }
        return text;
    };
    EXPECT_EQ(int32At(0), 0x01020304);
    EXPECT_EQ(int32At(4), 1001);
    EXPECT_EQ(int32At(8), 8);
    EXPECT_EQ(textAt(144), u"多品种");
    EXPECT_EQ(textAt(272), u"KRTAddinPublic,-706-@");
    size_t nonZero = 0;
    for (size_t i = 0; i < sizeof bytes; ++i) {
        nonZero += bytes[i] != 0;
    }
    EXPECT_EQ(nonZero, 4u + 2 + 1 + 3 * 2 + 21) << "nothing but the fields";
}

}  // namespace
