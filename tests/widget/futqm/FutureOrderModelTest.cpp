// The futures window's position totals and quotes, without a window.

#include <gtest/gtest.h>

#include <thread>

#include "kernel/LatestQuoteSlot.h"
#include "kora/utility/JsonAccess.h"
#include "ladder/LadderQuote.h"
#include "ladder/PositionTotals.h"

namespace {

using Kora::Kernel::LatestQuoteSlot;

Json::Value Position(const char* direction, const char* volume, const char* closable, const char* price) {
    Json::Value position(Json::objectValue);
    position["112"] = direction;
    position["135"] = volume;
    position["137"] = closable;
    position["136"] = price;
    return position;
}

TEST(PositionTotalsTest, VolumesShowOneNumberWhenAllIsClosableAndBothOtherwiseAndBadRecordsCountNowhere) {
    Json::Value positions(Json::arrayValue);
    positions.append(Position("0", "4", "1", "3000"));
    positions.append(Position("0", "3", "2", "3010"));
    positions.append(Position("1", "2", "2", "3020"));
    positions.append(Position("x", "9", "9", "1"));
    positions.append(Json::Value(42));
    const PositionTotals totals = SumPositions(positions, 3005, 10);
    EXPECT_EQ(totals.longSide.VolumeText(), QStringLiteral("7(3)"));
    EXPECT_EQ(totals.longSide.SecondText(), QStringLiteral("3"));
    EXPECT_EQ(totals.shortSide.VolumeText(), QStringLiteral("2"));
    // Long: (5 × 4 − 5 × 3) × 10; short: (3020 − 3005) × 2 × 10.
    EXPECT_EQ(totals.longSide.ProfitText(1), QStringLiteral("50.0"));
    EXPECT_EQ(totals.shortSide.ProfitText(1), QStringLiteral("300.0"));

    const PositionTotals none = SumPositions(Json::Value("not an array"), 3000, 10);
    EXPECT_TRUE(none.longSide.VolumeText().isEmpty());
    EXPECT_TRUE(none.longSide.ProfitText(1).isEmpty());
    EXPECT_EQ(none.longSide.SecondText(), QStringLiteral("0"));
}

Kora::Interface::QuoteSnapshot Snapshot() {
    Kora::Interface::QuoteSnapshot snapshot{};
    snapshot.referencePrice = 300000;
    snapshot.high = 301500;
    snapshot.low = 298000;
    for (int level = 0; level < 5; ++level) {
        snapshot.book[level].bid = {299900 - level * 100, 0, 10.0 + level};
        snapshot.book[level].ask = {300100 + level * 100, 0, 20.0 + level};
    }
    return snapshot;
}

TEST(LadderQuoteTest,
     PricesAreDividedTheBookBecomesTheBestQuoteAndBeforeATradePositionsAreValuedAtTheReference) {
    LadderQuote quote = ReadLadderQuote(Snapshot(), 100, 300000);
    EXPECT_DOUBLE_EQ(quote.lastPrice, 3000);
    EXPECT_TRUE(quote.hasBook);
    EXPECT_DOUBLE_EQ(quote.best.bidPrice, 2999);
    EXPECT_EQ(quote.best.askVolume, 20);
    EXPECT_DOUBLE_EQ(quote.best.high, 3015);
    EXPECT_DOUBLE_EQ(quote.best.low, 2980);
    ASSERT_EQ(quote.best.askLevels.size(), 5u);
    EXPECT_DOUBLE_EQ(quote.best.askLevels[4].price, 3005);
    EXPECT_EQ(quote.best.bidLevels[4].volume, 14);

    Kora::Interface::QuoteSnapshot empty = Snapshot();
    for (auto& row : empty.book) {
        row = {};
    }
    quote = ReadLadderQuote(empty, 100, 0);
    EXPECT_DOUBLE_EQ(quote.lastPrice, 0);
    EXPECT_DOUBLE_EQ(quote.currentPrice, 3000);
    EXPECT_FALSE(quote.hasBook);
    // A divisor that cannot be right gives no quote rather than absurd prices.
    EXPECT_FALSE(ReadLadderQuote(Snapshot(), 0, 300000).hasBook);
}

TEST(LatestQuoteSlotTest, OnlyThePushThatFindsTheSlotEmptyWakesAndTheLatestWins) {
    LatestQuoteSlot slot;
    Kora::Interface::QuotePushRecord record;
    EXPECT_FALSE(slot.Take());
    for (int i = 1; i <= 3; ++i) {
        record.enqueuedNs = i;
        EXPECT_EQ(slot.Store(record), i == 1);
    }
    auto taken = slot.Take();
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->enqueuedNs, 3);
    EXPECT_FALSE(slot.Take());
    EXPECT_TRUE(slot.Store(record));
    EXPECT_EQ(slot.Stored(), 4u);
}

TEST(LatestQuoteSlotTest, AWakeIsNeverLostBetweenThreads) {
    // Whatever the interleaving, after the last store either a wake is outstanding or the
    // taker already has the last push: the window never sleeps on an unseen quote.
    LatestQuoteSlot slot;
    std::atomic<int> wakes{0};
    std::atomic<bool> done{false};
    constexpr int kPushes = 20000;
    std::thread pusher([&] {
        Kora::Interface::QuotePushRecord record;
        for (int i = 1; i <= kPushes; ++i) {
            record.enqueuedNs = i;
            if (slot.Store(record)) {
                wakes.fetch_add(1);
            }
        }
        done = true;
    });
    int64_t lastSeen = 0;
    int taken = 0;
    while (!done || taken < wakes.load()) {
        if (taken < wakes.load()) {
            ++taken;
            if (auto record = slot.Take()) {
                EXPECT_GT(record->enqueuedNs, lastSeen);
                lastSeen = record->enqueuedNs;
            }
        }
    }
    pusher.join();
    EXPECT_EQ(lastSeen, kPushes);
}

}  // namespace
