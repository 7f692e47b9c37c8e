#include "SweepCommand.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Arguments.h"
#include "SweepPositionsFile.h"
#include "analysis/CPositionAnalyzeData.h"
#include "analysis/PositionRecord.h"

namespace {

constexpr int kBadInput = 2;

int Fail(const std::string& message) {
    std::fprintf(stderr, "krt-optcalc sweep: %s\n", message.c_str());
    return kBadInput;
}

void PrintCurve(const RiskCurves::Curve& curve, RiskCurves::Axis axis) {
    std::vector<std::pair<double, const RiskCurves::Curve::value_type*>> points;
    for (const auto& point : curve) {
        points.emplace_back(point.first.toDouble(), &point);
    }
    std::sort(points.begin(), points.end(), [axis](const auto& a, const auto& b) {
        return axis == RiskCurves::kDaysAxis ? a.first > b.first : a.first < b.first;
    });
    for (const auto& [x, point] : points) {
        std::printf("%s", point->first.toUtf8().constData());
        for (int greek = 0; greek < PositionRecord::kTimeValue; ++greek) {
            std::printf(" %.9g", static_cast<double>(point->second[greek]));
        }
        std::printf("\n");
    }
}

void PrintTotal(const Json::Value& total) {
    std::printf("total");
    for (const char* suffix : {"", PositionRecord::kOwnSuffix}) {
        for (int greek = 0; greek < PositionRecord::kGreekCount; ++greek) {
            const std::string key =
                std::string(PositionRecord::GreekKey(PositionRecord::Greek(greek))) + suffix;
            std::printf(" %s=%s", key.c_str(), total[key].asString().c_str());
        }
    }
    std::printf("\n");
}

}  // namespace

int RunSweepCommand(char** args, int count) {
    int32_t axis = -1;
    if (count != 2 || !ParseArguments(args + 1, 1, {&axis}) || axis < 0 || axis >= RiskCurves::kAxisCount) {
        return Fail("usage: krt-optcalc sweep FILE AXIS (AXIS 0 price, 1 volatility, 2 rate, 3 days)");
    }
    std::ifstream in(args[0], std::ios::binary);
    if (!in) {
        return Fail(std::string("cannot read ") + args[0]);
    }
    std::ostringstream text;
    text << in.rdbuf();
    const auto read = ParseSweepPositions(text.str());
    if (const auto* error = std::get_if<std::string>(&read)) {
        return Fail(std::string(args[0]) + ": " + *error);
    }
    const SweepPositions& file = std::get<SweepPositions>(read);
    UnderlyingParameters parameters;
    parameters.Set(file.underlying, file.parameters);
    CPositionAnalyzeData positions(parameters, nullptr);
    positions.SetRecords(file.positions);
    positions.BuildCurves(file.underlying, static_cast<RiskCurves::Axis>(axis));
    PrintCurve(positions.Curve(static_cast<RiskCurves::Axis>(axis)), static_cast<RiskCurves::Axis>(axis));
    PrintTotal(positions.Total());
    return 0;
}
