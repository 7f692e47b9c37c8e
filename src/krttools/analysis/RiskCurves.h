#pragma once

#include <json/value.h>

#include <QString>
#include <array>
#include <map>
#include <utility>
#include <vector>

#include "analysis/AnalyzeParameters.h"
#include "analysis/PositionRecord.h"
#include "kora/interface/QuoteKey.h"

// The summed Greeks of a set of positions over a sweep of one market parameter.
namespace RiskCurves {

// The swept parameter; the order is that of the window's axis choices.
enum Axis { kPriceAxis = 0, kVolatilityAxis = 1, kRateAxis = 2, kDaysAxis = 3, kAxisCount = 4 };

// A sweep of the price, volatility or rate runs over this many points, from the base value less
// the half-width to (but not including) the base value plus the half-width.
inline constexpr int kSweepPoints = 100;
// The days sweep leaves out positions with more days to expiry than this (and those whose days
// are unknown): such a sweep would be unbounded.
inline constexpr int64_t kLongestDaysSweep = 3660;

// Summed figures at one point, in the order of PositionRecord::Greek (time value always 0).
using PointValues = std::array<float, PositionRecord::kGreekCount>;
// The points of one axis by label: "%.04f" of the swept value, or "%d" of the days left.
using Curve = std::map<QString, PointValues>;

// Sums the checked positions of `records` over the axis, in the underlying's market
// `parameters`. A position on that underlying is valued at every point; a position on another
// underlying adds its stored Greeks ("Delta" ...) at each of its points. A point whose day count
// is 0 or less adds nothing. Where several points of the grid fall on one label (a base value of
// 0, a half-width of 0, or steps finer than the label shows) the label takes the first of them
// only, so each position counts once per label.
Curve Sweep(const Json::Value& records, const Kora::Interface::QuoteKey& underlying,
            const AnalyzeParameters& parameters, Axis axis);

// A curve as the chart draws it: (swept value, figure) in ascending order of the value.
using Line = std::vector<std::pair<double, double>>;

// The two sets' curves of one figure added label by label; a label that only one of them has
// keeps that one's figure.
Line Merge(const Curve& a, const Curve& b, PositionRecord::Greek greek);

}  // namespace RiskCurves
