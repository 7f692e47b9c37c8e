// The position risk window as users meet it: the component library loaded from the run layout,
// the window opened through the terminal's content-window service on the stock-option account,
// an option added through the chooser, "一键下单" pressed, and the combination confirmed on the
// terminal's order page.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "host/HostRuntime.h"
#include "kora/utility/JsonAccess.h"
#include "platform/ControlId.h"
#include "platform/ModalRunner.h"
#include "support/HostSteps.h"
#include "support/ScopedModalRunner.h"
#include "support/ScriptedOptions.h"

namespace {

using Kora::Utility::JsonInt;
using Kora::Utility::JsonText;
using Terminal::HostRuntime;

constexpr int kSimulatedList = 11063;
constexpr int kAddButton = 11102;
constexpr int kOneClickButton = 9020;
constexpr int kChooserTree = 11086;
constexpr int kChooserList = 11087;

// Picks the first option of the fund's first "认购" group, as a trader double-clicks it.
int ChooseFundCall(QDialog& chooser, const QString& fundName) {
    auto* tree = Win::FindControl<QTreeWidget>(&chooser, kChooserTree);
    auto* list = Win::FindControl<QListWidget>(&chooser, kChooserList);
    if (!tree || !list) {
        return QDialog::Rejected;
    }
    for (QTreeWidgetItem* group :
         tree->findItems(QStringLiteral("认购"), Qt::MatchExactly | Qt::MatchRecursive)) {
        if (group->parent()->parent()->text(0) == fundName) {
            tree->setCurrentItem(group);
            break;
        }
    }
    if (list->count() == 0) {
        return QDialog::Rejected;
    }
    list->setCurrentRow(0);
    emit list->itemDoubleClicked(list->item(0));
    return chooser.result();
}

TEST(RiskTerminalTest, SimulatedOptionAddedThroughTheChooserIsSentAsOneConfirmedCombination) {
    HostRuntime host(ScriptedOptions());
    ASSERT_TRUE(LoadRunLayoutComponent(host));
    const auto& held = NearMonthOption(host, 1, 8);
    ASSERT_TRUE(host.Market().AddPosition("E1006", held.index, Terminal::Market::PositionSide::Long, 2,
                                          held.ToUnits(0.05)));
    ASSERT_TRUE(host.Engine().SetCurrentAccount("E1006"));

    auto window = host.ContentWindows().CreateContentWindow(QStringLiteral("PositionAnalyze"), {});
    ASSERT_TRUE(window);
    window->Move(0, 0, 1180, 820);
    window->Show(true);
    SettleHostAndWindows(host);
    QWidget* dialog = window->GetHwnd();
    ASSERT_NE(dialog, nullptr);

    const QString fundName = host.OptionsData().GetUnderlyingName(
        host.KeyOf(*host.Market().Catalogue().At(held.option->underlying)));
    const ScopedModalRunner runner([&](QDialog& chooser) { return ChooseFundCall(chooser, fundName); });
    QTest::mouseClick(Win::FindControl<QPushButton>(dialog, kAddButton), Qt::LeftButton);
    SettleHostAndWindows(host);
    ASSERT_EQ(Win::FindControl<QAbstractItemView>(dialog, kSimulatedList)->model()->rowCount(), 2);

    QTest::mouseClick(Win::FindControl<QPushButton>(dialog, kOneClickButton), Qt::LeftButton);
    SettleHostAndWindows(host);
    const auto combinations = JournalOf(host, QStringLiteral("Combination"));
    ASSERT_EQ(combinations.size(), 1u);
    const Json::Value& leg = combinations[0]["Request"]["OrderList"][0];
    EXPECT_EQ(JsonText(combinations[0], "PageName"), "多品种");
    EXPECT_EQ(JsonText(combinations[0]["Request"], "EAccountID"), "E1006");
    EXPECT_EQ(JsonInt(leg, "Volume"), 1);

    const auto pending = host.AddinPublic().Pending();
    ASSERT_EQ(pending.size(), 1u);
    ASSERT_TRUE(host.AddinPublic().Confirm(pending[0].id));
    SettleHostAndWindows(host);
    const auto orders = JournalOf(host, QStringLiteral("Order"));
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(JsonText(orders[0]["Request"]["Order"]["Contract"], "ContractCode"),
              JsonText(leg["Contract"], "ContractCode"));
    EXPECT_EQ(JsonText(orders[0]["Request"]["Order"], "OffsetFlag"), "0");
    host.ContentWindows().DestroyContentWindow(window);
}

}  // namespace
