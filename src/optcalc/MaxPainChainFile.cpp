#include "MaxPainChainFile.h"

#include <charconv>
#include <optional>

using OptionPricing::MaxPainStrike;

namespace {

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The whole field must be the integer, within [low, high].
std::optional<int64_t> WholeNumber(std::string_view field, int64_t low, int64_t high) {
    int64_t value = 0;
    const char* end = field.data() + field.size();
    auto [ptr, ec] = std::from_chars(field.data(), end, value);
    if (ec != std::errc() || ptr != end || field.empty() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

std::string Range(int64_t low, int64_t high) {
    return "a whole number from " + std::to_string(low) + " to " + std::to_string(high);
}

// One line's strike, or why it is not one.
std::variant<MaxPainStrike, std::string> ParseLine(std::string_view line) {
    std::vector<std::string_view> fields;
    for (size_t start = 0;;) {
        const size_t comma = line.find(',', start);
        fields.push_back(Trimmed(line.substr(start, comma - start)));
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    if (fields.size() != 4) {
        return std::string("expected STRIKE,CALL_OI,PUT_OI,DIVISOR");
    }
    MaxPainStrike strike;
    const auto price =
        WholeNumber(fields[0], -OptionPricing::kMaxPainStrikeLimit, OptionPricing::kMaxPainStrikeLimit);
    if (!price) {
        return "STRIKE must be " +
               Range(-OptionPricing::kMaxPainStrikeLimit, OptionPricing::kMaxPainStrikeLimit);
    }
    strike.strike = *price;
    const char* names[] = {"CALL_OI", "PUT_OI"};
    std::optional<int64_t>* interests[] = {&strike.callOpenInterest, &strike.putOpenInterest};
    for (int side = 0; side < 2; ++side) {
        if (fields[1 + side].empty()) {
            continue;
        }
        *interests[side] = WholeNumber(fields[1 + side], 0, OptionPricing::kMaxPainOpenInterestLimit);
        if (!*interests[side]) {
            return std::string(names[side]) + " must be empty or " +
                   Range(0, OptionPricing::kMaxPainOpenInterestLimit);
        }
    }
    const auto divisor = WholeNumber(fields[3], 1, OptionPricing::kMaxPainDivisorLimit);
    if (!divisor) {
        return "DIVISOR must be " + Range(1, OptionPricing::kMaxPainDivisorLimit);
    }
    strike.divisor = static_cast<int32_t>(*divisor);
    return strike;
}

}  // namespace

std::variant<std::vector<MaxPainStrike>, ChainFileError> ParseMaxPainChain(std::string_view text) {
    std::vector<MaxPainStrike> strikes;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (Trimmed(line).empty()) {
            continue;
        }
        if (strikes.size() == OptionPricing::kMaxPainStrikeCountLimit) {
            return ChainFileError{number, "more than " + std::to_string(strikes.size()) + " strikes"};
        }
        auto parsed = ParseLine(line);
        if (auto* why = std::get_if<std::string>(&parsed)) {
            return ChainFileError{number, std::move(*why)};
        }
        strikes.push_back(std::get<MaxPainStrike>(parsed));
    }
    return strikes;
}
