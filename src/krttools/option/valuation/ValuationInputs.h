#pragma once

#include <QDateTime>
#include <cstdint>
#include <optional>
#include <vector>

#include "kora/interface/OptionRecord.h"

// The rules by which every option tool turns a listed option into the arguments of the pricing
// routines (option/pricing): the put flag, the formula selector, the strike, the days left and
// the years T. They are plain functions of what the host gives; ListedOption.h reads that from
// the host and applies them.
//
// Who uses which rule (the underlying price is ListedOption's PriceSource):
//   tool              unknown class letter  underlying price  days left             T in years
//   price calculator  kLetterCode           kLast             WholeDaysToExpiry     (days + 2) / 365
//   option board      kSpot                 kLastOrReference  CalendarDaysToExpiry  (days + 1) / 365
//   risk model        kLetterCode           its parameters    its "MaturityDays"    (days + offset + 1) / 365
//   seller analysis   kLetterCode           kLastOrReference  WholeDaysToExpiry     (days + 1) / 365
namespace OptionValuation {

// What a tool does with a class letter that is none of 'o', 'p', 'e', 'n'.
enum class UnknownClass {
    kLetterCode,  // passes the letter's code on, which selects the forward formulas
    kSpot,        // passes 0: the spot formulas
};

// The formula selector ("OptionType") of a class letter: 'o' and 'p' (options traded through a
// stock-option account) 0, the spot formulas; 'e' 1 and 'n' (futures options) 2, the forward
// formulas; any other letter by the tool's rule.
int32_t FormulaSelector(char classLetter, UnknownClass unknown);

// 1 for a put (call/put field zero or positive), 0 for a call.
int32_t PutFlag(const Kora::Interface::OptionRecord& record);

// The strike as a price: the record's strike over its divisor (a divisor below 1 counts as 1).
double StrikePrice(const Kora::Interface::OptionRecord& record);

// A price in a contract's integer units as a number; 0 when the divisor is not positive.
double FromPriceUnits(int64_t units, int32_t divisor);

// T in years: the days left plus the days a tool adds (see the table above), over 365.
double YearsToExpiry(int32_t daysLeft, int32_t addedDays);

// The option board's day count: calendar days from `now` (local time), its hour advanced by 8,
// to the expiry's date at UTC+8, leap days included. Negative once the expiry date has passed;
// 0 for an invalid time.
int32_t CalendarDaysToExpiry(const QDateTime& now, const QDateTime& expiry);

// The at-the-money strike of one month's chain (rows in ascending strike, as the options data
// service lists them): the strike nearest the underlying price, both in the strike's integer
// units (the price times the strike divisor, truncated; a price a hair short of a whole unit
// in binary counts as that unit). Each row whose difference is not
// greater than the best so far becomes the best, so of two equally near strikes the higher one
// wins; the first best difference is the target itself, so a chain whose every strike lies more
// than the target away has none.
std::optional<int64_t> AtTheMoneyStrike(const std::vector<Kora::Interface::OptionChainRow>& rows,
                                        double underlyingPrice, int32_t strikeDivisor);

enum class Moneyness { kInTheMoney, kAtTheMoney, kOutOfTheMoney };

// A call struck below the at-the-money strike and a put struck above it are in the money; the
// at-the-money strike is neither.
Moneyness MoneynessOf(bool put, int64_t strike, int64_t atTheMoneyStrike);

}  // namespace OptionValuation
