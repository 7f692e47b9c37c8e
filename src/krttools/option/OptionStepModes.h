#pragma once

#include <QString>
#include <array>
#include <vector>

#include "ladder/LadderLayout.h"
#include "ladder/LadderTypes.h"

// The option ladder's step modes, as its window offers them, and the middle list of prices that
// the zoned modes show at their own rows.
namespace OptionStepModes {

// How many ticks a row spans and whether the best levels keep rows of their own.
struct StepMode {
    int ticksPerRow = 1;
    bool zoned = true;

    bool operator==(const StepMode&) const = default;
};

struct Choice {
    const char* text;
    StepMode mode;
};

// The combo's entries, in order: "每格一跳" (1, plain), "10格一跳" (10, zoned), "30格一跳"
// (30, zoned), "5档盘口" (1, zoned; the mode at start).
inline constexpr std::array<Choice, 4> kChoices{
    {{"每格一跳", {1, false}}, {"10格一跳", {10, true}}, {"30格一跳", {30, true}}, {"5档盘口", {1, true}}}};
inline constexpr int kInitialChoice = 3;

// The distinct positive prices among the quote's five best bids, five best asks and the last
// price, highest first: each shows on a row of its own, the first as the upper bound U of the
// zones, the last as the lower bound L. The last price counts only when the book is empty or
// the price lies within the book's span, since the middle zone shows no price between its
// entries.
std::vector<double> MiddleList(const LadderBestQuote& quote, double lastPrice);

// Whether the list still holds the quote's best bid and best ask (an empty side counts as held).
bool HoldsBestPrices(const std::vector<double>& middle, const LadderBestQuote& quote);

// The rows of a mode over a middle list; a plain mode ignores the list.
LadderLayout LayoutOf(const StepMode& mode, std::vector<double> middle);

}  // namespace OptionStepModes
