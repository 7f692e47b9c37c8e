#include "analysis/RiskCurves.h"

#include <set>

#include "kora/utility/JsonAccess.h"

namespace RiskCurves {

namespace {

using PositionRecord::Figures;
using PositionRecord::Terms;

// The grid of a price, volatility or rate sweep: each label once, with the first point that
// carries it.
struct Grid {
    std::vector<double> values;
    std::vector<QString> labels;
};

Grid BuildGrid(double base, double halfWidth) {
    Grid grid;
    const double low = base - halfWidth * base;
    const double high = base + halfWidth * base;
    const double step = (high - low) / kSweepPoints;
    std::set<QString> seen;
    for (int i = 0; i < kSweepPoints; ++i) {
        const double value = low + i * step;
        QString label = QString::asprintf("%.04f", value);
        if (seen.insert(label).second) {
            grid.values.push_back(value);
            grid.labels.push_back(std::move(label));
        }
    }
    return grid;
}

Figures StoredGreeks(const Json::Value& record) {
    Figures figures{};
    for (int greek = 0; greek < PositionRecord::kTimeValue; ++greek) {
        figures[greek] =
            PositionRecord::Number(record, PositionRecord::GreekKey(PositionRecord::Greek(greek)));
    }
    return figures;
}

void Add(Figures& sum, const Figures& values) {
    for (int greek = 0; greek < PositionRecord::kTimeValue; ++greek) {
        sum[greek] += values[greek];
    }
}

PointValues ToPoint(const Figures& sum) {
    PointValues point{};
    for (int greek = 0; greek < PositionRecord::kTimeValue; ++greek) {
        point[greek] = static_cast<float>(sum[greek]);
    }
    return point;
}

Curve SweepMarket(const Json::Value& records, const Kora::Interface::QuoteKey& underlying,
                  const AnalyzeParameters& p, Axis axis) {
    const double base = axis == kPriceAxis ? p.Bdjg : axis == kVolatilityAxis ? p.Lsbdl : p.lv;
    const Grid grid = BuildGrid(base, p.Persent);
    std::vector<Figures> sums(grid.values.size(), Figures{});
    bool any = false;
    for (const Json::Value& record : records) {
        if (!PositionRecord::IsChecked(record)) {
            continue;
        }
        const Terms terms = Terms::Read(record);
        const int64_t dayCount = PositionRecord::DayCount(terms, p);
        if (dayCount <= 0) {
            continue;
        }
        any = true;
        if (!PositionRecord::IsOn(record, underlying)) {
            const Figures stored = StoredGreeks(record);
            for (Figures& sum : sums) {
                Add(sum, stored);
            }
            continue;
        }
        for (size_t i = 0; i < grid.values.size(); ++i) {
            const double x = grid.values[i];
            Add(sums[i], PositionRecord::Greeks(terms, axis == kPriceAxis ? x : p.Bdjg,
                                                axis == kVolatilityAxis ? x : p.Lsbdl,
                                                axis == kRateAxis ? x : p.lv, dayCount));
        }
    }
    Curve curve;
    if (any) {
        for (size_t i = 0; i < grid.values.size(); ++i) {
            curve.emplace(grid.labels[i], ToPoint(sums[i]));
        }
    }
    return curve;
}

Curve SweepDays(const Json::Value& records, const Kora::Interface::QuoteKey& underlying,
                const AnalyzeParameters& p) {
    std::map<int64_t, Figures> sums;
    for (const Json::Value& record : records) {
        if (!PositionRecord::IsChecked(record)) {
            continue;
        }
        const Terms terms = Terms::Read(record);
        if (!terms.knownMaturity || terms.maturityDays > kLongestDaysSweep) {
            continue;
        }
        const bool on = PositionRecord::IsOn(record, underlying);
        const Figures stored = on ? Figures{} : StoredGreeks(record);
        for (int64_t days = terms.maturityDays; days >= 1; --days) {
            Add(sums[days], on ? PositionRecord::Greeks(terms, p.Bdjg, p.Lsbdl, p.lv, days) : stored);
        }
    }
    Curve curve;
    for (const auto& [days, sum] : sums) {
        curve.emplace(QString::number(days), ToPoint(sum));
    }
    return curve;
}

}  // namespace

Curve Sweep(const Json::Value& records, const Kora::Interface::QuoteKey& underlying,
            const AnalyzeParameters& parameters, Axis axis) {
    if (!records.isArray()) {
        return {};
    }
    return axis == kDaysAxis ? SweepDays(records, underlying, parameters)
                             : SweepMarket(records, underlying, parameters, axis);
}

Line Merge(const Curve& a, const Curve& b, PositionRecord::Greek greek) {
    std::map<double, double> byValue;
    for (const Curve* curve : {&a, &b}) {
        for (const auto& [label, values] : *curve) {
            byValue[label.toDouble()] += values[greek];
        }
    }
    return Line(byValue.begin(), byValue.end());
}

}  // namespace RiskCurves
