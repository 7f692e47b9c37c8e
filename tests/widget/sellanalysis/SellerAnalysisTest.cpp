#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include "analysis/CDlgOptionSellAnaly.h"
#include "analysis/SellOptionList.h"
#include "analysis/SellProfitModel.h"
#include "chooser/CDlgSel.h"
#include "support/OptionToolFixture.h"

namespace {

using Sell = CDlgOptionSellAnaly;
namespace I = Kora::Interface;

// Valued without the volatility library (the working folder is not the run layout): the
// historical volatility is 0 and the routines give their out-of-range results.
class SellerAnalysis : public OptionToolFixture {
protected:
    void SetUp() override {
        OptionToolFixture::SetUp();
        dialog.Create();
    }

    QStringList Column(const QAbstractItemModel& model, int column) {
        QStringList texts;
        for (int row = 0; row < model.rowCount(); ++row) {
            texts << model.index(row, column).data().toString();
        }
        return texts;
    }
    QStringList Texts(std::initializer_list<int> ids) {
        QStringList texts;
        for (int id : ids) {
            texts << Text(dialog, id);
        }
        return texts;
    }
    void Tick(int id, bool on) { Win::FindControl<QAbstractButton>(&dialog, id)->setChecked(on); }
    // Clicks the option's row of the list and waits for the details to show it.
    void Click(const I::QuoteKey& option) {
        const int row = dialog.Options().RowOf(option);
        ASSERT_GE(row, 0);
        auto* list = Win::FindControl<QTableView>(&dialog, Sell::kOptionList);
        const QRect cell = list->visualRect(dialog.Options().index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        ASSERT_TRUE(WaitUntil([&] { return dialog.Chosen() && dialog.Chosen()->Key() == option; }));
    }
    // The fund's underlying (the ETF, 2.500) in the combo.
    void ShowFund() { Combo(dialog, Sell::kUnderlyingCombo)->setCurrentIndex(1); }

    CDlgOptionSellAnaly dialog;
};

TEST_F(SellerAnalysis,
       OpensWithEveryBoxTickedListsTheServicesFiguresAndFiltersAgainstTheStrikeNearestTheUnderlying) {
    EXPECT_EQ(Combo(dialog, Sell::kUnderlyingCombo)->count(), 7);
    EXPECT_EQ(dialog.Options().rowCount(), 168);  // four months of 21 strikes, calls and puts
    for (int id : {Sell::kAllMonthsRadio, Sell::kCallCheck, Sell::kPutCheck, Sell::kInTheMoneyCheck,
                   Sell::kAtTheMoneyCheck, Sell::kOutOfTheMoneyCheck}) {
        EXPECT_TRUE(Win::FindControl<QAbstractButton>(&dialog, id)->isChecked()) << id;
    }
    EXPECT_EQ(Text(dialog, Sell::kHistoryDays), "60");
    EXPECT_EQ(Text(dialog, Sell::kQuantity), "1");
    EXPECT_EQ(Text(dialog, Sell::kRate), "3.50");

    ShowFund();
    const int row = dialog.Options().RowOf(Option(true, 20));  // the 2.50 call
    ASSERT_GE(row, 0);
    I::OptionRecord record;
    t.Host().OptionsData().GetOptionRecord(Option(true, 20), record);
    auto cell = [&](int column) { return dialog.Options().index(row, column).data().toString(); };
    EXPECT_EQ(cell(SellOptionList::kName), "蓝筹ETF购3月2500");
    EXPECT_EQ(cell(SellOptionList::kPremiumRate), QString::asprintf("%.04f", record.premiumRate));
    EXPECT_EQ(cell(SellOptionList::kDelta), QString::asprintf("%.04f", record.delta));
    EXPECT_EQ(cell(SellOptionList::kContractUnit), "10000");
    EXPECT_EQ(cell(SellOptionList::kLastPrice).size(), 6);  // four decimals

    Win::FindControl<QRadioButton>(&dialog, Sell::kNearestMonthRadio)->setChecked(true);
    EXPECT_EQ(dialog.Options().rowCount(), 42);
    Tick(Sell::kInTheMoneyCheck, false);
    Tick(Sell::kOutOfTheMoneyCheck, false);
    EXPECT_EQ(Column(dialog.Options(), SellOptionList::kName),
              (QStringList{"蓝筹ETF购3月2500", "蓝筹ETF沽3月2500"}));
    Tick(Sell::kAtTheMoneyCheck, false);
    Tick(Sell::kInTheMoneyCheck, true);
    Tick(Sell::kPutCheck, false);
    const QStringList calls = Column(dialog.Options(), SellOptionList::kName);
    ASSERT_EQ(calls.size(), 10);
    EXPECT_EQ(calls.front(), "蓝筹ETF购3月2000");
    EXPECT_EQ(calls.back(), "蓝筹ETF购3月2450");
    Tick(Sell::kPutCheck, true);
    Tick(Sell::kCallCheck, false);
    const QStringList puts = Column(dialog.Options(), SellOptionList::kName);
    ASSERT_EQ(puts.size(), 10);
    EXPECT_EQ(puts.front(), "蓝筹ETF沽3月2550");
    EXPECT_EQ(puts.back(), "蓝筹ETF沽3月3000");
}

TEST_F(SellerAnalysis, AClickShowsTheOptionsDetailsWhichFollowTheUnderlyingsQuotes) {
    ShowFund();
    const I::QuoteKey call = Option(true, 20);
    Click(call);
    EXPECT_EQ(
        Texts({Sell::kOptionName, Sell::kClass, Sell::kKind, Sell::kStrike, Sell::kContractUnit,
               Sell::kUnderlyingName, Sell::kExerciseStyle, Sell::kUnderlyingPrice}),
        (QStringList{"蓝筹ETF购3月2500", "股票期权", "认购", "2.5000", "10000", "蓝筹ETF", "欧式", "2.500"}));
    const QDateTime expiry = t.Host().OptionsData().GetExpiryDate(call);
    EXPECT_EQ(Text(dialog, Sell::kExpiry), expiry.toString("yyyy-MM-dd"));
    EXPECT_EQ(Text(dialog, Sell::kDaysLeft), QString::number(t.Host().OptionsData().WholeDaysBetween(
                                                 t.Host().Time().GetCurrentTime(), expiry)));
    EXPECT_FALSE(Text(dialog, Sell::kSellPrice).isEmpty());

    const auto& fund = *t.Host().Market().Catalogue().At(t.Host().Market().Catalogue().Underlyings()[1]);
    t.Host().Market().TradeAt(fund.index, fund.ToUnits(2.612));
    t.Host().Settle();
    EXPECT_TRUE(WaitUntil([&] { return Text(dialog, Sell::kUnderlyingPrice) == "2.612"; }))
        << "the underlying's quotes reach the details";
}

TEST_F(SellerAnalysis, ValidationsComeInOrderAndChangeNothing) {
    ShowFund();
    Click(Option(true, 20));
    struct Case {
        const char* historyDays;
        const char* sellPrice;
        const char* quantity;
        const char* message;  // none: accepted
    };
    const Case cases[] = {
        {"4", "", "", "计算天数太短!"},
        // Beyond the integers: read as the largest, not wrapped round to a negative count.
        {"99999999999", "0.05", "1", "计算天数太长!"},
        {"15000", "0.05", "1", "计算天数太长!"},
        {"5", "0", "1", "卖出价格必须大于 0!"},
        {"14999", "0.000009", "1", "卖出价格必须大于 0!"},
        {"60", "0.05", "", "卖出数量必须大于 0!"},
        {"5", "0.05", "1", nullptr},
        {"14999", "0.05", "3", nullptr},
    };
    for (const Case& c : cases) {
        t.boxes.clear();
        dialog.ProfitRows().Show({}, 0);
        SetText(dialog, Sell::kHistoryDays, c.historyDays);
        SetText(dialog, Sell::kSellPrice, c.sellPrice);
        SetText(dialog, Sell::kQuantity, c.quantity);
        dialog.Compute();
        if (c.message) {
            ASSERT_EQ(t.BoxTexts(), QStringList{QString::fromUtf8(c.message)}) << c.historyDays;
            EXPECT_EQ(t.boxes[0].title, "提示");
            EXPECT_EQ(dialog.ProfitRows().rowCount(), 0);
        } else {
            EXPECT_TRUE(t.boxes.empty()) << c.historyDays << " " << t.BoxTexts().join(",").toStdString();
            EXPECT_EQ(dialog.ProfitRows().rowCount(), 9);
        }
    }
}

TEST_F(SellerAnalysis, WithoutAHistoricalVolatilityTheTableHoldsProfitsAndNoProbabilities) {
    ShowFund();
    Click(Option(true, 20));
    SetText(dialog, Sell::kSellPrice, "0.05");
    SetText(dialog, Sell::kQuantity, "2");
    dialog.Compute();
    EXPECT_EQ(Texts({Sell::kHisVolatility, Sell::kTheoreticalPrice, Sell::kDelta, Sell::kVega,
                     Sell::kIntrinsicValue, Sell::kTimeValue}),
              (QStringList{"0.0000", "-1.0000", "1.0000", "0.0000", "0.0000", "0.0500"}));
    EXPECT_EQ(dialog.ProfitRows().index(0, 0).data().toString(), "3.5000");
    // A short call sold at 0.05 for two: 0.10 kept at or below the strike.
    EXPECT_EQ(
        Column(dialog.ProfitRows(), 2),
        (QStringList{"-1.9000(0.00%)", "-1.4000(0.00%)", "-0.9000(0.00%)", "-0.4000(0.00%)", "0.1000(0.00%)",
                     "0.1000(0.00%)", "0.1000(0.00%)", "0.1000(0.00%)", "0.1000(0.00%)"}));
    EXPECT_EQ(Column(dialog.Summary(), 0), QStringList{"平均盈利"});
    EXPECT_EQ(Column(dialog.Summary(), 3), QStringList{"0.0000"});
}

TEST_F(SellerAnalysis, ChangingTheUnderlyingTakesTheChoosersOptionAndSelectsItInTheList) {
    I::QuoteKey chosen;
    onModal = [&](QDialog& modal) {
        auto* chooser = dynamic_cast<CDlgSel*>(&modal);
        if (!chooser) {
            return modal.exec();  // the data download
        }
        chooser->Create();
        QTreeWidgetItem* fund = chooser->Tree()->topLevelItem(1);
        chooser->Tree()->setCurrentItem(fund->child(0)->child(1));  // the nearest month's puts
        chooser->List()->setCurrentRow(3);
        chooser->Choose();
        chosen = chooser->Choice();
        return int(QDialog::Accepted);
    };
    dialog.ChangeUnderlying();
    ASSERT_TRUE(WaitUntil([&] { return dialog.Chosen() && dialog.Chosen()->Key() == chosen; }));
    EXPECT_EQ(Combo(dialog, Sell::kUnderlyingCombo)->currentText(), "蓝筹ETF");
    auto* list = Win::FindControl<QTableView>(&dialog, Sell::kOptionList);
    EXPECT_EQ(list->currentIndex().row(), dialog.Options().RowOf(chosen));
    EXPECT_EQ(Text(dialog, Sell::kKind), "认沽");

    onModal = [](QDialog&) { return int(QDialog::Rejected); };
    dialog.ChangeUnderlying();
    EXPECT_EQ(dialog.Chosen()->Key(), chosen);
}

// The way a trader goes: the instruct over the main window, a click in the list, "计算".
TEST_F(SellerAnalysis, TheInstructOpensTheAnalysisWhichFillsItsTableForTheClickedOption) {
    int tableRows = -1;
    QString summary;
    onModal = [&](QDialog& modal) {
        auto* analysis = dynamic_cast<CDlgOptionSellAnaly*>(&modal);
        if (!analysis) {
            return modal.exec();
        }
        analysis->Create();
        auto* list = Win::FindControl<QTableView>(analysis, Sell::kOptionList);
        const QRect cell = list->visualRect(analysis->Options().index(3, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
        if (WaitUntil([&] { return analysis->Chosen().has_value(); })) {
            QTest::mouseClick(Win::FindControl<QPushButton>(analysis, Sell::kComputeButton), Qt::LeftButton);
        }
        tableRows = analysis->ProfitRows().rowCount();
        summary = analysis->Summary().index(0, 0).data().toString();
        return int(QDialog::Rejected);
    };
    Json::Value request(Json::objectValue);
    request["Function"] = "OptionSellAnaly";
    t.Host().Instructs().ExecuteInstruct(request);
    EXPECT_EQ(tableRows, 9);
    EXPECT_EQ(summary, "平均盈利");
    EXPECT_TRUE(t.boxes.empty()) << t.BoxTexts().join(",").toStdString();
}

}  // namespace
