#pragma once

#include <QString>
#include <vector>

#include "analysis/StrikeStatistics.h"

// The statistics of the trade statistics window, in the order of its switch bar.
enum class TradeStatistic {
    Volume,
    Turnover,
    NetBuying,
    OpenInterest,
    OpenInterestChange,
    ImpliedVolatility,
    MaxPain,
};
inline constexpr int kTradeStatisticCount = 7;

// The text shown for the chart point under the mouse, with the call and put values of the
// point: their ratio (0 when the put value is not above 0.00001) for volume, turnover and open
// interest; their difference for net buying and the change of open interest; for implied
// volatilities, which are fractions, both values and their difference in percent; for the
// pains their sum.
QString PointDataText(TradeStatistic statistic, double call, double put);

// The summary table: per row the call and put totals and how they relate. Only contracts the
// host knows count.
struct TradeSummaryRow {
    QString title;
    QString call;
    QString put;
    QString relation;  // the "认购/认沽" column
};

// Rows "总成交量" and "总持仓量": totals with their share of both, and the ratio call ÷ put in
// percent ("--" when the put total is not above 0.0001); "总净买量" and "持仓量变化": totals and
// their difference; "隐含波动率": the average implied volatility of the calls and of the puts
// in percent and their difference ("--" without any); "最痛点位": the maximum-pain price
// ("--" unless it is above 0.000001).
std::vector<TradeSummaryRow> SummarizeTrades(const std::vector<StrikeStatistics>& rows, double maxPainPrice);
