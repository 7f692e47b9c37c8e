#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "option/pricing/MaxPain.h"

// The chain file of `krt-optcalc maxpain`: text, one strike a line,
// "STRIKE,CALL_OI,PUT_OI,DIVISOR" (integers; STRIKE is price × DIVISOR; an empty CALL_OI or
// PUT_OI is a contract the host does not know). Lines may come in any order, end in CR LF, and
// carry blanks around the fields; blank lines are skipped.
struct ChainFileError {
    int line = 0;  // 1-based
    std::string message;
};

std::variant<std::vector<OptionPricing::MaxPainStrike>, ChainFileError> ParseMaxPainChain(
    std::string_view text);
