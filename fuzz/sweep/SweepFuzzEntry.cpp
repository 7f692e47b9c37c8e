// Feeds arbitrary bytes to krt-optcalc's positions file reader and runs the position risk model
// on what it reads, over every axis. A file is either refused with a reason, or valued: every
// market sweep has at most its hundred points, the days sweep at most the longest one it takes,
// and the total row all twelve figures.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "SweepPositionsFile.h"
#include "analysis/CPositionAnalyzeData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto read = ParseSweepPositions(std::string_view(reinterpret_cast<const char*>(data), size));
    if (const auto* error = std::get_if<std::string>(&read)) {
        if (error->empty()) {
            __builtin_trap();
        }
        return 0;
    }
    const SweepPositions& file = std::get<SweepPositions>(read);
    UnderlyingParameters parameters;
    parameters.Set(file.underlying, file.parameters);
    CPositionAnalyzeData positions(parameters, nullptr);
    positions.SetRecords(file.positions);
    for (int axis = 0; axis < RiskCurves::kAxisCount; ++axis) {
        positions.BuildCurves(file.underlying, static_cast<RiskCurves::Axis>(axis));
        const size_t points = positions.Curve(static_cast<RiskCurves::Axis>(axis)).size();
        const size_t most = axis == RiskCurves::kDaysAxis ? size_t(RiskCurves::kLongestDaysSweep)
                                                          : size_t(RiskCurves::kSweepPoints);
        if (points > most) {
            __builtin_trap();
        }
    }
    if (positions.Total().size() != 2 * PositionRecord::kGreekCount + 1) {
        __builtin_trap();
    }
    return 0;
}
