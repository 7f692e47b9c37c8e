#include "SellCommand.h"

#include <cstdio>
#include <initializer_list>
#include <utility>

#include "Arguments.h"
#include "option/pricing/ShortOptionAnalysis.h"

namespace {

constexpr int kMaxDecimals = 15;

void PrintNumbers(const char* name, std::initializer_list<double> values) {
    std::printf("%s", name);
    for (double value : values) {
        std::printf(" %.17g", value);
    }
    std::printf("\n");
}

}  // namespace

bool RunSellCommand(char** args, int count) {
    OptionPricing::ShortOption o;
    int32_t days = 0;
    int32_t decimals = 0;
    if (!ParseArguments(args, count,
                        {&o.put, &o.optionType, &o.exerciseStyle, &o.S, &o.K, &o.historicalVolatility, &o.r,
                         &days, &o.sellPrice, &o.quantity, &decimals}) ||
        o.exerciseStyle < 0 || o.exerciseStyle > 2 || decimals < 0 || decimals > kMaxDecimals ||
        days == INT32_MAX) {
        return false;
    }
    o.dayCount = days + 1;
    const OptionPricing::ShortOptionAnalysis a =
        OptionPricing::AnalyseShortOption(o, OptionPricing::SellLadder());
    for (const auto& [name, value] :
         std::initializer_list<std::pair<const char*, double>>{{"iv", a.impliedVolatility},
                                                               {"theory", a.theoreticalPrice},
                                                               {"delta", a.delta},
                                                               {"gamma", a.gamma},
                                                               {"theta", a.theta},
                                                               {"vega", a.vega},
                                                               {"rho", a.rho}}) {
        PrintNumbers(name, {value});
    }
    for (const OptionPricing::ProfitRow& row : a.rows) {
        PrintNumbers(OptionPricing::PriceLabel(row.price, decimals).c_str(),
                     {row.profit, row.probability[0], row.probability[1], row.probability[2]});
    }
    PrintNumbers("average", {a.averageProfit[0], a.averageProfit[1], a.averageProfit[2]});
    return true;
}
