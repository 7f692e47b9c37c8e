#pragma once

#include <memory>
#include <vector>

#include "ladder/LadderRowScale.h"

// Which rows a ladder lays over its contract's ticks: N ticks a row, or, zoned, N-tick steps
// around an explicit middle list of prices (see ZonedRowScale). The futures ladder keeps the
// default, one tick a row. The option ladder's step modes are:
//   "每格一跳"  Steps(1)             "10格一跳" Zones(10, levels)
//   "5档盘口"   Zones(1, levels)     "30格一跳" Zones(30, levels)
// where `levels` are the prices of the quote's best levels, which its window lists when the
// contract or the step mode changes; their order and repeats do not matter.
struct LadderLayout {
    int ticksPerRow = 1;
    bool zoned = false;
    std::vector<double> middle;

    static LadderLayout Steps(int ticksPerRow) { return {ticksPerRow, false, {}}; }
    static LadderLayout Zones(int ticksPerRow, std::vector<double> middle) {
        return {ticksPerRow, true, std::move(middle)};
    }
    bool operator==(const LadderLayout&) const = default;

    // The rows over `grid`. A zoned layout whose middle list holds no price of the grid lays
    // plain steps; a step below one tick is one tick.
    std::unique_ptr<LadderRowScale> Lay(const LadderTickGrid& grid) const;
};
