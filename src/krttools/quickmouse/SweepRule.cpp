#include "quickmouse/SweepRule.h"

namespace SweepRule {

double Reference(bool buy, double bestBid, double bestAsk, double last) {
    const double level = buy ? bestBid : bestAsk;
    return level > 0 ? level : last;
}

bool Passes(bool buy, double price, double reference, double tick) {
    if (!(reference > 0)) {
        return true;
    }
    const double margin = tick > 0 ? tick / 2 : 1e-9;
    return buy ? price > reference + margin : price < reference - margin;
}

}  // namespace SweepRule
