// Feeds arbitrary bytes to krt-optcalc's chain-file reader and the maximum-pain routine. A file
// is either refused at a line that exists, or read into strikes within the routine's limits,
// whose analysis has one point per strike in ascending order and names one of their prices.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "MaxPainChainFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto parsed = ParseMaxPainChain(text);
    if (const auto* error = std::get_if<ChainFileError>(&parsed)) {
        const auto lines = std::count(text.begin(), text.end(), '\n') + 1;
        if (error->line < 1 || error->line > lines || error->message.empty()) {
            __builtin_trap();
        }
        return 0;
    }
    const auto& strikes = std::get<std::vector<OptionPricing::MaxPainStrike>>(parsed);
    if (!std::all_of(strikes.begin(), strikes.end(), OptionPricing::IsWithinMaxPainLimits)) {
        __builtin_trap();
    }
    const auto result = OptionPricing::MaxPain(strikes);
    if (!result) {
        return 0;  // divisors without a common multiple within the limit
    }
    const auto& points = result->points;
    const bool ascending = std::is_sorted(points.begin(), points.end(),
                                          [](const auto& a, const auto& b) { return a.strike < b.strike; });
    const bool named = points.empty() ? result->price == -1.0
                                      : std::any_of(points.begin(), points.end(),
                                                    [&](const auto& p) { return p.price == result->price; });
    if (points.size() != strikes.size() || !ascending || !named) {
        __builtin_trap();
    }
    return 0;
}
