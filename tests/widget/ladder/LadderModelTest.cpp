// The ladder's model: texts it writes, rows it reports stale, groups, markers and centring.

#include <gtest/gtest.h>

#include "ladder/BestLevelMarks.h"
#include "ladder/LadderModel.h"

namespace {

using Rows = std::vector<int>;

// A contract with tick 1 from 3300 to 3700: row = 3700 − price.
class Ladder : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(model.Build(QStringLiteral("rb2501"), 0, 3300, 3500, 1, 3700), 401);
        model.TakeChanges();
    }
    static int Row(double price) { return static_cast<int>(3700 - price); }
    Rows changedRows() { return model.TakeChanges().Rows(); }
    static LadderBestQuote Quote(double bid, int bidVolume, double ask, int askVolume) {
        LadderBestQuote quote;
        quote.bidPrice = bid;
        quote.bidVolume = bidVolume;
        quote.askPrice = ask;
        quote.askVolume = askVolume;
        quote.high = 3530;
        quote.low = 3480;
        return quote;
    }
    static Json::Value Position(const char* direction, Json::Value price, Json::Value now) {
        Json::Value position;
        position["112"] = direction;
        position["136"] = price;
        position["NowPrice"] = now;
        return position;
    }

    CellTextTable texts{5};
    LadderModel model{texts};
};

TEST_F(Ladder, BuildWritesEveryPriceAndResetsWhatCameBefore) {
    model.AddOrder({QStringLiteral("A"), 0, 3500, 1});
    model.SetPositions({Position("0", 3500, 3501)});
    model.SetLastPrice(3501);
    ASSERT_EQ(model.Build(QStringLiteral("rb2505"), 0, 3000, 3100, 2, 3200), 101);
    EXPECT_EQ(texts.RowCount(), 101);
    EXPECT_EQ(model.PriceText(0), QStringLiteral("3200"));
    EXPECT_EQ(model.PriceText(100), QStringLiteral("3000"));
    EXPECT_EQ(model.Groups().Count(), 0);
    EXPECT_TRUE(model.PositionMarks().empty());
    EXPECT_EQ(model.LastPriceRow(), -1);
    EXPECT_TRUE(texts.HeaderText(0).isEmpty());
    EXPECT_TRUE(model.TakeChanges().All());
    EXPECT_EQ(model.Build(QStringLiteral("x"), 2, 10, 15, 0, 20), -1);
    EXPECT_EQ(texts.RowCount(), 0) << "an unusable contract leaves no stale rows behind";
}

TEST_F(Ladder, LastPriceRepaintsTheOldAndNewRowsOnly) {
    model.SetLastPrice(3512);
    EXPECT_EQ(changedRows(), Rows{Row(3512)});
    model.SetLastPrice(3513);
    EXPECT_EQ(changedRows(), (Rows{Row(3513), Row(3512)}));
    model.SetLastPrice(3513.05);
    EXPECT_TRUE(changedRows().empty()) << "same row";
    model.SetLastPrice(9999);
    EXPECT_EQ(model.LastPriceRow(), -1);
    EXPECT_EQ(changedRows(), Rows{Row(3513)}) << "the old mark goes when the price leaves the ladder";
}

TEST_F(Ladder, BestQuoteShowsVolumesInCellsAndHeadersAndMovesThemCleanly) {
    model.SetBestQuote(Quote(3511, 27, 3512, 35));
    EXPECT_EQ(texts.Text(Row(3511), 1), QStringLiteral("27"));
    EXPECT_EQ(texts.Text(Row(3512), 3), QStringLiteral("35"));
    EXPECT_EQ(texts.HeaderText(1), QStringLiteral("27"));
    EXPECT_EQ(texts.HeaderText(3), QStringLiteral("35"));
    EXPECT_TRUE(model.TakeChanges().All()) << "the day's range arrived";

    model.SetBestQuote(Quote(3510, 40, 3512, 36));
    LadderChanges changes = model.TakeChanges();
    EXPECT_FALSE(changes.All());
    EXPECT_TRUE(changes.Header());
    EXPECT_EQ(changes.Rows(), (Rows{Row(3512), Row(3511), Row(3510)}));
    EXPECT_TRUE(texts.Text(Row(3511), 1).isEmpty()) << "no stale volume on the old bid row";
    EXPECT_EQ(texts.Text(Row(3510), 1), QStringLiteral("40"));

    model.SetBestQuote(Quote(3510, 40, 3512, 36));
    EXPECT_TRUE(changedRows().empty()) << "an unchanged quote repaints no row";

    model.SetBestQuote(Quote(3510, -5, 0, 10));
    EXPECT_TRUE(texts.Text(Row(3510), 1).isEmpty()) << "a negative volume shows nothing";
    EXPECT_TRUE(texts.Text(Row(3512), 3).isEmpty()) << "no ask";
    EXPECT_EQ(model.AskRow(), -1);
    EXPECT_EQ(model.BestQuote().bidVolume, 0);

    model.ClearBestQuote();
    EXPECT_TRUE(texts.HeaderText(1).isEmpty());
    EXPECT_EQ(model.BidRow(), -1);
}

TEST_F(Ladder, TheDayRangeMarksHighAndLowWithinTheLadderAndRepaintsAllOnlyWhenItChanges) {
    LadderBestQuote quote = Quote(3511, 1, 3512, 1);
    model.SetBestQuote(quote);
    EXPECT_EQ(model.HighRow(), Row(3530));
    EXPECT_EQ(model.LowRow(), Row(3480));
    EXPECT_TRUE(model.IsInDayRange(Row(3530)));
    EXPECT_FALSE(model.IsInDayRange(Row(3531)));
    model.TakeChanges();
    quote.high += 5e-9;
    model.SetBestQuote(quote);
    EXPECT_FALSE(model.TakeChanges().All()) << "within 1e-8 is no change";
    quote.high = 3800;
    model.SetBestQuote(quote);
    EXPECT_TRUE(model.TakeChanges().All());
    EXPECT_TRUE(model.IsInDayRange(0)) << "a range reaching past the top greys no row inside it";
    EXPECT_EQ(model.HighRow(), -1) << "no high mark on a row that is not the high";
    quote.high = 3250;
    quote.low = 3200;
    model.SetBestQuote(quote);
    EXPECT_FALSE(model.IsInDayRange(400)) << "a range wholly below the ladder";
}

TEST_F(Ladder, TenTicksARowShowAnOrderBetweenRowsOnTheRowBelowItsPrice) {
    model.AddOrder({QStringLiteral("A"), 0, 3500, 1});
    ASSERT_EQ(model.SetLayout(LadderLayout::Steps(10)), 41);
    EXPECT_EQ(model.PriceText(1), QStringLiteral("3690"));
    EXPECT_EQ(model.Groups().Count(), 0) << "the owner pushes its orders again";
    EXPECT_TRUE(model.TakeChanges().All());
    ASSERT_TRUE(model.AddOrder({QStringLiteral("B"), 1, 3505, 2}));
    ASSERT_TRUE(model.AddOrder({QStringLiteral("C"), 1, 3500, 3}));
    EXPECT_EQ(texts.Text(20, 4), QStringLiteral("5")) << "3505 and 3500 share the 3500 row";
    EXPECT_EQ(model.SetLayout(LadderLayout::Steps(10)), 41);
    EXPECT_EQ(model.Groups().Count(), 1) << "the layout in force again changes nothing";
    ASSERT_EQ(model.Build(QStringLiteral("rb2505"), 0, 3000, 3100, 2, 3200), 11) << "later builds keep it";
    EXPECT_EQ(model.SetLayout(LadderLayout::Steps(1)), 101);
}

TEST_F(Ladder, OrdersAtOnePriceAndSideShareACellWithTheirSumAndBadOrdersAreIgnored) {
    EXPECT_FALSE(model.AddOrder({QStringLiteral("X"), 0, 3800, 1})) << "outside the ladder";
    EXPECT_FALSE(model.AddOrder({QStringLiteral("X"), 0, 3500, -2}));
    EXPECT_FALSE(model.AddOrder({QStringLiteral("X"), 0, 3500, 0}));
    EXPECT_FALSE(model.AddOrder({QString(), 0, 3500, 1}));
    EXPECT_FALSE(model.AddOrder({QStringLiteral("X"), 2, 3500, 1}));
    ASSERT_TRUE(model.AddOrder({QStringLiteral("B-1"), 0, 3505, 1}));
    ASSERT_TRUE(model.AddOrder({QStringLiteral("B-2"), 0, 3505.05, 2}));
    ASSERT_TRUE(model.AddOrder({QStringLiteral("S-1"), 1, 3505, 4}));
    EXPECT_FALSE(model.AddOrder({QStringLiteral("B-1"), 0, 3505, 1})) << "counted once";
    EXPECT_EQ(model.Groups().Count(), 2);
    EXPECT_EQ(texts.Text(Row(3505), 0), QStringLiteral("3"));
    EXPECT_EQ(texts.Text(Row(3505), 4), QStringLiteral("4"));
    EXPECT_EQ(texts.HeaderText(0), QStringLiteral("3"));
    const OrderGroup* group = model.Groups().At(model.Groups().Find(Row(3505), 0));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->ids, (std::set<QString>{QStringLiteral("B-1"), QStringLiteral("B-2")}));
    EXPECT_EQ(group->firstId, QStringLiteral("B-1"));
    EXPECT_EQ(changedRows(), Rows{Row(3505)});

    model.AddOrder({QStringLiteral("B-3"), 0, 3490, 5});
    model.RemoveGroup(model.Groups().Find(Row(3505), 0));
    EXPECT_TRUE(texts.Text(Row(3505), 0).isEmpty());
    EXPECT_EQ(texts.HeaderText(0), QStringLiteral("5"));
    model.RemoveGroup(model.Groups().Find(Row(3490), 0));
    EXPECT_TRUE(texts.HeaderText(0).isEmpty()) << "nothing rather than 0";
    model.RemoveGroup(7);
    model.RemoveGroup(-1);
    EXPECT_EQ(model.Groups().Count(), 1);
    model.ClearOrders();
    EXPECT_TRUE(texts.Text(Row(3505), 4).isEmpty());
    EXPECT_TRUE(texts.HeaderText(4).isEmpty());
}

TEST_F(Ladder, PositionMarkersTakeTheNearerTickRepaintOnlyWhatChangedAndMalformedOnesDrawNothing) {
    model.SetPositions({Position("0", 3503.4, 3512), Position("1", "3520.5", "3510")});
    const std::vector<PositionMark> expected{{Row(3521), 1, PositionMark::Tone::Profit},
                                             {Row(3503), 0, PositionMark::Tone::Profit}};
    EXPECT_EQ(model.PositionMarks(), expected);
    EXPECT_EQ(changedRows(), (Rows{Row(3521), Row(3503)}));
    // The market moves but neither position changes colour: nothing to repaint.
    model.SetPositions({Position("0", 3503.4, 3513), Position("1", "3520.5", "3511")});
    EXPECT_TRUE(changedRows().empty());
    model.SetPositions({Position("0", 3503.4, 3503.4), Position("1", "3520.5", "3525")});
    EXPECT_EQ(changedRows(), (Rows{Row(3521), Row(3503)}));
    std::vector<PositionMark::Tone> tones;
    model.MarksAt(Row(3503), 0, tones);
    EXPECT_EQ(tones, std::vector<PositionMark::Tone>{PositionMark::Tone::Even});
    tones.clear();
    model.MarksAt(Row(3521), 1, tones);
    EXPECT_EQ(tones, std::vector<PositionMark::Tone>{PositionMark::Tone::Loss});

    Json::Value noDirection;
    noDirection["136"] = 3500;
    Json::Value wrongTypes;
    wrongTypes["112"] = Json::Value(Json::arrayValue);
    wrongTypes["136"] = Json::Value(Json::objectValue);
    model.SetPositions(
        {noDirection, wrongTypes, Json::Value("text"), Position("0", 9000, 3500), Position("2", 3500, 1)});
    EXPECT_TRUE(model.PositionMarks().empty()) << "malformed positions draw nothing";
    EXPECT_EQ(model.Positions().size(), 5u) << "the records are kept as handed over";
}

TEST(LadderCentring, StaysWhileFiveRowsInsideEitherEdge) {
    const int top = 100;
    const int perPage = 24;
    EXPECT_FALSE(LadderModel::CentringTop(top + 5, top, perPage));
    EXPECT_FALSE(LadderModel::CentringTop(top + perPage - 5, top, perPage));
    EXPECT_EQ(LadderModel::CentringTop(top + 4, top, perPage), top + 4 - perPage / 2);
    EXPECT_EQ(LadderModel::CentringTop(top + perPage - 4, top, perPage), top + perPage - 4 - perPage / 2);
    EXPECT_EQ(LadderModel::CentringTop(3, 0, perPage), 0) << "never above the first row";
    EXPECT_EQ(LadderModel::CentringTop(500, top, perPage), 500 - perPage / 2);
    EXPECT_FALSE(LadderModel::CentringTop(-1, top, perPage)) << "no last price";
    EXPECT_FALSE(LadderModel::CentringTop(110, top, 0)) << "no page yet";
}

TEST(BestLevels, LabelTheFiveLevelsOfEachSide) {
    LadderTickGrid grid;
    ASSERT_TRUE(grid.Build(0, 90, 95, 1, 100));
    const auto scale = LadderLayout{}.Lay(grid);
    LadderBestQuote quote;
    quote.askLevels = {{97, 1}, {98, 1}, {99, 0}, {100, 1}};
    quote.bidPrice = 96;
    LadderChanges changes;
    BestLevelMarks levels;
    levels.Update(quote, *scale, changes);
    EXPECT_EQ(levels.LevelAt(3, 1), 0);
    EXPECT_EQ(levels.LevelAt(2, 1), 1);
    EXPECT_EQ(levels.LevelAt(1, 1), -1) << "an empty level marks nothing";
    EXPECT_EQ(levels.LevelAt(0, 1), 3);
    EXPECT_EQ(levels.LevelAt(4, 0), 0) << "without level lists the best price is the first level";
    EXPECT_EQ(levels.LevelAt(3, 0), -1);
    EXPECT_EQ(BestLevelMarks::Label(1, 0), QStringLiteral("卖"));
    EXPECT_EQ(BestLevelMarks::Label(0, 4), QStringLiteral("五"));
    EXPECT_EQ(BestLevelMarks::Label(1, 5), QString());
    EXPECT_EQ(changes.Rows(), (std::vector<int>{0, 2, 3, 4}));
    changes.Clear();
    levels.Clear(changes);
    EXPECT_EQ(changes.Rows(), (std::vector<int>{0, 2, 3, 4}));
    EXPECT_EQ(levels.LevelAt(3, 1), -1);
}

}  // namespace
