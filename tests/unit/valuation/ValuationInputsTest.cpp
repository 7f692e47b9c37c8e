#include <gtest/gtest.h>

#include "option/valuation/ValuationInputs.h"

namespace {

using namespace OptionValuation;
using Kora::Interface::OptionChainRow;

TEST(ValuationInputs, ClassLettersSelectOneFormulaFamilyInEveryTool) {
    struct Case {
        char letter;
        int32_t calculator;  // and the risk model and the seller analysis
        int32_t board;
    };
    // 'p' trades through a stock-option account like 'o': the spot formulas everywhere, so one
    // option never shows two prices. Unknown letters keep each tool's rule.
    const Case cases[] = {{'o', 0, 0}, {'p', 0, 0}, {'e', 1, 1}, {'n', 2, 2}, {'x', 'x', 0}, {'\0', 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(FormulaSelector(c.letter, UnknownClass::kLetterCode), c.calculator) << c.letter;
        EXPECT_EQ(FormulaSelector(c.letter, UnknownClass::kSpot), c.board) << c.letter;
    }
}

TEST(ValuationInputs, DivisorsBelowOneDivideNothing) {
    Kora::Interface::OptionRecord record;
    record.strike = 23000;
    record.strikeDivisor = 0;
    EXPECT_EQ(StrikePrice(record), 23000.0);
    EXPECT_EQ(FromPriceUnits(30500, 0), 0.0);
}

TEST(ValuationInputs, TheBoardCountsCalendarDaysFromLocalTimeEightHoursOn) {
    const QDateTime expiry(QDate(2024, 3, 27), QTime(7, 0), Qt::UTC);  // 15:00 at the exchange
    EXPECT_EQ(CalendarDaysToExpiry(QDateTime(QDate(2024, 3, 20), QTime(10, 0)), expiry), 7);
    // Eight hours on, 17:00 is already the next day.
    EXPECT_EQ(CalendarDaysToExpiry(QDateTime(QDate(2024, 3, 20), QTime(17, 0)), expiry), 6);
    // 28 February to 27 March of a leap year is 28 days, the 29th included (a count of 365-day
    // years once made it 27), and across a year's end every day counts.
    EXPECT_EQ(CalendarDaysToExpiry(QDateTime(QDate(2024, 2, 28), QTime(9, 0)), expiry), 28);
    EXPECT_EQ(CalendarDaysToExpiry(QDateTime(QDate(2023, 12, 27), QTime(9, 0)), expiry), 91);
    EXPECT_EQ(CalendarDaysToExpiry(QDateTime(QDate(2024, 3, 28), QTime(9, 0)), expiry), -1);
    EXPECT_EQ(CalendarDaysToExpiry(QDateTime(), expiry), 0);
}

TEST(ValuationInputs, TheAtTheMoneyStrikeIsTheNearestAndTheHigherOfTwoEquallyNearEvenAHairShortInBinary) {
    const std::vector<OptionChainRow> rows = {{2900, {}, {}}, {3000, {}, {}}, {3100, {}, {}}};
    EXPECT_EQ(AtTheMoneyStrike(rows, 3.04, 1000), 3000);
    EXPECT_EQ(AtTheMoneyStrike(rows, 3.05, 1000), 3100);
    EXPECT_EQ(AtTheMoneyStrike(rows, 9.0, 1000), 3100);
    // Every strike further away than the target itself: none.
    EXPECT_EQ(AtTheMoneyStrike(rows, 1.0, 1000), std::nullopt);
    EXPECT_EQ(AtTheMoneyStrike({}, 3.0, 1000), std::nullopt);
    // 2.0018 × 10000 is 20017.999… in binary: truncated as it stood, 20017 won outright instead
    // of tying with 20019, and the higher strike of the tie was lost.
    EXPECT_EQ(AtTheMoneyStrike({{20017, {}, {}}, {20019, {}, {}}}, 2.0018, 10000), 20019);
}

TEST(ValuationInputs, MoneynessAgainstTheAtTheMoneyStrike) {
    EXPECT_EQ(MoneynessOf(false, 2900, 3000), Moneyness::kInTheMoney);
    EXPECT_EQ(MoneynessOf(false, 3100, 3000), Moneyness::kOutOfTheMoney);
    EXPECT_EQ(MoneynessOf(true, 3100, 3000), Moneyness::kInTheMoney);
    EXPECT_EQ(MoneynessOf(true, 2900, 3000), Moneyness::kOutOfTheMoney);
    EXPECT_EQ(MoneynessOf(true, 3000, 3000), Moneyness::kAtTheMoney);
}

}  // namespace
