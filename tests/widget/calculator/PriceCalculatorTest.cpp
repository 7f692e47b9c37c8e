#include <QRadioButton>

#include "option/CDlgOptionPriceCalc.h"
#include "support/OptionToolFixture.h"

namespace {

using Calc = CDlgOptionPriceCalc;

class PriceCalculator : public OptionToolFixture {
protected:
    void SetUp() override {
        OptionToolFixture::SetUp();
        dialog.Create();
    }
    CDlgOptionPriceCalc dialog;
};

TEST_F(PriceCalculator, StartsOnAnExistingOptionWithItsDefaultsAndComputesNothingBeforeOneIsChosen) {
    EXPECT_TRUE(Win::FindControl<QRadioButton>(&dialog, Calc::kExistingRadio)->isChecked());
    EXPECT_TRUE(Win::FindControl<QRadioButton>(&dialog, Calc::kNewRadio)->isHidden());
    EXPECT_EQ(Text(dialog, Calc::kLayers), "20");
    EXPECT_EQ(Text(dialog, Calc::kHistoryDays), "60");
    EXPECT_FALSE(Combo(dialog, Calc::kStyleCombo)->isEnabled());
    EXPECT_FALSE(Win::FindControl(&dialog, Calc::kDownloadButton)->isEnabled());
    // No exercise style yet: the tree model, fixed.
    EXPECT_EQ(Combo(dialog, Calc::kModelCombo)->currentText(), "二叉树模型");
    EXPECT_FALSE(Combo(dialog, Calc::kModelCombo)->isEnabled());

    // Nothing is computed before an option is chosen, and a cancelled chooser changes nothing.
    SetText(dialog, Calc::kHistoryDays, "1");
    dialog.Compute();
    EXPECT_TRUE(t.boxes.empty());
    onModal = [](QDialog&) { return 0; };
    dialog.ChooseOption();
    EXPECT_TRUE(Text(dialog, Calc::kOptionName).isEmpty());
    EXPECT_LT(dialog.OptionKey().marketId, 0);
}

TEST_F(PriceCalculator, TakingAnOptionFillsItsFiguresAndAnAmericanOneForcesTheTreeModel) {
    dialog.TakeOption(Option(true, 8));  // a fund option: European, class 'o'
    EXPECT_FALSE(Text(dialog, Calc::kOptionName).isEmpty());
    EXPECT_EQ(Combo(dialog, Calc::kClassCombo)->currentText(), "股票期权");
    EXPECT_EQ(Combo(dialog, Calc::kStyleCombo)->currentText(), "欧式");
    EXPECT_EQ(Combo(dialog, Calc::kModelCombo)->currentText(), "B-S模型");
    EXPECT_TRUE(Combo(dialog, Calc::kModelCombo)->isEnabled());
    EXPECT_EQ(Text(dialog, Calc::kUnderlyingName), "蓝筹ETF");
    EXPECT_EQ(Text(dialog, Calc::kUnderlyingPrice), "2.500");
    EXPECT_EQ(Text(dialog, Calc::kRate), "3.50");
    EXPECT_FALSE(Text(dialog, Calc::kExpiryDate).isEmpty());
    EXPECT_GT(Text(dialog, Calc::kDaysToExpiry).toInt(), 0);
    EXPECT_TRUE(Win::FindControl(&dialog, Calc::kDownloadButton)->isEnabled());
    EXPECT_EQ(dialog.UnderlyingKey().code, "510050");

    dialog.TakeOption(Option(false, 8));  // a futures option: American, class 'n'
    EXPECT_EQ(Combo(dialog, Calc::kClassCombo)->currentText(), "期货期权");
    EXPECT_EQ(Combo(dialog, Calc::kStyleCombo)->currentText(), "美式");
    EXPECT_EQ(Combo(dialog, Calc::kModelCombo)->currentText(), "二叉树模型");
    EXPECT_FALSE(Combo(dialog, Calc::kModelCombo)->isEnabled());
}

TEST_F(PriceCalculator, ValidationsComeInOrderAndStopTheComputation) {
    dialog.TakeOption(Option(true, 8));
    struct Case {
        const char* historyDays;
        const char* layers;
        const char* rate;
        const char* message;
    };
    const Case cases[] = {
        {"4", "", "", "计算天数不应小于5天! "},
        {"5", "0", "", "计算层数应大于 0! "},
        {"5", "20", "0.0001", "无风险利率应大于 0! "},
    };
    for (const Case& c : cases) {
        t.boxes.clear();
        SetText(dialog, Calc::kHistoryDays, c.historyDays);
        SetText(dialog, Calc::kLayers, c.layers);
        SetText(dialog, Calc::kRate, c.rate);
        SetText(dialog, Calc::kTheoreticalPrice, "");
        dialog.Compute();
        EXPECT_EQ(t.BoxTexts(), QStringList{QString::fromUtf8(c.message)})
            << c.historyDays << "/" << c.layers;
        EXPECT_EQ(t.boxes[0].title, "提示");
        EXPECT_TRUE(Text(dialog, Calc::kTheoreticalPrice).isEmpty());
    }
    Win::FindControl<QRadioButton>(&dialog, Calc::kNewRadio)->setChecked(true);
    SetText(dialog, Calc::kRate, "3.5");
    SetText(dialog, Calc::kMarketPrice, "0");
    t.boxes.clear();
    dialog.Compute();
    EXPECT_EQ(t.BoxTexts(), QStringList{"我的定价必须大于 0! "});
}

TEST_F(PriceCalculator, WithoutTheVolatilityLibraryTheRoutinesGiveTheirOutOfRangeResults) {
    dialog.TakeOption(Option(true, 8));
    dialog.Compute();
    EXPECT_TRUE(t.boxes.empty());
    EXPECT_EQ(Text(dialog, Calc::kHisVolatility), "0.0000");
    EXPECT_EQ(Text(dialog, Calc::kTheoreticalPrice), "-1.0000");
    EXPECT_EQ(Text(dialog, Calc::kDelta), "1.0000");
    for (int id : {Calc::kGamma, Calc::kTheta, Calc::kVega, Calc::kRho}) {
        EXPECT_EQ(Text(dialog, id), "0.0000") << id;
    }
    EXPECT_TRUE(Win::FindControl(&dialog, Calc::kComputeButton)->isEnabled());
}

TEST_F(PriceCalculator, TheRateSpinMovesATenthOfAPointAgainstItsDelta) {
    SetText(dialog, Calc::kRate, "3.50");
    dialog.OnRateSpin(-1);
    EXPECT_EQ(Text(dialog, Calc::kRate), "3.60");
    SetText(dialog, Calc::kRate, "3.50");
    dialog.OnRateSpin(1);
    EXPECT_EQ(Text(dialog, Calc::kRate), "3.40");
}

}  // namespace
