#include <QDir>

#include "option/CDlgOptionPriceCalc.h"
#include "option/pricing/OptionPricing.h"
#include "option/valuation/HisVolatility.h"
#include "support/OptionToolFixture.h"

namespace {

using Calc = CDlgOptionPriceCalc;

class ValuedCalculator : public OptionToolFixture {
protected:
    void SetUp() override {
        OptionToolFixture::SetUp();
        ASSERT_TRUE(QDir::setCurrent(qEnvironmentVariable("KRT_DIST_BIN")));
        dialog.Create();
    }
    double Number(int id) { return Text(dialog, id).toDouble(); }
    // What the dialog values with: the historical volatility of the chosen option's underlying.
    double Sigma() { return OptionPricing::CalcHisVolatility(dialog.UnderlyingKey(), 0.0); }
    void UseModel(int model) { Combo(dialog, Calc::kModelCombo)->setCurrentIndex(model); }

    CDlgOptionPriceCalc dialog;
};

TEST_F(ValuedCalculator, TheTreeModelChangesOnlyThePriceAndStaysCloseForAnEuropeanAtTheMoney) {
    dialog.TakeOption(Option(true, 8));  // fund option, strike 2.50, underlying 2.500
    ASSERT_GT(Sigma(), 0.0);
    dialog.Compute();
    const double closedForm = Number(Calc::kTheoreticalPrice);
    const QString delta = Text(dialog, Calc::kDelta);
    const QString vega = Text(dialog, Calc::kVega);
    ASSERT_GT(closedForm, 0.0);

    UseModel(Calc::kBinomial);
    dialog.Compute();
    EXPECT_NEAR(Number(Calc::kTheoreticalPrice), closedForm, 0.01 * closedForm);
    EXPECT_EQ(Text(dialog, Calc::kDelta), delta);
    EXPECT_EQ(Text(dialog, Calc::kVega), vega);
    EXPECT_EQ(Text(dialog, Calc::kHisVolatility), QString::asprintf("%.04lf", Sigma()));
}

// The market price's volatility is found with two days added to those left; none is found
// above the underlying. Zero days left value with two days.
TEST_F(ValuedCalculator, AnImpliedVolatilityIsFoundForTheMarketPriceAndZeroDaysValueWithTwo) {
    dialog.TakeOption(Option(true, 8));
    const double S = Number(Calc::kUnderlyingPrice);
    const double K = Number(Calc::kStrike);
    const double T = (Text(dialog, Calc::kDaysToExpiry).toInt() + 2) / 365.0;
    const double price = OptionPricing::OptionPrice(0, 0, S, K, 0.3, 0.035, T);
    SetText(dialog, Calc::kMarketPrice, QString::number(price, 'f', 6).toUtf8().constData());
    dialog.Compute();
    EXPECT_NEAR(Number(Calc::kImpliedVolatility), 0.3, 1e-3);
    SetText(dialog, Calc::kMarketPrice, "100");
    dialog.Compute();
    EXPECT_EQ(Text(dialog, Calc::kImpliedVolatility), "0.0000");

    SetText(dialog, Calc::kDaysToExpiry, "0");
    dialog.Compute();
    EXPECT_EQ(Text(dialog, Calc::kDelta),
              QString::asprintf("%.04lf", OptionPricing::OptionDelta(0, 0, S, K, Sigma(), 0.035, 2.0 / 365)));
}

}  // namespace
