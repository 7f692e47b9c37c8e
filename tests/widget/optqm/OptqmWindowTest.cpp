// The option quick-mouse window in the scripted terminal (the component in-process, shown
// offscreen): its controls by account category, what a click on its ladder sends, the questions
// before an order, and its content window.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include "CKrAmountEdit.h"
#include "CKrStockCombox.h"
#include "frame/ToolWindows.h"
#include "kora/utility/JsonAccess.h"
#include "ladder/CListEdit.h"
#include "ladder/CPositionInfo.h"
#include "ladder/CPriceHSpinEdit.h"
#include "option/CDlgOptionQuickMouse.h"
#include "option/CKROptionMouselist.h"
#include "platform/ControlId.h"
#include "support/HostSteps.h"
#include "support/JsonOf.h"
#include "support/LadderCell.h"
#include "support/RunLayoutFolder.h"
#include "support/ToolWindowOnHost.h"
#include "support/UserInput.h"
#include "trading/ContractRecords.h"

namespace {

[[maybe_unused]] auto* const kRunLayoutFolder = ::testing::AddGlobalTestEnvironment(new RunLayoutFolder);

using Kora::Utility::JsonText;
using Dlg = CDlgOptionQuickMouse;

constexpr int kBuyOrders = 0;
constexpr int kBuyVolume = 1;
constexpr int kSellVolume = 3;

// The window on a fund option whose book is 0.0450 bid, 0.0460 offered, ten lots at each of five
// levels a side.
class OptqmTest : public ToolWindowOnHost<CDlgOptionQuickMouse> {
protected:
    // Opens the window on an account; on the stock-option account it is put on the fund option.
    void Open(const QString& account = QStringLiteral("E1006")) {
        OpenWindow(QStringLiteral("KROptionQMouse"), {560, 640}, {{QStringLiteral("EAccountID"), account}});
        if (account == QStringLiteral("E1006")) {
            Host().Market().SetBestQuote(Option().index, Units(0.0450), 10, Units(0.0460), 10);
            ASSERT_TRUE(Dialog().SetContract(ContractRecords::OfKey(Host().KeyOf(Option())), false));
        }
        t.Pump();
    }
    COptionQMouseWindow& Wrapper() { return dynamic_cast<COptionQMouseWindow&>(*window); }
    CKROptionMouselist& Ladder() { return Dialog().Ladder(); }

    // The near month's first call on 510050.
    const Terminal::Market::Instrument& Option() { return NearMonthOption(Host(), 1, 0); }
    int64_t Units(double price) { return Option().ToUnits(price); }

    // The centre of a ladder cell in its viewport, the row scrolled into view first.
    QPoint Cell(double price, int column) { return LadderCell(Ladder(), price, column); }
    void ClickCell(double price, int column) {
        QTest::mouseClick(Ladder().viewport(), Qt::LeftButton, {}, Cell(price, column));
    }
    void SetVolume(const QString& volume) {
        TypeOver(Control<CPriceHSpinEdit>(Dlg::kVolumeId)->Edit(), volume);
    }
    Json::Value Notify(const char* json) {
        Json::Value result;
        EXPECT_TRUE(window->OnNotify(JsonOf(json), result));
        return result;
    }
};

TEST_F(OptqmTest, AStockOptionAccountStartsNetWithCoveredOfferedAndTheFuturesCommandsDoNothing) {
    Open();
    EXPECT_EQ(Dialog().windowTitle(), QStringLiteral("期权快鼠交易"));
    EXPECT_TRUE(Control<QCheckBox>(Dlg::kNetId)->isChecked());
    EXPECT_FALSE(Control<QRadioButton>(Dlg::kOpenId)->isEnabled());
    EXPECT_TRUE(Control<QCheckBox>(Dlg::kCoveredId)->isVisible());
    EXPECT_FALSE(Control<QCheckBox>(Dlg::kCoveredId)->isChecked());
    EXPECT_FALSE(Control<QComboBox>(Dlg::kHedgeId)->isVisible());
    EXPECT_EQ(Control<QComboBox>(Dlg::kStepModeId)->currentText(), QStringLiteral("5档盘口"));
    QStringList titles;
    for (int column = 0; column < Ladder().ColumnCount(); ++column) {
        titles << Ladder().ColumnTitle(column);
    }
    EXPECT_EQ(titles, (QStringList{"挂单", "普买", "价格", "普卖", "挂单"}));
    const QString header = Control<QLabel>(Dlg::kHeaderId)->text();
    EXPECT_TRUE(header.contains(
        QRegularExpression(QStringLiteral("^\\d{4}年\\d{1,2}月 \\(\\d+天\\) {41}\\+ 蓝筹ETF$"))))
        << header.toStdString();

    const LadderWindowPresenter::OrderChoices before = Dialog().Presenter().Choices();
    for (int id : Dlg::kFuturesOnlyCommands) {
        EXPECT_EQ(Dialog().OnMessage(Win::WM_COMMAND, Win::WPARAM(id), 0), 1) << id;
    }
    const LadderWindowPresenter::OrderChoices& after = Dialog().Presenter().Choices();
    EXPECT_EQ(after.offset, before.offset);
    EXPECT_EQ(after.netPosition, before.netPosition);
    EXPECT_EQ(int(after.duration), int(before.duration));
    EXPECT_TRUE(Control<QComboBox>(Dlg::kContractId)->isEnabled());
    EXPECT_TRUE(Orders().empty());

    // Unchecked, the radios choose again.
    QTest::mouseClick(Control<QCheckBox>(Dlg::kNetId), Qt::LeftButton);
    EXPECT_TRUE(Control<QRadioButton>(Dlg::kOpenId)->isEnabled());
    EXPECT_EQ(Dialog().Presenter().Choices().EffectiveOffset(), QChar(u'0'));
}

TEST_F(OptqmTest, AFuturesAccountShowsTheHedgeTypesWithSpeculationChosenAndNoCovered) {
    Open(QStringLiteral("E1008"));
    QComboBox* hedge = Control<QComboBox>(Dlg::kHedgeId);
    EXPECT_TRUE(hedge->isVisible());
    EXPECT_EQ(hedge->currentText(), QStringLiteral("投机"));
    EXPECT_EQ(hedge->itemText(2), QStringLiteral("保值"));
    EXPECT_FALSE(Control<QCheckBox>(Dlg::kCoveredId)->isVisible());
    EXPECT_TRUE(Dialog().Presenter().IsEligible(Dialog().Contract())) << "a futures option";
}

TEST_F(OptqmTest, AClickInTheStockOptionTriggerModeSendsANetOrderWithTheCoveredFlagLoggedUnderTheTitle) {
    Open();
    Host().Config().ChangeValue(QStringLiteral("触发方式"), QStringLiteral("期货"), 1);
    ClickCell(0.0445, kBuyVolume);
    ASSERT_EQ(Orders().size(), 1u) << "the futures category's double-click mode is not this window's";
    QTest::mouseClick(Control<QCheckBox>(Dlg::kCoveredId), Qt::LeftButton);
    t.Pump();
    ClickCell(0.0465, kSellVolume);

    const auto orders = Orders();
    ASSERT_EQ(orders.size(), 2u);
    const Json::Value& order = orders[0]["Request"]["Order"];
    EXPECT_EQ(JsonText(order["Contract"], "ContractCode"), Option().code);
    EXPECT_EQ(JsonText(order, "LimitPrice"), "0.0445");
    EXPECT_EQ(order["OrderMode"].asInt(), 0);
    EXPECT_EQ(Ext(orders[0], "117"), "3");
    EXPECT_EQ(Ext(orders[0], "125"), "0");
    EXPECT_EQ(Ext(orders[0], "119"), "") << "no hedge flag on a stock-option order";
    EXPECT_EQ(Ext(orders[1], "125"), "1") << "covered while the box is checked";
    EXPECT_EQ(Ext(orders[1], "112"), "1");
    const auto log = Host().Engine().LogEntries();
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const auto& entry) {
        return entry.level == 103 && entry.source == QStringLiteral("期权快鼠下单");
    })) << "the order-log line under the window's title";

    QTest::mouseClick(Control<QCheckBox>(Dlg::kCoveredId), Qt::LeftButton);
    Host().Config().ChangeValue(QStringLiteral("触发方式"), QStringLiteral("个股期权"), 1);
    ClickCell(0.0445, kBuyVolume);
    EXPECT_EQ(Orders().size(), 2u);
    QTest::mouseDClick(Ladder().viewport(), Qt::LeftButton, {}, Cell(0.0445, kBuyVolume));
    EXPECT_EQ(Orders().size(), 3u);
}

TEST_F(OptqmTest, AnOrderAgainstAnOwnRestingOrderIsSentOnlyOnYesAndOneTheEngineCannotResolveNotAtAll) {
    Open();
    ClickCell(0.0470, kSellVolume);  // rests above the offer
    t.Pump();
    ASSERT_EQ(Orders().size(), 1u);
    ASSERT_TRUE(t.boxes.empty());

    t.answer = Win::IDNO;
    ClickCell(0.0470, kBuyVolume);
    ASSERT_EQ(t.BoxTexts(), QStringList{"该价格将与您自己的挂单成交，是否继续？"});
    EXPECT_EQ(t.boxes[0].title, QStringLiteral("提示"));
    EXPECT_EQ(Orders().size(), 1u) << "No sends nothing";
    t.answer = Win::IDYES;
    ClickCell(0.0470, kBuyVolume);
    EXPECT_EQ(Orders().size(), 2u) << "Yes sends";
    ClickCell(0.0469, kBuyVolume);
    EXPECT_EQ(t.boxes.size(), 2u) << "below the own offer: no question";
    EXPECT_EQ(Orders().size(), 3u);

    t.boxes.clear();
    SetVolume(QStringLiteral("100000"));
    ClickCell(0.0445, kBuyVolume);
    EXPECT_EQ(Orders().size(), 3u);
    EXPECT_EQ(t.BoxTexts(), QStringList{"可用资金不足"});
}

TEST_F(OptqmTest, ADoubleClickOnAPositionPanelTakesTheNumberAtTheStartOfItsText) {
    Open();
    ASSERT_TRUE(Host().Market().AddPosition("E1006", Option().index, Terminal::Market::PositionSide::Long, 7,
                                            Units(0.0400)));
    Host().Market().SetBestQuote(Option().index, Units(0.0450), 10, Units(0.0460), 10);
    t.Pump();
    Dialog().Presenter().RefreshPositions();
    QTest::mouseClick(Control<QCheckBox>(Dlg::kCoveredId), Qt::LeftButton);  // re-reads positions
    QTest::mouseClick(Control<QCheckBox>(Dlg::kCoveredId), Qt::LeftButton);
    CPositionInfo* panel = Control<CPositionInfo>(Dlg::kLongPanelId);
    ASSERT_TRUE(panel->VolumeText().startsWith(QStringLiteral("7"))) << panel->VolumeText().toStdString();
    QTest::mouseDClick(panel, Qt::LeftButton);
    EXPECT_EQ(Control<CPriceHSpinEdit>(Dlg::kVolumeId)->Edit().text(), QStringLiteral("7"));
}

TEST_F(OptqmTest, AsAContentWindowItAnnouncesTakesNewParamsAnswersLinkageAndReleasesTheDialog) {
    Open();
    auto* chooser = Control<CKrStockCombox>(Dlg::kContractId);
    const int chosen = chooser->FindCode(QString::fromStdString(Option().code)) == 0 ? 1 : 0;
    emit chooser->contractSelected(chosen);
    t.Pump();
    const auto announced = Host().Activity().Announcements();
    ASSERT_EQ(announced.size(), 1u);
    const auto& catalogue = Host().Market().Catalogue();
    const auto& chosenOption =
        *catalogue.FindByCode(chooser->Contracts()[chosen].contractCode.toStdString())[0];
    EXPECT_EQ(JsonText(announced[0], "Stock"), Host().KeyOf(chosenOption).ToText().toStdString());
    EXPECT_EQ(JsonText(announced[0], "CWID"), "OptionQuickMouse");
    EXPECT_EQ(JsonText(announced[0], "Enter"), "true");
    EXPECT_EQ(JsonText(announced[0], "Channel"), "0");

    const int fund = catalogue.Find("SHSE-A", "510050")->index;
    const auto& other = *catalogue.At(catalogue.Options(fund, catalogue.Months(fund).back()).front());
    const auto answer = window->GetSavedParams(QStringLiteral("NewParam"),
                                               {{QStringLiteral("STKPTR"), Host().KeyOf(other).ToText()}});
    ASSERT_TRUE(answer);
    EXPECT_TRUE(answer->isEmpty());
    EXPECT_EQ(JsonText(Dialog().Contract(), "63"), other.code);
    EXPECT_EQ(Ladder().Model().ContractCode(), QString::fromStdString(other.code));

    EXPECT_TRUE(Notify(R"({"Function": "M_GetShowTopState"})").asBool());
    const char* survey =
        R"({"Function": "联动行为调查", "联动频道": "0", "CWID": "KRFutureQMouse", "调查回执": {}})";
    const char* query = R"({"Function": "设置联动", "CWID": "OptionQuickMouse"})";
    EXPECT_FALSE(Notify(survey).isMember("Result")) << "flag off";

    const auto menu = window->BuildMenu();
    ASSERT_EQ(menu->size(), 1u);
    EXPECT_EQ(menu->front().at(QStringLiteral("Identity")), QStringLiteral("简单联动"));
    const int command = menu->front().at(QStringLiteral("ID")).toInt();
    window->OnMsg(Win::WM_COMMAND, Win::WPARAM(command), 0);
    EXPECT_TRUE(Notify(survey)["Result"].asBool());
    EXPECT_FALSE(Notify(R"({"Function": "联动行为调查", "联动频道": "1", "CWID": "KRFutureQMouse"})")
                     .isMember("Result"))
        << "another channel";
    EXPECT_FALSE(Notify(R"({"Function": "联动行为调查", "联动频道": "0", "CWID": "OptionQuickMouse"})")
                     .isMember("Result"))
        << "the window itself asking";
    EXPECT_EQ(Notify(query)["m_bSimpleLinkage"].asInt(), 1);

    window->OnMsg(Win::WM_COMMAND, Win::WPARAM(command), 0);
    EXPECT_EQ(Notify(query)["m_bSimpleLinkage"].asInt(), 0) << "two commands leave the flag as it was";

    window->PreDestroy({});
    EXPECT_EQ(Wrapper().QuickMouse(), nullptr);
    EXPECT_EQ(window->GetHwnd(), nullptr);
    window->Move(0, 0, 300, 300);  // nothing left to move
}

TEST_F(OptqmTest, AVolumeChangeListsEachOrderBeforeReplacingThemAndCancelAndMoveLogUnderTheWindow) {
    Open();
    ClickCell(0.0440, kBuyVolume);
    ClickCell(0.0440, kBuyVolume);
    t.Pump();
    t.answer = Win::IDCANCEL;
    ClickCell(0.0440, kBuyOrders);
    CListEdit* editor = Ladder().Editor();
    ASSERT_TRUE(editor && editor->IsOpen());
    TypeOver(*editor, QStringLiteral("5"));
    QTest::keyClick(editor, Qt::Key_Return);
    t.Pump();
    // The records as the engine resolved the net orders: openings.
    const QString line = QStringLiteral("\r\n") + QString::fromStdString(Option().name) +
                         QStringLiteral(",买,开仓, 1手 价格:0.0440");
    EXPECT_EQ(t.BoxTexts(),
              QStringList{QStringLiteral("改单确认:") + line + line + QStringLiteral("\r\n改为5")});
    EXPECT_TRUE(t.Journal(QStringLiteral("Cancel")).empty()) << "cancelled by the trader";

    const std::string moved = JsonText(Host().Engine().GetOrders(Json::Value("E1006"))[0], "OrderID");
    const QPoint from = Cell(0.0440, kBuyOrders);
    const QPoint to = Ladder().CellRect(Ladder().Model().Scale().RowOf(0.0440) + 1, kBuyOrders).center();
    QTest::mousePress(Ladder().viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(Ladder().viewport(), to);
    QTest::mouseRelease(Ladder().viewport(), Qt::LeftButton, {}, to);
    t.Pump();
    EXPECT_TRUE(t.EngineLog().contains(
        QStringLiteral("10:%1|快鼠改单中撤单|期权快鼠改单中撤单").arg(QString::fromStdString(moved))))
        << t.EngineLog().join('\n').toStdString();
    EXPECT_EQ(t.Journal(QStringLiteral("Cancel")).size(), 2u) << "both orders of the group";
}

}  // namespace
