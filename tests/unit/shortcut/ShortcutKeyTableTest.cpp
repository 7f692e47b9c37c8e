#include <gtest/gtest.h>

#include "shortcut/ShortcutKeyTable.h"
#include "support/JsonOf.h"

namespace {

constexpr int kF5 = 116;

TEST(ShortcutKeys, CtrlShiftF5IsKey116Times65536Plus6AndEachHalfIsMaskedTo16Bits) {
    EXPECT_EQ(ShortcutKeyTable::BindingKey(kF5, 6), 116u * 65536u + 6u);
    EXPECT_EQ(ShortcutKeyTable::BindingKey(0x10041, 0x10002), 0x00410002u);
    ShortcutKeyTable table;
    table.Load(JsonOf(R"({"撤全部快捷键": {"快捷键": 116, "控制键": 6}})"));
    EXPECT_EQ(table.Lookup(kF5, ShortcutKeyTable::kCtrl | ShortcutKeyTable::kShift).command, 10);
    EXPECT_EQ(table.Lookup(kF5, ShortcutKeyTable::kCtrl).command, 0);
    EXPECT_EQ(table.Lookup(kF5, 0).command, 0);
}

TEST(ShortcutKeys, OrderElementsCarryTheirOwnParametersAndTheLaterChordWins) {
    ShortcutKeyTable table;
    table.Load(JsonOf(R"({"下单快捷键": [
        {"快捷键": 112, "控制键": 0, "买卖": 0, "开平": 0, "价格": "卖一价", "超价": 1},
        {"快捷键": 113, "控制键": 0, "买卖": 1, "开平": 0, "价格": "买一价", "超价": 2},
        {"快捷键": 112, "控制键": 0, "买卖": 1, "开平": 1, "价格": "买一价", "超价": 3}]})"));
    ShortcutKeyTable::Binding f1 = table.Lookup(112, 0);
    EXPECT_EQ(f1.command, 7);
    EXPECT_EQ(f1.option["超价"].asInt(), 3);
    EXPECT_EQ(table.Lookup(113, 0).option["价格"].asString(), "买一价");
}

TEST(ShortcutKeys, SingleItemsLoadAfterTheOrderKeysAndReplaceThemOnAShareChord) {
    ShortcutKeyTable table;
    table.Load(JsonOf(R"({"下单快捷键": [{"快捷键": 65, "控制键": 2}],
                         "数量设置快捷键": {"快捷键": 65, "控制键": 2, "数量倍率": 3},
                         "合约月份切换快捷键": {"快捷键": 77, "控制键": 1}})"));
    ShortcutKeyTable::Binding ctrlA = table.Lookup('A', ShortcutKeyTable::kCtrl);
    EXPECT_EQ(ctrlA.command, 1);
    EXPECT_EQ(ctrlA.option["数量倍率"].asInt(), 3);
    EXPECT_EQ(table.Lookup('M', ShortcutKeyTable::kAlt).command, 3);
}

TEST(ShortcutKeys, MissingOrMalformedItemsBindOnlyKeyZeroWhichNoKeyProduces) {
    ShortcutKeyTable table;
    table.Load(
        JsonOf(R"({"下单快捷键": "oops", "撤买快捷键": 5, "撤卖快捷键": {"快捷键": "x", "控制键": [1]}})"));
    for (const auto& [key, binding] : table.Bindings()) {
        EXPECT_EQ(key, 0u);
    }
    // Key 0 keeps the item loaded last among those that fell back to it.
    EXPECT_EQ(table.Bindings().at(0).command, 3);
    table.Load(Json::Value());
    EXPECT_EQ(table.Bindings().size(), 1u);
}

TEST(ShortcutKeys, OrderListMayBeAnObject) {
    ShortcutKeyTable table;
    table.Load(
        JsonOf(R"({"下单快捷键": {"买": {"快捷键": 66, "控制键": 4}, "卖": {"快捷键": 83, "控制键": 4}}})"));
    EXPECT_EQ(table.Lookup('B', ShortcutKeyTable::kShift).command, 7);
    EXPECT_EQ(table.Lookup('S', ShortcutKeyTable::kShift).command, 7);
}

}  // namespace
