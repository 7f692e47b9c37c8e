#include "analysis/TradeStatisticsTexts.h"

#include <cmath>
#include <functional>
#include <optional>

namespace {

// Below these a divisor counts as zero: the data text's and the table's.
constexpr double kPointDivisorFloor = 0.00001;
constexpr double kTableDivisorFloor = 0.0001;
constexpr double kMaxPainFloor = 0.000001;

struct Totals {
    double call = 0;
    double put = 0;
};

Totals Sum(const std::vector<StrikeStatistics>& rows,
           const std::function<double(const SideStatistics&)>& figure) {
    Totals totals;
    for (const StrikeStatistics& row : rows) {
        totals.call += row.call.known ? figure(row.call) : 0.0;
        totals.put += row.put.known ? figure(row.put) : 0.0;
    }
    return totals;
}

QString Whole(double value) {
    return QString::asprintf("%lld", static_cast<long long>(std::llround(value)));
}

// A total with its share of both sides' totals.
QString WithShare(double value, double total) {
    return total > kTableDivisorFloor ? Whole(value) + QString::asprintf("  %.2f%%", value / total * 100)
                                      : Whole(value);
}

TradeSummaryRow Shares(const char* title, Totals t) {
    const double total = t.call + t.put;
    return {QString::fromUtf8(title), WithShare(t.call, total), WithShare(t.put, total),
            t.put > kTableDivisorFloor ? QString::asprintf("%.2f%%(比)", t.call / t.put * 100)
                                       : QStringLiteral("--")};
}

TradeSummaryRow Differences(const char* title, Totals t) {
    return {
        QString::fromUtf8(title), Whole(t.call), Whole(t.put),
        QString::asprintf("%lld(差)", static_cast<long long>(std::llround(t.call) - std::llround(t.put)))};
}

// The average implied volatility in percent of the known contracts that have one.
std::optional<double> AverageVolatility(const std::vector<StrikeStatistics>& rows, bool calls) {
    double sum = 0;
    int count = 0;
    for (const StrikeStatistics& row : rows) {
        const SideStatistics& side = calls ? row.call : row.put;
        if (side.known && side.impliedVolatility > 0) {
            sum += side.impliedVolatility;
            ++count;
        }
    }
    return count > 0 ? std::optional(sum / count * 100) : std::nullopt;
}

TradeSummaryRow Volatilities(const std::vector<StrikeStatistics>& rows) {
    const std::optional<double> call = AverageVolatility(rows, true);
    const std::optional<double> put = AverageVolatility(rows, false);
    const auto percent = [](const std::optional<double>& v) {
        return v ? QString::asprintf("%.2f%%", *v) : QStringLiteral("--");
    };
    return {QStringLiteral("隐含波动率"), percent(call), percent(put),
            call && put ? QString::asprintf("%.2f%%(差)", *call - *put) : QStringLiteral("--")};
}

}  // namespace

QString PointDataText(TradeStatistic statistic, double call, double put) {
    switch (statistic) {
        case TradeStatistic::Volume:
        case TradeStatistic::Turnover:
        case TradeStatistic::OpenInterest:
            return QString::asprintf("认购：%.0lf  认沽：%.0lf  比：%.02lf", call, put,
                                     put > kPointDivisorFloor ? call / put : 0.0);
        case TradeStatistic::NetBuying:
        case TradeStatistic::OpenInterestChange:
            return QString::asprintf("认购：%.0lf  认沽：%.0lf  差：%.02lf", call, put, call - put);
        case TradeStatistic::ImpliedVolatility:
            return QString::asprintf("认购：%.0lf%%  认沽：%.0lf%%  差：%.02lf%%", call * 100, put * 100,
                                     (call - put) * 100);
        case TradeStatistic::MaxPain:
            return QString::asprintf("认购：%.0lf  认沽：%.0lf  和：%.02lf", call, put, call + put);
    }
    return {};
}

std::vector<TradeSummaryRow> SummarizeTrades(const std::vector<StrikeStatistics>& rows, double maxPainPrice) {
    return {
        Shares("总成交量", Sum(rows, [](const SideStatistics& s) { return s.volume; })),
        Differences("总净买量", Sum(rows, [](const SideStatistics& s) { return s.netBuying; })),
        Shares("总持仓量", Sum(rows, [](const SideStatistics& s) { return s.openInterest; })),
        Differences("持仓量变化", Sum(rows, [](const SideStatistics& s) { return s.openInterestChange; })),
        Volatilities(rows),
        {QStringLiteral("最痛点位"), QString(), QString(),
         maxPainPrice > kMaxPainFloor ? QString::asprintf("%.3f(值)", maxPainPrice) : QStringLiteral("--")},
    };
}
