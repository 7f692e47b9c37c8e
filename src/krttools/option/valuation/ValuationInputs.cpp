#include "option/valuation/ValuationInputs.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace OptionValuation {

namespace I = Kora::Interface;

int32_t FormulaSelector(char classLetter, UnknownClass unknown) {
    switch (classLetter) {
        case 'o':
        case 'p':
            return 0;
        case 'e':
            return 1;
        case 'n':
            return 2;
        default:
            return unknown == UnknownClass::kSpot ? 0 : static_cast<unsigned char>(classLetter);
    }
}

int32_t PutFlag(const I::OptionRecord& record) {
    return record.IsPut() ? 1 : 0;
}

double StrikePrice(const I::OptionRecord& record) {
    return static_cast<double>(record.strike) / std::max(record.strikeDivisor, 1);
}

double FromPriceUnits(int64_t units, int32_t divisor) {
    return divisor > 0 ? static_cast<double>(units) / divisor : 0.0;
}

double YearsToExpiry(int32_t daysLeft, int32_t addedDays) {
    return (static_cast<double>(daysLeft) + addedDays) / 365.0;
}

namespace {
constexpr int kExchangeOffsetSeconds = 8 * 3600;
}  // namespace

int32_t CalendarDaysToExpiry(const QDateTime& now, const QDateTime& expiry) {
    if (!now.isValid() || !expiry.isValid()) {
        return 0;
    }
    // The local clock's reading moved on, as a wall clock is: arithmetic in local time would look
    // the time zone up again, and the board counts the days of every option on each refresh.
    const QDateTime local = now.toLocalTime();
    const QDate today = QDateTime(local.date(), local.time(), Qt::UTC).addSecs(kExchangeOffsetSeconds).date();
    const QDate expiryDay = expiry.toUTC().addSecs(kExchangeOffsetSeconds).date();
    return static_cast<int32_t>(today.daysTo(expiryDay));
}

std::optional<int64_t> AtTheMoneyStrike(const std::vector<I::OptionChainRow>& rows, double underlyingPrice,
                                        int32_t strikeDivisor) {
    const double scaled = underlyingPrice * std::max(strikeDivisor, 1);
    if (!std::isfinite(scaled)) {
        return std::nullopt;
    }
    // A price read from integer units is a whole number of strike units, but its binary form may
    // fall just short (2.45 × 10000 = 24499.999…): the millionth keeps it from losing a unit.
    const int64_t target = static_cast<int64_t>(scaled + 1e-6);
    std::optional<int64_t> best;
    int64_t bestDifference = target;
    for (const I::OptionChainRow& row : rows) {
        const int64_t difference = std::llabs(row.strike - target);
        if (difference <= bestDifference) {
            bestDifference = difference;
            best = row.strike;
        }
    }
    return best;
}

Moneyness MoneynessOf(bool put, int64_t strike, int64_t atTheMoneyStrike) {
    if (strike == atTheMoneyStrike) {
        return Moneyness::kAtTheMoney;
    }
    const bool inTheMoney = put ? strike > atTheMoneyStrike : strike < atTheMoneyStrike;
    return inTheMoney ? Moneyness::kInTheMoney : Moneyness::kOutOfTheMoney;
}

}  // namespace OptionValuation
