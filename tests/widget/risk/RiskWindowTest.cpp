// The position risk window on the account's positions: what it shows when it opens, the market
// of the chosen underlying, quotes, accounts and groups, and the tools it leads to.

#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "CKrAmountEdit.h"
#include "CKrOwnerDrawList.h"
#include "CKrPriceHSpinEdit.h"
#include "EChart.h"
#include "RiskWindow.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "support/RunLayoutFolder.h"

namespace {

[[maybe_unused]] auto* const kRunLayoutFolder = ::testing::AddGlobalTestEnvironment(new RunLayoutFolder);

using Dlg = CDlgPositionAnalyze;
using Kora::Utility::JsonText;

QStringList Titles(const CKrOwnerDrawList& list) {
    QStringList titles;
    for (int c = 0; c < list.ColumnCount(); ++c) {
        titles << list.model()->headerData(c, Qt::Horizontal).toString();
    }
    return titles;
}

// Receives the addresses the window opens.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened.append(url); }
};

TEST_F(RiskWindow, OpensOnTheAccountsOptionsWithTheirTotalAsTheSumAndBothChartsDrawn) {
    Open();
    CKrOwnerDrawList& real = Dialog().RealList();
    EXPECT_EQ(Titles(real), (QStringList{"选择", "名称", "合约", "买卖", "持仓", "最新价", "成交均价",
                                         "浮动盈亏", "Delta", "Gamma", "Theta", "Vega", "Rho", "时间价值"}));
    ASSERT_EQ(real.GetItemCount(), 3);
    EXPECT_EQ(real.CellText(0, real.ColumnOf("270")), "买入");
    EXPECT_EQ(real.CellText(0, real.ColumnOf("135")), "2");
    EXPECT_EQ(real.CellText(1, real.ColumnOf("270")), "卖出");
    EXPECT_EQ(real.CellText(2, real.ColumnOf("64")), "合计");
    EXPECT_EQ(real.CellText(2, real.ColumnOf("Check")), "") << "the total row has no box";
    EXPECT_EQ(Dialog().SumList().CellText(0, 0), real.CellText(2, real.ColumnOf("Delta_o")))
        << "no simulated positions: the sum is the account's";

    EXPECT_EQ(Control<QComboBox>(Dlg::kUnderlyingCombo)->currentData().toString(),
              Host().KeyOf(Fund()).ToText());
    EXPECT_EQ(Dialog().ChartA().SeriesName(0), "Delta");
    EXPECT_EQ(Dialog().ChartB().SeriesName(0), "Gamma");
    const QStringList labels = Dialog().ChartA().XLabels();
    ASSERT_FALSE(labels.isEmpty());
    EXPECT_EQ(labels.front().section('.', 1).size(), 4) << labels.front().toStdString();
    EXPECT_LE(labels.size(), 4);
}

TEST(RiskChartLabels, EveryNthPointOnceThereAreEnoughAndDecimalsAboveNinetyNinePoints) {
    EXPECT_EQ(Dlg::XAxisLabel(0, 2.5, 100, 4), "2.5000");
    EXPECT_EQ(Dlg::XAxisLabel(1, 2.51, 100, 4), "");
    EXPECT_EQ(Dlg::XAxisLabel(25, 2.75, 100, 4), "2.7500");
    EXPECT_EQ(Dlg::XAxisLabel(14, 16, 30, 4), "16") << "30 days, every 7th";
    EXPECT_EQ(Dlg::XAxisLabel(15, 15, 30, 4), "");
    EXPECT_EQ(Dlg::XAxisLabel(1, 2, 3, 4), "2") << "fewer points than labels: each one";
}

TEST_F(RiskWindow, TypedMarketRevaluesTheSumsAndOutlivesTheWindowUntilRestored) {
    Open();
    const QString before = Dialog().SumList().CellText(0, 1);
    auto* volatility = Control<CKrPriceHSpinEdit>(Dlg::kVolatilityEdit);
    const QString hostVolatility = volatility->Edit().text();
    volatility->Edit().selectAll();
    QTest::keyClicks(&volatility->Edit(), "0.6");
    t.Pump();
    EXPECT_NE(Dialog().SumList().CellText(0, 1), before) << "Gamma in a wilder market";

    TearDown();
    Open();
    EXPECT_EQ(Control<CKrPriceHSpinEdit>(Dlg::kVolatilityEdit)->Edit().text(), "0.6000");
    QTest::mouseClick(Control<QPushButton>(Dlg::kRestoreButton), Qt::LeftButton);
    t.Pump();
    EXPECT_EQ(Control<CKrPriceHSpinEdit>(Dlg::kVolatilityEdit)->Edit().text(), hostVolatility);
    EXPECT_EQ(Dialog().SumList().CellText(0, 1), before);
}

TEST_F(RiskWindow, QuotesOfTheUnderlyingMoveItsPriceAndABurstIsHandledOnce) {
    Open();
    const uint64_t handled = Dialog().QuotesHandled();
    const uint64_t received = Dialog().QuotesReceived();
    const auto& fund = Fund();
    for (double price : {2.41, 2.43, 2.47}) {
        Host().Market().TradeAt(fund.index, fund.ToUnits(price), 1);
    }
    Host().WaitForPushes();
    EXPECT_GE(Dialog().QuotesReceived(), received + 3);
    t.Pump();
    EXPECT_EQ(Dialog().QuotesHandled(), handled + 1);
    EXPECT_EQ(Control<CKrPriceHSpinEdit>(Dlg::kPriceEdit)->Edit().text(), "2.470");
    EXPECT_NEAR(Dialog().ChartA().XValue(0), 2.47 * 0.5, 1e-6) << "the sweep starts at half the new price";
}

// The futures account holds one of the commodity future's options and the future itself: the
// group list offers the option's underlying, whose choice also becomes the market in use.
TEST_F(RiskWindow, ChoosingAnAccountLoadsItAndTellsTheOthersOnceWithoutLooping) {
    const auto& option = FutureOption();
    const auto& future = *Host().Market().Catalogue().At(option.option->underlying);
    Host().Market().AddPosition("E1008", option.index, Terminal::Market::PositionSide::Long, 1,
                                option.ToUnits(30));
    Host().Market().AddPosition("E1008", future.index, Terminal::Market::PositionSide::Long, 1,
                                future.ToUnits(3000));
    Open();
    AddThroughChooser(FundOption(8));
    ASSERT_EQ(Dialog().SimulatedList().GetItemCount(), 2);
    auto recorder = Host().Record({Kora::Interface::Topic::kAccountChange});

    auto* accounts = Control<QComboBox>(Dlg::kAccountCombo);
    const int futures = accounts->findData("E1008");
    ASSERT_GE(futures, 0);
    EXPECT_EQ(accounts->itemText(futures), "期货 80080001");
    Choose(Dlg::kAccountCombo, futures);
    t.Pump();

    EXPECT_EQ(recorder->Count(Kora::Interface::Topic::kAccountChange), 1);
    EXPECT_EQ(JsonText(Dialog().Account(), "EAccountID"), "E1008");
    EXPECT_EQ(accounts->currentData().toString(), "E1008");
    EXPECT_EQ(Dialog().RealList().GetItemCount(), 3);
    EXPECT_EQ(Dialog().SimulatedList().GetItemCount(), 0)
        << "the simulated positions were the other account's";
    EXPECT_EQ(Dialog().Underlying().code, QString::fromStdString(future.code))
        << "the market in use follows to the underlying of the account's options";

    auto* groups = Control<QComboBox>(Dlg::kGroupCombo);
    ASSERT_EQ(groups->count(), 2);
    EXPECT_EQ(groups->itemText(0), "全部持仓");
    Choose(Dlg::kGroupCombo, 1);
    EXPECT_EQ(Dialog().RealList().GetItemCount(), 2) << "the option and the total; the future has no group";
    EXPECT_EQ(Dialog().Underlying().code, QString::fromStdString(future.code));
}

TEST_F(RiskWindow, AnAccountLoggedOutGivesWayToTheOneNowListed) {
    Open();
    ASSERT_TRUE(Host().SetLoggedIn("E1006", false));
    t.Pump();
    EXPECT_NE(JsonText(Dialog().Account(), "EAccountID"), "E1006");
    EXPECT_EQ(Control<QComboBox>(Dlg::kAccountCombo)->findData("E1006"), -1);
    EXPECT_EQ(Dialog().RealList().GetItemCount(), 0);
}

TEST_F(RiskWindow, ToolButtonsRunTheirToolsAndHelpOpensThePage) {
    const Win::ModalRunner previous = Win::SetModalRunner([](QDialog&) { return int(QDialog::Rejected); });
    Open();
    const size_t before = Host().Instructs().Executed().size();
    for (int id : {Dlg::kTradeStatisticsButton, Dlg::kPriceCalcButton, Dlg::kSellAnalysisButton}) {
        QTest::mouseClick(Control<QPushButton>(id), Qt::LeftButton);
    }
    const auto executed = Host().Instructs().Executed();
    ASSERT_EQ(executed.size(), before + 3);
    EXPECT_EQ(JsonText(executed[before], "Function"), "OptionTradeStatistics");
    EXPECT_EQ(JsonText(executed[before + 1], "Function"), "OptionPriceCalc");
    EXPECT_EQ(JsonText(executed[before + 2], "Function"), "OptionSellAnaly");
    Win::SetModalRunner(previous);

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "Open");
    QTest::mouseClick(Control<QPushButton>(Dlg::kHelpButton), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_TRUE(catcher.opened[0].path().endsWith("Help/PositionAnalyze_ParamSet.html"));
    EXPECT_TRUE(QFileInfo::exists(catcher.opened[0].toLocalFile())) << "shipped in the run layout";
}

}  // namespace

#include "RiskWindowTest.moc"
