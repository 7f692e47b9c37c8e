// The option batch board without a window: how a month's options become rows, what each cell
// shows, the risk it sums, and the order the ticked cells become.

#include <gtest/gtest.h>

#include "option/BatchOrderRequest.h"
#include "option/OptionBoardColumns.h"
#include "option/OptionBoardFrame.h"
#include "option/OptionBoardRisk.h"
#include "option/pricing/ImpliedVolatility.h"
#include "option/pricing/OptionPricing.h"
#include "support/JsonOf.h"

namespace {

using namespace OptionBoard;
namespace I = Kora::Interface;

const QDateTime kNow(QDate(2024, 3, 15), QTime(10, 0));
// Expiry on 27 March at 15:00 in the exchange's time: 12 days on, T = 13 / 365.
const QDateTime kExpiry(QDate(2024, 3, 27), QTime(7, 0), Qt::UTC);
constexpr double kT = 13.0 / 365.0;

// An option of class 'o' struck at strike / 1000, priced in ten-thousandths.
Option MakeOption(int64_t strike, bool put, double impliedVolatility = 0.25) {
    Option option;
    option.key.marketId = 7;
    option.key.code = QStringLiteral("%1%2").arg(put ? "P" : "C").arg(strike);
    option.record.classLetter = 'o';
    option.record.callPut = put ? 0 : -1;
    option.record.strike = strike;
    option.record.strikeDivisor = 1000;
    option.record.expiry = kExpiry;
    option.record.impliedVolatility = impliedVolatility;
    option.info.priceDivisor = 10000;
    option.info.decimals = 4;
    option.info.exchangeCode = QStringLiteral("SHQQ-A");
    option.info.contractCode = option.key.code;
    option.contract = Json::Value(Json::objectValue);
    option.contract["54"] = "SHQQ-A";
    option.contract["63"] = option.key.code.toStdString();
    return option;
}

std::vector<Row> Chain(std::initializer_list<int64_t> strikes) {
    std::vector<Option> options;
    for (int64_t strike : strikes) {
        options.push_back(MakeOption(strike, true));
        options.push_back(MakeOption(strike, false));
    }
    return ArrangeRows(std::move(options));
}

Market At(double S) {
    return {S, 0.03, kNow};
}

Quote Quoted(int32_t bid, int32_t ask, int32_t last) {
    return {true, bid, ask, last};
}

TEST(OptionBoardRows, StrikesAcrossAPowerOfTenAreOrderedAsNumbersAndTheLaterOfTwoEquallyNearIsAtTheMoney) {
    // As texts "10000" and "10500" would sort before "9000" and "9500", and the walk that keeps
    // the later of two equally near strikes would then end on 9.5.
    const std::vector<Row> rows = Chain({10500, 9000, 10000, 9500});
    std::vector<int64_t> strikes;
    for (const Row& row : rows) {
        strikes.push_back(row.strike);
        EXPECT_TRUE(row.call && !row.call->record.IsPut());
        EXPECT_TRUE(row.put && row.put->record.IsPut());
    }
    EXPECT_EQ(strikes, (std::vector<int64_t>{9000, 9500, 10000, 10500}));

    const Frame frame = ComputeFrame(rows, std::vector<RowQuotes>(rows.size()), Tab::kMarketPrice, At(9.75));
    EXPECT_EQ(frame.atTheMoney, 10000);
    EXPECT_EQ(frame.atTheMoneyRow, 2);
    EXPECT_EQ(frame.texts[2][kStrike], "10.0000 平值");
    EXPECT_EQ(frame.texts[1][kStrike], "9.5000");
}

TEST(OptionBoardRows, CallsBelowAndPutsAboveTheAtTheMoneyStrikeAreInTheMoney) {
    const std::vector<Row> rows = Chain({2900, 3000, 3100});
    const Frame near = ComputeFrame(rows, {}, Tab::kMarketPrice, At(3.04));
    EXPECT_EQ(near.atTheMoneyRow, 1);
    EXPECT_EQ(near.inTheMoney[0], (std::array<bool, 2>{true, false}));
    EXPECT_EQ(near.inTheMoney[1], (std::array<bool, 2>{false, false}));
    EXPECT_EQ(near.inTheMoney[2], (std::array<bool, 2>{false, true}));
    EXPECT_EQ(ComputeFrame(rows, {}, Tab::kMarketPrice, At(3.05)).atTheMoneyRow, 2);
}

TEST(OptionBoardCells, EachTabShowsItsFigureAtTheBidForBuyingAndAtTheAskForSelling) {
    const std::vector<Row> rows = Chain({3000, 3100});
    // The 3.1 call: bid 0.0210, ask 0.0230, last 0.0221; the 3.0 put has no price at all.
    std::vector<RowQuotes> quotes(2);
    quotes[1][0] = Quoted(210, 230, 221);
    quotes[0][1] = Quoted(0, 0, 0);
    const Market market = At(3.05);

    const Frame prices = ComputeFrame(rows, quotes, Tab::kMarketPrice, market);
    EXPECT_EQ(prices.texts[1][kCallBuy], "0.0210");
    EXPECT_EQ(prices.texts[1][kCallSell], "0.0230");
    EXPECT_EQ(prices.texts[0][kPutBuy], "") << "a price of 0 shows the placeholder";
    EXPECT_EQ(prices.texts[0][kCallBuy], "") << "no snapshot shows the placeholder";
    EXPECT_EQ(ComputeFrame(rows, quotes, Tab::kLastPrice, market).texts[1][kCallSell], "0.0221");

    // The 3.0 call is 0.05 in the money: its time value is what the price adds to that.
    quotes[0][0] = Quoted(620, 640, 630);
    const Frame time = ComputeFrame(rows, quotes, Tab::kTimeValue, market);
    EXPECT_EQ(time.texts[0][kCallBuy], "0.0120");
    EXPECT_EQ(time.texts[1][kCallBuy], "0.0210");

    const Frame volatility = ComputeFrame(rows, quotes, Tab::kImpliedVolatility, market);
    for (const auto& [column, price] : {std::pair{kCallBuy, 0.0210}, std::pair{kCallSell, 0.0230}}) {
        double sigma = 0;
        ASSERT_TRUE(OptionPricing::ImpliedVolatility(0, 0, 3.05, 3.1, 0.25, 0.03, kT, price, sigma));
        EXPECT_EQ(volatility.texts[1][column], QString::asprintf("%.4lf", sigma));
    }
    // A bid below the option's intrinsic value has no volatility.
    quotes[0][0] = Quoted(400, 640, 630);
    EXPECT_EQ(ComputeFrame(rows, quotes, Tab::kImpliedVolatility, market).texts[0][kCallBuy], "");
}

TEST(OptionBoardRisk, TheTrialScalesGreeksByTheQuantityButNotThePremiumSpreadAndLeavesIncompleteLegsOut) {
    const Option bought = MakeOption(3000, false);
    const Option sold = MakeOption(3100, false);
    const Market market = At(3.05);
    const std::vector<Leg> legs = {{&bought, Quoted(500, 520, 512), false},
                                   {&sold, Quoted(300, 310, 305), true}};

    const RiskSums one = TrialSums(legs, 1, market);
    const RiskSums five = TrialSums(legs, 5, market);
    EXPECT_NEAR(one.PremiumSpread(), -207.0, 1e-9);
    EXPECT_NEAR(five.PremiumSpread(), -207.0, 1e-9);
    const double vega = OptionPricing::OptionVega(0, 3.05, 3.0, 0.25, 0.03, kT);
    const double delta = OptionPricing::OptionDelta(0, 0, 3.05, 3.1, 0.25, 0.03, kT);
    EXPECT_DOUBLE_EQ(one.buyVega, vega);
    EXPECT_DOUBLE_EQ(five.buyVega, 5 * vega);
    EXPECT_DOUBLE_EQ(five.sellDelta, 5 * delta);

    // A leg without contract or quote is left out of the sums.
    Option unlisted = MakeOption(3000, true);
    unlisted.contract = Json::Value();
    const Option listed = MakeOption(3100, true);
    const std::vector<Leg> incomplete = {{&unlisted, Quoted(500, 520, 512), false},
                                         {&listed, Quote{}, true},
                                         {nullptr, Quoted(1, 2, 3), false}};
    for (const Leg& leg : incomplete) {
        EXPECT_FALSE(leg.IsComplete());
    }
    const RiskSums sums = TrialSums(incomplete, 3, market);
    EXPECT_EQ(sums.buyVega + sums.buyDelta + sums.sellVega + sums.sellDelta + sums.premium, 0.0);
}

TEST(OptionBoardRisk, WorkingOrdersCountTheirRemainingVolumeOnTheirSide) {
    const Json::Value orders = JsonOf(R"([
        {"54": "SHQQ-A", "63": "C3000", "112": "0", "130": "5", "113": "2", "156": "1"},
        {"54": "SHQQ-A", "63": "P3000", "112": "1", "130": 4, "113": 0, "156": "2"},
        {"54": "SHQQ-A", "63": "C3000", "112": "0", "130": "9", "113": "0", "156": "0"},
        {"54": "SHQQ-A", "63": "C3000", "112": "1", "130": "9", "113": "0", "156": "4"},
        {"54": "DCE", "63": "m2408", "112": "0", "130": "9", "113": "0", "156": "2"}])");
    const Option call = MakeOption(3000, false);
    const Option put = MakeOption(3000, true);
    const OptionLookup lookup = [&](const QString&, const QString& code) -> std::optional<I::OptionRecord> {
        if (code == "C3000") {
            return call.record;
        }
        if (code == "P3000") {
            return put.record;
        }
        return std::nullopt;
    };
    const RiskSums sums = WorkingOrderSums(orders, lookup, At(3.05));
    const double vega = OptionPricing::OptionVega(0, 3.05, 3.0, 0.25, 0.03, kT);
    EXPECT_DOUBLE_EQ(sums.buyVega, 3 * vega);
    EXPECT_DOUBLE_EQ(sums.buyDelta, 3 * OptionPricing::OptionDelta(0, 0, 3.05, 3.0, 0.25, 0.03, kT));
    EXPECT_DOUBLE_EQ(sums.sellVega, 4 * vega);
    EXPECT_DOUBLE_EQ(sums.sellDelta, 4 * OptionPricing::OptionDelta(1, 0, 3.05, 3.0, 0.25, 0.03, kT));
    EXPECT_EQ(sums.premium, 0.0);
}

TEST(BatchOrderRequest, EachCheckRefusesInItsTurn) {
    BatchOrderRequest::Checks checks;
    auto refusal = [&] { return BatchOrderRequest::Refusal(checks); };
    EXPECT_EQ(refusal(), "请您先登录交易账号再操作！");
    checks.hasAccount = true;
    checks.accountCategory = 8;  // a futures account and a fund's option
    checks.classLetter = 'o';
    EXPECT_EQ(refusal(), "你选择的期权合约与当前交易账号的类型不匹配，请核实！");
    checks.accountCategory = 6;
    EXPECT_EQ(refusal(), "价格错误，不能下单！");
    checks.hasPriceType = true;
    checks.quantityText = "  ";
    EXPECT_EQ(refusal(), "请您输入数量！");
    for (const char* wrong : {"0", "-3", "2.5", "3手", "1000001"}) {
        checks.quantityText = wrong;
        EXPECT_EQ(refusal(), "数量不正确，请重新输入！") << wrong;
    }
    checks.quantityText = " 3 ";
    EXPECT_EQ(refusal(), "请您先选择期权合约再操作！");
    checks.tickedLegs = 2;
    checks.incompleteLeg = "蓝筹ETF沽3月3100（认沽买）";
    EXPECT_EQ(refusal(), "蓝筹ETF沽3月3100（认沽买）缺少合约信息或行情，不能下单，请取消勾选后再操作！");
    checks.incompleteLeg.clear();
    EXPECT_EQ(refusal(), "");

    EXPECT_TRUE(BatchOrderRequest::AccountTradesClass(6, 'p'));
    EXPECT_TRUE(BatchOrderRequest::AccountTradesClass(8, 'n'));
    EXPECT_FALSE(BatchOrderRequest::AccountTradesClass(8, 'o'));
    EXPECT_FALSE(BatchOrderRequest::AccountTradesClass(0, 'o'));
}

TEST(BatchOrderRequest, TheTickedCellsBecomeOneCombinationInTheirOrder) {
    Json::Value account(Json::objectValue);
    account["EAccountID"] = "E1006";
    account["VAccountID"] = "V1006";
    const Json::Value request = BatchOrderRequest::Compose(
        account, QStringLiteral("挂单价"), {{"SHQQ-A", "10000123", true}, {"SHQQ-A", "10000124", false}}, 3);
    const Json::Value expected = JsonOf(R"({
        "OrderList": [
            {"Contract": {"ExchangeCode": "SHQQ-A", "ContractCode": "10000123"}, "EAccountID": "E1006",
             "BD": 48, "BS": 49, "OC": 48, "Volume": 3},
            {"Contract": {"ExchangeCode": "SHQQ-A", "ContractCode": "10000124"}, "EAccountID": "E1006",
             "BD": 48, "BS": 48, "OC": 48, "Volume": 3}],
        "VAccountID": "V1006", "CombinationVolume": 1, "CombinationName": "批量下单", "PriceType": "挂单价",
        "HideVolume": true})");
    EXPECT_EQ(request, expected);
}

}  // namespace
