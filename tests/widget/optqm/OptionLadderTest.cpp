// The option ladder without a window around it: the middle list of the zoned step modes, the
// rows of each step mode, when the rows are laid out again, and the option colours.

#include <gtest/gtest.h>

#include <QStringList>
#include <QTest>

#include "option/CKROptionMouselist.h"
#include "option/OptionStepModes.h"
#include "widget/ladder/PixelProbe.h"

namespace {

using OptionStepModes::kChoices;
using OptionStepModes::MiddleList;
using OptionStepModes::StepMode;

// A fund option: four decimals, tick 0.0001, limits 0.0001–0.1000, reference 0.0450.
constexpr int kDecimals = 4;
constexpr double kLower = 0.0001;
constexpr double kReference = 0.0450;
constexpr double kTick = 0.0001;
constexpr double kUpper = 0.1000;

constexpr StepMode kEveryTick = kChoices[0].mode;
constexpr StepMode kTenTicks = kChoices[1].mode;
constexpr StepMode kThirtyTicks = kChoices[2].mode;
constexpr StepMode kFiveLevels = kChoices[3].mode;

// Bids 0.0455 … 0.0451, asks 0.0457 … 0.0461, the day between 0.0440 and 0.0470.
LadderBestQuote Book(double bid = 0.0455, double ask = 0.0457, int volume = 10) {
    LadderBestQuote quote;
    quote.bidPrice = bid;
    quote.askPrice = ask;
    quote.bidVolume = volume;
    quote.askVolume = volume + 1;
    quote.high = 0.0470;
    quote.low = 0.0440;
    for (int level = 0; level < 5; ++level) {
        quote.bidLevels.push_back({bid - level * kTick, volume + level});
        quote.askLevels.push_back({ask + level * kTick, volume + level});
    }
    return quote;
}

// A list of prices as the ladder prints them.
QStringList Printed(const std::vector<double>& prices) {
    QStringList texts;
    for (double price : prices) {
        texts << QString::number(price, 'f', kDecimals);
    }
    return texts;
}

TEST(OptionMiddleList, TheDistinctPositivePricesOfFiveLevelsASideAndTheLastHighestFirst) {
    LadderBestQuote quote = Book();
    quote.bidLevels[4].price = 0;            // an empty level
    quote.askLevels.push_back({0.0490, 3});  // a sixth level is not the window's
    quote.bidLevels.push_back({0.0400, 3});
    EXPECT_EQ(Printed(MiddleList(quote, 0.0456)),
              (QStringList{"0.0461", "0.0460", "0.0459", "0.0458", "0.0457", "0.0456", "0.0455", "0.0454",
                           "0.0453", "0.0452"}));
    EXPECT_EQ(MiddleList(quote, 0.0455).size(), 9u) << "a last price at the best bid shows once";

    EXPECT_EQ(Printed(MiddleList(Book(), 0.0500)).front(), QStringLiteral("0.0461"))
        << "a last trade above the book would hide every price between them";
    EXPECT_EQ(Printed(MiddleList(LadderBestQuote{}, 0.0500)), QStringList{"0.0500"})
        << "no book: the last price";

    LadderBestQuote bare;  // only the best prices, no level lists
    bare.bidPrice = 0.0455;
    bare.askPrice = 0.0457;
    EXPECT_EQ(Printed(MiddleList(bare, 0)), (QStringList{"0.0457", "0.0455"}));
    EXPECT_TRUE(MiddleList(LadderBestQuote{}, 0).empty());
}

TEST(OptionMiddleList, TheBestPricesAreHeldOrNot) {
    const std::vector<double> list = MiddleList(Book(), 0.0455);
    EXPECT_TRUE(OptionStepModes::HoldsBestPrices(list, Book()));
    EXPECT_TRUE(OptionStepModes::HoldsBestPrices(list, Book(0.0453, 0.0459))) << "inside the book";
    EXPECT_FALSE(OptionStepModes::HoldsBestPrices(list, Book(0.0456, 0.0457))) << "a new best bid";
    EXPECT_FALSE(OptionStepModes::HoldsBestPrices(list, Book(0.0455, 0.0462))) << "a new best ask";
    LadderBestQuote oneSided = Book();
    oneSided.askPrice = 0;
    EXPECT_TRUE(OptionStepModes::HoldsBestPrices(list, oneSided)) << "an empty side holds";
}

class OptionLadder : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* title : {"挂单", "普买", "价格", "普卖", "挂单"}) {
            ladder.InsertColumn(ladder.ColumnCount(), QString::fromUtf8(title), 63);
        }
        ladder.resize(340, 600);
        ladder.show();
        ladder.SetRelaidObserver([this] { ++relaid; });
    }
    // The contract as its window shows it: built around the book, then the book pushed.
    void Show(const LadderBestQuote& quote = Book(), double last = 0.0455) {
        ladder.Build(QStringLiteral("10000021"), kDecimals, kLower, kReference, kTick, kUpper, quote, last);
        ladder.SetLastPrice(last);
        ladder.SetBestQuote(quote);
    }
    QStringList Texts(int from, int to) const {
        QStringList texts;
        for (int row = from; row <= to; ++row) {
            texts << ladder.Model().PriceText(row);
        }
        return texts;
    }
    int RowOf(double price) const { return ladder.Model().Scale().RowOf(price); }

    CKROptionMouselist ladder;
    int relaid = 0;
};

TEST_F(OptionLadder, EveryTickARowCountsDownFromTheTop) {
    ladder.SetStepMode(kEveryTick);
    Show();
    EXPECT_EQ(ladder.Model().RowCount(), 1000);
    EXPECT_TRUE(ladder.MiddleList().empty());
    // top − row × step
    EXPECT_EQ(Texts(0, 1), (QStringList{"0.1000", "0.0999"}));
    EXPECT_EQ(Texts(544, 546), (QStringList{"0.0456", "0.0455", "0.0454"}));
    EXPECT_EQ(ladder.Model().PriceText(999), QStringLiteral("0.0001"));
}

TEST_F(OptionLadder, FiveLevelsShowTheBookRowByRowBetweenSingleTicks) {
    Show();  // the mode at start
    EXPECT_EQ(ladder.StepMode(), kFiveLevels);
    // n = (0.1000 − U) / step = 539 rows down to U = 0.0461; the list's other nine entries; then
    // L − 1, 2 … steps below L = 0.0451.
    EXPECT_EQ(Texts(0, 1), (QStringList{"0.1000", "0.0999"}));
    EXPECT_EQ(Texts(538, 550),
              (QStringList{"0.0462", "0.0461", "0.0460", "0.0459", "0.0458", "0.0457", "0.0455", "0.0454",
                           "0.0453", "0.0452", "0.0451", "0.0450", "0.0449"}));
    EXPECT_EQ(RowOf(0.0456), RowOf(0.0455)) << "a price missing from the list shows on the row below it";
    EXPECT_EQ(ladder.Model().PriceText(ladder.Model().RowCount() - 1), QStringLiteral("0.0001"));
}

TEST_F(OptionLadder, TenAndThirtyTicksARowAroundTheBookThatKeepsItsOwnRows) {
    ladder.SetStepMode(kTenTicks);
    Show();
    // Steps of 0.0010 above U = 0.0461 (n = 53: the top 0.1000 lies within a step of 0.0991).
    EXPECT_EQ(Texts(0, 1), (QStringList{"0.0991", "0.0981"}));
    EXPECT_EQ(Texts(52, 64),
              (QStringList{"0.0471", "0.0461", "0.0460", "0.0459", "0.0458", "0.0457", "0.0455", "0.0454",
                           "0.0453", "0.0452", "0.0451", "0.0441", "0.0431"}));
    EXPECT_EQ(ladder.Model().PriceText(ladder.Model().RowCount() - 1), QStringLiteral("0.0001"));

    ladder.SetStepMode(kThirtyTicks);
    // n = 17 here: one more step would stand above the top.
    EXPECT_EQ(Texts(0, 0), (QStringList{"0.0971"}));
    EXPECT_EQ(Texts(16, 18), (QStringList{"0.0491", "0.0461", "0.0460"}));
    EXPECT_EQ(Texts(26, 28), (QStringList{"0.0451", "0.0421", "0.0391"}));
}

TEST_F(OptionLadder, AChangeOfModeLaysTheRowsAgainAndReEntersTheBookButTheModeInForceChangesNothing) {
    Show();
    EXPECT_FALSE(ladder.SetStepMode(kFiveLevels));
    EXPECT_EQ(relaid, 0);

    EXPECT_TRUE(ladder.SetStepMode(kEveryTick));
    EXPECT_EQ(relaid, 1) << "the owner pushes its orders and positions again";
    EXPECT_EQ(ladder.Model().BidRow(), RowOf(0.0455));
    EXPECT_EQ(ladder.Model().AskRow(), RowOf(0.0457));
    EXPECT_EQ(ladder.Model().LastPriceRow(), RowOf(0.0455));
    EXPECT_EQ(ladder.Model().PriceText(ladder.Model().BidRow()), QStringLiteral("0.0455"));
    EXPECT_EQ(ladder.Model().BestQuote().askVolume, 11);
}

TEST_F(OptionLadder, OnlyANewBestPriceOutsideTheListLaysTheRowsAgainKeepingThePageOnItsPrices) {
    Show();
    ladder.ScrollRowToTop(RowOf(0.0470));
    ladder.SetBestQuote(Book(0.0453, 0.0459, 40));  // inside the list; volumes changed
    EXPECT_EQ(relaid, 0);
    EXPECT_EQ(ladder.Model().BidRow(), RowOf(0.0453));

    ladder.SetBestQuote(Book(0.0456, 0.0458));
    EXPECT_EQ(relaid, 1);
    EXPECT_EQ(Printed({ladder.MiddleList().front(), ladder.MiddleList().back()}),
              (QStringList{"0.0462", "0.0452"}));
    EXPECT_EQ(ladder.Model().PriceText(ladder.Model().BidRow()), QStringLiteral("0.0456"));
    EXPECT_EQ(ladder.Model().PriceText(ladder.TopIndex()), QStringLiteral("0.0470"));
    EXPECT_EQ(ladder.Model().PriceText(ladder.Model().LastPriceRow()), QStringLiteral("0.0455"));
}

TEST_F(OptionLadder, ANewBestPriceDuringADragWaitsForTheReleaseSoTheDragIsNotLost) {
    Show();
    const QPoint cell = ladder.CellRect(RowOf(0.0452), 1).center();
    QTest::mousePress(ladder.viewport(), Qt::LeftButton, {}, cell);
    ladder.SetBestQuote(Book(0.0456, 0.0458));
    EXPECT_EQ(relaid, 0);
    EXPECT_EQ(ladder.Model().PriceText(RowOf(0.0452)), QStringLiteral("0.0452")) << "the rows stay";
    QTest::mouseRelease(ladder.viewport(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(relaid, 1);
    EXPECT_EQ(ladder.Model().PriceText(ladder.Model().BidRow()), QStringLiteral("0.0456"));
}

TEST_F(OptionLadder, PaintsTheOptionColours) {
    ladder.SetStepMode(kEveryTick);
    Show(Book(), 0.0455);
    ladder.ScrollRowToTop(RowOf(0.0472));
    const QImage image = ladder.viewport()->grab().toImage();
    const auto cell = [this](double price, int column) { return ladder.CellRect(RowOf(price), column); };
    const auto fill = [&](double price, int column) {
        const QRect area = cell(price, column);
        return image.pixel(area.left() + 2, area.top() + 2);
    };
    using PixelProbe::Rgb;
    EXPECT_EQ(fill(0.0455, 2), Rgb(0xD8FCFF)) << "last price";
    EXPECT_EQ(fill(0.0460, 2), Rgb(0xFFFFFF)) << "inside the day's range";
    EXPECT_EQ(fill(0.0470, 2), Rgb(0xFFFFFF)) << "the day's high row";
    EXPECT_EQ(fill(0.0460, 1), Rgb(0xE0E0FF)) << "buy volume";
    EXPECT_EQ(fill(0.0460, 3), Rgb(0xCCEBCC)) << "sell volume";
    EXPECT_EQ(fill(0.0460, 0), Rgb(0xFFFFFF)) << "orders";

    ladder.ScrollRowToTop(RowOf(0.0480));
    const QImage upper = ladder.viewport()->grab().toImage();
    const QRect outside = ladder.CellRect(RowOf(0.0475), 2);
    EXPECT_EQ(upper.pixel(outside.left() + 2, outside.top() + 2), Rgb(0xF2F2F2)) << "outside the day's range";
    EXPECT_TRUE(PixelProbe::Shows(upper, outside, 0x0707EF))
        << "above the reference: red, even outside the range";
    EXPECT_FALSE(PixelProbe::Shows(upper, outside, 0x535353));

    ladder.ScrollRowToTop(RowOf(0.0445));
    const QImage lower = ladder.viewport()->grab().toImage();
    const QRect low = ladder.CellRect(RowOf(0.0440), 2);
    const QRect below = ladder.CellRect(RowOf(0.0439), 2);
    EXPECT_EQ(lower.pixel(low.left() + 2, low.top() + 2), Rgb(0xFFFFFF)) << "the day's low row";
    EXPECT_EQ(lower.pixel(below.left() + 2, below.top() + 2), Rgb(0xF2F2F2));
}

TEST_F(OptionLadder, PriceTextsAreRedAboveGreenBelowAndBlackWithinAHundredMillionthOfTheReference) {
    ladder.SetStepMode(kEveryTick);
    // A reference off its tick by less than 1e-8 still makes its row black.
    ladder.Build(QStringLiteral("10000021"), kDecimals, kLower, kReference + 4e-9, kTick, kUpper, Book(), 0);
    ladder.SetBestQuote(Book());
    ladder.ScrollRowToTop(RowOf(0.0455));
    const QImage image = ladder.viewport()->grab().toImage();
    const auto shows = [&](double price, uint32_t colour) {
        return PixelProbe::Shows(image, ladder.CellRect(RowOf(price), 2), colour);
    };
    EXPECT_TRUE(shows(0.0451, 0x0707EF));
    EXPECT_TRUE(shows(0.0449, 0x058F08));
    EXPECT_TRUE(shows(kReference, 0x000000));
    EXPECT_FALSE(shows(kReference, 0x0707EF));
    EXPECT_FALSE(shows(kReference, 0x058F08));
}

}  // namespace
