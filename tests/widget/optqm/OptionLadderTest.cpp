// The option ladder without a window around it: the middle list of the zoned step modes, the
// rows of each step mode, when the rows are laid out again, and the option colours.

#include <gtest/gtest.h>

#include <QStringList>
#include <QTest>

#include "option/CKROptionMouselist.h"
#include "option/OptionStepModes.h"
#include "widget/ladder/PixelProbe.h"

namespace {

using OptionStepModes::MiddleList;
using PixelProbe::Rgb;

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
        quote.bidLevels.push_back({bid - level * 0.0001, volume + level});
        quote.askLevels.push_back({ask + level * 0.0001, volume + level});
    }
    return quote;
}

QStringList Printed(const std::vector<double>& prices) {
    QStringList texts;
    for (double price : prices) {
        texts << QString::number(price, 'f', 4);
    }
    return texts;
}

TEST(OptionMiddleList, TheDistinctPositivePricesOfFiveLevelsASideAndTheLastHighestFirst) {
    LadderBestQuote quote = Book();
    quote.bidLevels[4].price = 0;            // an empty level
    quote.askLevels.push_back({0.0490, 3});  // a sixth level is not the window's
    EXPECT_EQ(Printed(MiddleList(quote, 0.0456)),
              (QStringList{"0.0461", "0.0460", "0.0459", "0.0458", "0.0457", "0.0456", "0.0455", "0.0454",
                           "0.0453", "0.0452"}));
    EXPECT_EQ(MiddleList(quote, 0.0455).size(), 9u) << "a last price at the best bid shows once";
    EXPECT_EQ(Printed(MiddleList(Book(), 0.0500)).front(), QStringLiteral("0.0461"))
        << "a last trade above the book would hide every price between them";
    EXPECT_EQ(Printed(MiddleList(LadderBestQuote{}, 0.0500)), QStringList{"0.0500"}) << "no book: the last";
    LadderBestQuote bare;  // only the best prices, no level lists
    bare.bidPrice = 0.0455;
    bare.askPrice = 0.0457;
    EXPECT_EQ(Printed(MiddleList(bare, 0)), (QStringList{"0.0457", "0.0455"}));

    const std::vector<double> list = MiddleList(Book(), 0.0455);
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
    // A fund option (tick 0.0001, limits 0.0001–0.1000) as its window shows it: built around the
    // book, then the book pushed.
    void Show(double reference = 0.0450) {
        ladder.Build(QStringLiteral("10000021"), 4, 0.0001, reference, 0.0001, 0.1000, Book(), 0.0455);
        ladder.SetLastPrice(0.0455);
        ladder.SetBestQuote(Book());
    }
    QStringList Texts(int from, int to) const {
        QStringList texts;
        for (int row = from; row <= to; ++row) {
            texts << ladder.Model().PriceText(row);
        }
        return texts;
    }
    int RowOf(double price) const { return ladder.Model().Scale().RowOf(price); }
    QString BidText() const { return ladder.Model().PriceText(ladder.Model().BidRow()); }
    // The page from a price down, painted; then the fill near a cell's top left and whether a
    // price cell shows a colour.
    void ShowFrom(double price) {
        ladder.ScrollRowToTop(RowOf(price));
        shot = ladder.viewport()->grab().toImage();
    }
    QRgb Fill(double price, int column) const {
        const QRect cell = ladder.CellRect(RowOf(price), column);
        return shot.pixel(cell.left() + 2, cell.top() + 2);
    }
    bool Shows(double price, uint32_t colour) const {
        return PixelProbe::Shows(shot, ladder.CellRect(RowOf(price), 2), colour);
    }

    CKROptionMouselist ladder;
    int relaid = 0;
    QImage shot;
};

TEST_F(OptionLadder, EachStepModeLaysItsRowsAroundTheBook) {
    Show();  // five levels, the mode at start
    // n = (0.1000 − U) / step = 539 rows down to U = 0.0461; the list's other nine entries; then
    // L − 1, 2 … steps below L = 0.0451.
    EXPECT_EQ(Texts(538, 550),
              (QStringList{"0.0462", "0.0461", "0.0460", "0.0459", "0.0458", "0.0457", "0.0455", "0.0454",
                           "0.0453", "0.0452", "0.0451", "0.0450", "0.0449"}));

    ladder.SetStepMode(OptionStepModes::kChoices[0].mode);  // every tick a row
    EXPECT_EQ(ladder.Model().RowCount(), 1000);
    EXPECT_EQ(Texts(544, 546), (QStringList{"0.0456", "0.0455", "0.0454"}));

    ladder.SetStepMode(OptionStepModes::kChoices[1].mode);  // ten ticks
    // Steps of 0.0010 above U = 0.0461 (n = 53: the top 0.1000 lies within a step of 0.0991).
    EXPECT_EQ(Texts(0, 1), (QStringList{"0.0991", "0.0981"}));
    EXPECT_EQ(Texts(52, 54), (QStringList{"0.0471", "0.0461", "0.0460"}));
    EXPECT_EQ(Texts(62, 64), (QStringList{"0.0451", "0.0441", "0.0431"}));
}

TEST_F(OptionLadder, ANewModeOrABestPriceOutsideTheListLaysTheRowsAgainKeepingThePageOnItsPrices) {
    Show();
    EXPECT_FALSE(ladder.SetStepMode(OptionStepModes::kChoices[3].mode)) << "the mode in force";
    ladder.SetBestQuote(Book(0.0453, 0.0459, 40));  // inside the list; volumes changed
    EXPECT_EQ(relaid, 0);
    EXPECT_EQ(ladder.Model().BidRow(), RowOf(0.0453));

    ladder.ScrollRowToTop(RowOf(0.0470));
    ladder.SetBestQuote(Book(0.0456, 0.0458));
    EXPECT_EQ(relaid, 1) << "the owner pushes its orders and positions again";
    EXPECT_EQ(Printed({ladder.MiddleList().front(), ladder.MiddleList().back()}),
              (QStringList{"0.0462", "0.0452"}));
    EXPECT_EQ(BidText(), QStringLiteral("0.0456"));
    EXPECT_EQ(ladder.Model().PriceText(ladder.TopIndex()), QStringLiteral("0.0470"));
    EXPECT_EQ(ladder.Model().PriceText(ladder.Model().LastPriceRow()), QStringLiteral("0.0455"));

    EXPECT_TRUE(ladder.SetStepMode(OptionStepModes::kChoices[0].mode));
    EXPECT_EQ(relaid, 2);
    EXPECT_TRUE(ladder.MiddleList().empty());
    EXPECT_EQ(BidText(), QStringLiteral("0.0456")) << "the book entered again";
    EXPECT_EQ(ladder.Model().AskRow(), RowOf(0.0458));
    EXPECT_EQ(ladder.Model().BestQuote().askVolume, 11);
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
    EXPECT_EQ(BidText(), QStringLiteral("0.0456"));
}

TEST_F(OptionLadder, PaintsTheOptionColoursAndAPriceWithinAHundredMillionthOfTheReferenceBlack) {
    ladder.SetStepMode(OptionStepModes::kChoices[0].mode);
    Show(0.0450 + 4e-9);  // off its tick by less than 1e-8
    ShowFrom(0.0472);
    EXPECT_EQ(Fill(0.0455, 2), Rgb(0xD8FCFF)) << "last price";
    EXPECT_EQ(Fill(0.0460, 2), Rgb(0xFFFFFF)) << "inside the day's range";
    EXPECT_EQ(Fill(0.0470, 2), Rgb(0xFFFFFF)) << "the day's high row";
    EXPECT_EQ(Fill(0.0460, 1), Rgb(0xE0E0FF)) << "buy volume";
    EXPECT_EQ(Fill(0.0460, 3), Rgb(0xCCEBCC)) << "sell volume";
    EXPECT_EQ(Fill(0.0460, 0), Rgb(0xFFFFFF)) << "orders";
    EXPECT_TRUE(Shows(0.0451, 0x0707EF));
    EXPECT_TRUE(Shows(0.0449, 0x058F08));
    EXPECT_TRUE(Shows(0.0450, 0x000000));
    EXPECT_FALSE(Shows(0.0450, 0x0707EF));
    EXPECT_FALSE(Shows(0.0450, 0x058F08));

    ShowFrom(0.0480);
    EXPECT_EQ(Fill(0.0475, 2), Rgb(0xF2F2F2)) << "outside the day's range";
    EXPECT_TRUE(Shows(0.0475, 0x0707EF)) << "above the reference: red, even outside the range";
    EXPECT_FALSE(Shows(0.0475, 0x535353));

    ShowFrom(0.0445);
    EXPECT_EQ(Fill(0.0440, 2), Rgb(0xFFFFFF)) << "the day's low row";
    EXPECT_EQ(Fill(0.0439, 2), Rgb(0xF2F2F2));
}

}  // namespace
