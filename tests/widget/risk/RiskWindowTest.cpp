// The position risk window on the account's positions: what it shows when it opens, the market
// of the chosen underlying, quotes, accounts and groups, the tools it leads to, and positions
// added by hand: the chooser, the cells a trader clicks, the X-axis settings and "一键下单".

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTreeWidget>

#include "CKrAmountEdit.h"
#include "CKrAmountHSpinEdit.h"
#include "CKrOwnerDrawList.h"
#include "CKrPriceHSpinEdit.h"
#include "EChart.h"
#include "analysis/CDlgPositionAnalyze.h"
#include "analysis/CDlgXAxisSet.h"
#include "chooser/CDlgSel.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "platform/ControlId.h"
#include "platform/ModalRunner.h"
#include "support/HostSteps.h"
#include "support/RunLayoutFolder.h"
#include "support/ScopedModalRunner.h"
#include "support/ToolWindowOnHost.h"
#include "support/UserInput.h"

namespace {

[[maybe_unused]] auto* const kRunLayoutFolder = ::testing::AddGlobalTestEnvironment(new RunLayoutFolder);

using Dlg = CDlgPositionAnalyze;
using Kora::Utility::JsonText;

// The position risk window as the terminal opens it, on the scripted market's stock-option
// account, which holds options of the fund (the ETF): two calls bought and one put written.
class RiskWindow : public ToolWindowOnHost<CDlgPositionAnalyze> {
protected:
    void SetUp() override {
        Host().Market().AddPosition("E1006", FundOption(8).index, Terminal::Market::PositionSide::Long, 2,
                                    FundOption(8).ToUnits(0.05));
        Host().Market().AddPosition("E1006", FundOption(11).index, Terminal::Market::PositionSide::Short, 1,
                                    FundOption(11).ToUnits(0.04));
        ASSERT_TRUE(Host().Engine().SetCurrentAccount("E1006"));
    }
    void Open() { OpenWindow(QStringLiteral("PositionAnalyze"), {1180, 820}); }

    // The fund, its near-month options (ascending strike, call before put), and one of the
    // commodity future's options.
    const Terminal::Market::Instrument& Fund() {
        return *Host().Market().Catalogue().At(Host().Market().Catalogue().Underlyings()[1]);
    }
    const Terminal::Market::Instrument& FundOption(int index) {
        return NearMonthOption(Host(), 1, size_t(index));
    }
    const Terminal::Market::Instrument& FutureOption() { return NearMonthOption(Host(), 0, 8); }

    // Adds an option through "添加": the chooser picks the group of its kind in its underlying's
    // month, then the option itself.
    void AddThroughChooser(const Terminal::Market::Instrument& option) {
        const ScopedModalRunner runner([&](QDialog& dialog) {
            auto& chooser = dynamic_cast<CDlgSel&>(dialog);
            const QString group = option.option->isPut ? QStringLiteral("认沽") : QStringLiteral("认购");
            const QString underlying = Host().OptionsData().GetUnderlyingName(
                Host().KeyOf(*Host().Market().Catalogue().At(option.option->underlying)));
            for (QTreeWidgetItem* item :
                 chooser.Tree()->findItems(group, Qt::MatchExactly | Qt::MatchRecursive)) {
                if (item->parent()->text(0) == QString::fromStdString(option.option->month) &&
                    item->parent()->parent()->text(0) == underlying) {
                    chooser.Tree()->setCurrentItem(item);
                }
            }
            const auto found =
                chooser.List()->findItems(QString::fromStdString(option.name), Qt::MatchExactly);
            EXPECT_EQ(found.size(), 1) << option.name;
            if (found.isEmpty()) {
                return int(QDialog::Rejected);
            }
            chooser.List()->clearSelection();
            found.front()->setSelected(true);
            chooser.Choose();
            return chooser.result();
        });
        QTest::mouseClick(Control<QPushButton>(CDlgPositionAnalyze::kAddButton), Qt::LeftButton);
        t.Pump();
    }
    // A click at an offset from a list cell's top left (negative x: from its right edge; none:
    // its centre).
    void ClickCell(CKrOwnerDrawList& list, int row, const char* key, std::optional<int> x = {}) {
        const QRect cell = list.CellRect(row, list.ColumnOf(QString::fromLatin1(key)));
        ASSERT_FALSE(cell.isEmpty()) << key << " row " << row;
        const QPoint at = !x       ? cell.center()
                          : *x < 0 ? QPoint(cell.right() + 1 + *x, cell.center().y())
                                   : QPoint(cell.left() + *x, cell.center().y());
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
        t.Pump();
    }
    // The combo's item chosen as the user chooses it.
    void Choose(int comboId, int index) {
        ChooseItem(*Control<QComboBox>(comboId), index);
        t.Pump();
    }
};

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
    EXPECT_FALSE(Dialog().ChartA().XLabels().isEmpty());
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
    TypeOver(volatility->Edit(), "0.6");
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
TEST_F(RiskWindow, ChoosingAnAccountLoadsItAndTellsTheOthersOnceWithoutLoopingAndLoggingOutGivesWay) {
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

    // Logged out, the account gives way to the first one still listed.
    ASSERT_TRUE(Host().SetLoggedIn("E1008", false));
    t.Pump();
    EXPECT_EQ(JsonText(Dialog().Account(), "EAccountID"), "E1001");
    EXPECT_EQ(accounts->findData("E1008"), -1);
    EXPECT_EQ(Dialog().RealList().GetItemCount(), 0) << "the first account listed holds no options";
}

TEST_F(RiskWindow, ToolButtonsRunTheirToolsAndHelpOpensThePage) {
    const ScopedModalRunner rejectAll([](QDialog&) { return int(QDialog::Rejected); });
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

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "Open");
    QTest::mouseClick(Control<QPushButton>(Dlg::kHelpButton), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_TRUE(catcher.opened[0].path().endsWith("Help/PositionAnalyze_ParamSet.html"));
    EXPECT_TRUE(QFileInfo::exists(catcher.opened[0].toLocalFile())) << "shipped in the run layout";
}

class RiskSimulated : public RiskWindow {
protected:
    void SetUp() override {
        RiskWindow::SetUp();
        Open();
        AddThroughChooser(FundOption(8));
    }
    CKrOwnerDrawList& List() { return Dialog().SimulatedList(); }
    QString Cell(int row, const char* key) { return List().CellText(row, List().ColumnOf(key)); }
    void OneClick() {
        QTest::mouseClick(Control<QPushButton>(Dlg::kOneClickButton), Qt::LeftButton);
        t.Pump();
    }
    std::vector<Json::Value> Combinations() { return t.Journal("Combination"); }
};

TEST_F(RiskSimulated, TheChosenOptionIsBoughtOneLotWhoseCellsStepEditAndTurnIt) {
    ASSERT_EQ(List().GetItemCount(), 2);
    EXPECT_EQ(Cell(0, "64"), QString::fromStdString(FundOption(8).name));
    EXPECT_EQ(Cell(0, "135"), "1");
    EXPECT_EQ(Cell(0, "270"), "买入");
    const double real = std::stod(Dialog().RealSet().Total()["Delta"].asString());
    const double oneLot = Cell(0, "Delta_o").toDouble();
    EXPECT_GT(oneLot, 0.3);
    EXPECT_NEAR(Dialog().SumList().CellText(0, 0).toDouble(), real + oneLot, 2e-4);

    ClickCell(List(), 0, "135", 4);  // minus
    ClickCell(List(), 0, "135", 4);
    EXPECT_EQ(Cell(0, "135"), "0") << "never below 0";
    ClickCell(List(), 0, "135", -4);  // plus
    ClickCell(List(), 0, "135", -4);
    EXPECT_EQ(Cell(0, "135"), "2");
    EXPECT_NEAR(Cell(0, "Delta_o").toDouble(), 2 * oneLot, 2e-4);

    ClickCell(List(), 0, "135");
    QLineEdit* editor = List().CellEditor();
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->text(), "2");
    editor->setText("5");
    QTest::keyClick(editor, Qt::Key_Return);
    t.Pump();
    EXPECT_EQ(Cell(0, "135"), "5");

    // The drop-down turns the direction and the figures with it.
    ClickCell(List(), 0, "270", 8);
    EXPECT_FALSE(List().CellChooser()->isVisible()) << "only the mark opens the choice";
    ClickCell(List(), 0, "270", -6);
    ASSERT_TRUE(List().CellChooser()->isVisible());
    emit List().CellChooser()->activated(1);
    t.Pump();
    EXPECT_EQ(Cell(0, "270"), "卖出");
    EXPECT_EQ(JsonText(Dialog().SimulatedSet().Record(0), "112"), "1");
    EXPECT_NEAR(Cell(0, "Delta_o").toDouble(), -5 * oneLot, 1e-3);
}

TEST_F(RiskSimulated, TheTotalRowIgnoresClicksATickedBoxLeavesTheSumsAndDeleteRemovesTheSelectedRows) {
    ClickCell(List(), 1, "135", 4);
    ClickCell(List(), 1, "Check");
    EXPECT_FALSE(List().CellEditor()->isVisible());
    EXPECT_EQ(Cell(0, "135"), "1");

    const QString sum = Dialog().SumList().CellText(0, 0);
    ClickCell(List(), 0, "Check");
    EXPECT_EQ(Cell(0, "Check"), "0");
    EXPECT_EQ(Cell(1, "Delta_o"), "0.0000");
    EXPECT_NE(Dialog().SumList().CellText(0, 0), sum);
    ClickCell(List(), 0, "Check");
    EXPECT_EQ(Dialog().SumList().CellText(0, 0), sum);

    // Delete removes the rows selected in the list.
    AddThroughChooser(FundOption(11));
    ASSERT_EQ(List().GetItemCount(), 3);
    ClickCell(List(), 0, "64");
    QTest::mouseClick(Control<QPushButton>(Dlg::kDeleteButton), Qt::LeftButton);
    t.Pump();
    ASSERT_EQ(List().GetItemCount(), 2);
    EXPECT_EQ(Cell(0, "64"), QString::fromStdString(FundOption(11).name));
}

TEST_F(RiskSimulated, AContractTheAccountCannotTradeIsRefusedAndNothingSent) {
    AddThroughChooser(FutureOption());
    OneClick();
    ASSERT_EQ(t.BoxTexts(), QStringList{"选择了当前账号不支持的合约，请重新选择！"});
    EXPECT_EQ(t.boxes.back().title, "提示");
    EXPECT_TRUE(Combinations().empty());
}

TEST_F(RiskSimulated, XAxisSettingsNarrowTheSweepAndKeepAtLeastFourLabels) {
    const ScopedModalRunner runner([](QDialog& dialog) {
        auto& settings = dynamic_cast<CDlgXAxisSet&>(dialog);
        Win::FindControl<QSlider>(&settings, CDlgXAxisSet::kRangeSlider)->setValue(20);
        CKrAmountHSpinEdit* count = Win::FindControl<CKrAmountHSpinEdit>(&settings, CDlgXAxisSet::kCountEdit);
        count->Edit().setText("3");
        settings.Confirm();
        return settings.result();
    });
    QTest::mouseClick(Control<QPushButton>(Dlg::kXAxisLink), Qt::LeftButton);
    t.Pump();
    EXPECT_EQ(t.BoxTexts(), QStringList{"X坐标轴刻度不能小于默认值4，已恢复默认值!"});
    EXPECT_EQ(Dlg::LabelCount(), 4);
    EXPECT_DOUBLE_EQ(Dialog().Persent(), 0.2);
    const double price = Control<CKrPriceHSpinEdit>(Dlg::kPriceEdit)->Value();
    EXPECT_NEAR(Dialog().ChartA().XValue(0), price * 0.8, 1e-4);
}

}  // namespace

#include "RiskWindowTest.moc"
