#include <gtest/gtest.h>

#include <random>

#include "option/pricing/MaxPain.h"
#include "support/MaxPainByDefinition.h"

namespace {

using OptionPricing::MaxPain;
using OptionPricing::MaxPainStrike;
using Interest = std::optional<int64_t>;

TEST(MaxPain, ThePainsOfEachStrikeAndTheLeastTotalOrMinusOneWithoutStrikes) {
    // Given out of order: the routine sorts.
    const auto result = MaxPain({{110, 1, 30, 10}, {90, 1, 10, 30}, {100, 1, 20, 20}});
    ASSERT_TRUE(result);
    EXPECT_EQ(result->price, 100.0);
    const double expected[][3] = {{90, 0, 400}, {100, 100, 100}, {110, 400, 0}};
    ASSERT_EQ(result->points.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(result->points[i].price, expected[i][0]) << i;
        EXPECT_EQ(result->points[i].callPain, expected[i][1]) << i;
        EXPECT_EQ(result->points[i].putPain, expected[i][2]) << i;
    }

    const auto none = MaxPain({});
    ASSERT_TRUE(none);
    EXPECT_EQ(none->price, -1.0);
    EXPECT_TRUE(none->points.empty());
}

TEST(MaxPain, EqualTotalsGoToTheLowerStrikeEvenWhereDecimalPainsWouldNotAddUpInBinary) {
    // At 1.2 the pains are 0.2 + 0.1, at 1.3 they are 0.3 + 0: equal, though 0.2 + 0.1 is above
    // 0.3 in doubles, which would hand the maximum pain to 1.3.
    const auto result = MaxPain({{10, 10, 1, 0}, {11, 10, 0, 0}, {12, 10, 0, 1}, {13, 10, 0, 1}});
    ASSERT_TRUE(result);
    EXPECT_EQ(result->price, 1.2);

    const auto flat = MaxPain({{100, 1, 10, 0}, {110, 1, 0, 10}});
    EXPECT_EQ(flat->price, 100.0);
}

TEST(MaxPain, InputsBeyondTheExactLimitsAreRefused) {
    EXPECT_FALSE(MaxPain({{1'000'000'000'001, 1, 1, 1}}));
    EXPECT_FALSE(MaxPain({{100, 0, 1, 1}}));
    EXPECT_FALSE(MaxPain({{100, 1, -1, 1}}));
    EXPECT_FALSE(MaxPain({{100, 1, 1, 10'000'000'001}}));
    // Two large primes: their least common multiple is far above the limit.
    EXPECT_FALSE(MaxPain({{100, 999'999'937, 1, 1}, {200, 999'999'929, 1, 1}}));
    EXPECT_TRUE(MaxPain({{1'000'000'000'000, 1'000'000'000, 10'000'000'000, 10'000'000'000},
                         {-1'000'000'000'000, 1'000'000'000, 10'000'000'000, 10'000'000'000}}));
}

TEST(MaxPain, RandomChainsAgreeWithTheDefinition) {
    std::mt19937_64 random(20240315);
    const int32_t divisors[] = {1, 10, 100, 1000, 10000};
    for (int chain = 0; chain < 300; ++chain) {
        std::vector<MaxPainStrike> strikes;
        const int count = std::uniform_int_distribution<int>(1, 60)(random);
        const bool mixed = chain % 3 == 0;
        const int32_t common = divisors[random() % 5];
        for (int i = 0; i < count; ++i) {
            const auto interest = [&]() -> Interest {
                return random() % 8 == 0 ? Interest{} : Interest(int64_t(random() % 5000));
            };
            // Few distinct strikes, so that equal strikes and equal totals occur.
            strikes.push_back({int64_t(random() % 40) * 50, mixed ? divisors[random() % 5] : common,
                               interest(), interest()});
        }
        const auto fast = MaxPain(strikes);
        ASSERT_TRUE(fast);
        const auto defined = MaxPainByDefinition(strikes);
        ASSERT_EQ(fast->price, defined.price) << "chain " << chain;
        ASSERT_EQ(fast->points.size(), defined.points.size());
        for (size_t i = 0; i < defined.points.size(); ++i) {
            ASSERT_EQ(fast->points[i].strike, defined.points[i].strike) << "chain " << chain;
            ASSERT_EQ(fast->points[i].price, defined.points[i].price) << "chain " << chain;
            ASSERT_EQ(fast->points[i].callPain, defined.points[i].callPain) << "chain " << chain;
            ASSERT_EQ(fast->points[i].putPain, defined.points[i].putPain) << "chain " << chain;
        }
    }
}

}  // namespace
