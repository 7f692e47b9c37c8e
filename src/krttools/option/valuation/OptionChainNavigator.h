#pragma once

#include <optional>

#include "kora/interface/QuoteKey.h"

// Steps from one listed option to its neighbour in the chain of its underlying: the other kind
// at the same strike, the same strike in the next expiry month, the at-the-money strike, or the
// next strike up or down (same kind and month).
class OptionChainNavigator {
public:
    enum Step { kOtherKind = 2, kNextMonth = 3, kAtTheMoney = 4, kHigherStrike = 5, kLowerStrike = 6 };

    // The neighbour, or nothing when there is none. isOption tells apart "not an option" from
    // "no neighbour".
    static std::optional<Kora::Interface::QuoteKey> Find(const Kora::Interface::QuoteKey& current, Step step,
                                                         bool* isOption);
};
