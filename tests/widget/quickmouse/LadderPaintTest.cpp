// What the ladder paints, read back from its pixels.

#include <gtest/gtest.h>

#include <QDir>
#include <QTest>

#include "LadderScene.h"
#include "PixelProbe.h"
#include "quickmouse/LadderAssets.h"

namespace {

using LadderScene::RowOf;
using PixelProbe::Rgb;
using PixelProbe::Shows;

class LadderPaint : public ::testing::Test {
protected:
    void SetUp() override {
        owner.show();
        LadderScene::Populate(ladder());
    }

    CKRMouselist& ladder() { return owner.Ladder(); }
    QImage paint() { return LadderScene::Paint(ladder()); }
    QRect cell(double price, int column) {
        return ladder().CellRect(RowOf(ladder(), price), column).translated(ladder().viewport()->pos());
    }

    LadderOwner owner;
};

TEST_F(LadderPaint, PriceTextsAreColouredByReferenceRowAndDayRange) {
    const QImage image = paint();
    EXPECT_TRUE(Shows(image, cell(3520, 2), 0x0707EF)) << "above the reference: red";
    EXPECT_TRUE(Shows(image, cell(3502, 2), 0x058F08)) << "below the reference: green";
    EXPECT_TRUE(Shows(image, cell(LadderScene::kReference, 2), 0x000000)) << "the reference row: black";
    EXPECT_FALSE(Shows(image, cell(3520, 2), 0x058F08));
    ladder().ScrollRowToTop(RowOf(ladder(), 3545));
    EXPECT_TRUE(Shows(paint(), cell(3540, 2), 0x535353)) << "outside the day's range";
}

TEST_F(LadderPaint, RowBackgroundsFollowTheColumnsLastPriceAndRange) {
    const QImage image = paint();
    const QRect last = cell(LadderScene::kLast, 2);
    EXPECT_EQ(image.pixel(last.center().x(), last.top() + 1), Rgb(0xD8FCFF));
    const QRect inRange = cell(3520, 2);
    EXPECT_EQ(image.pixel(inRange.left() + 20, inRange.top() + 1), Rgb(0xFFFFFF));
    EXPECT_EQ(image.pixel(cell(3520, 1).left() + 2, inRange.top() + 2), Rgb(0xD8D8FF));
    EXPECT_EQ(image.pixel(cell(3520, 3).left() + 2, inRange.top() + 2), Rgb(0xCCEBCC));
    ladder().ScrollRowToTop(RowOf(ladder(), 3545));
    const QRect outside = cell(3540, 2);
    EXPECT_EQ(paint().pixel(outside.left() + 20, outside.top() + 1), Rgb(0xE6E6E6));
}

TEST_F(LadderPaint, BestQuoteCellsAreFilledAndGridLinesDrawn) {
    const QImage image = paint();
    const QRect bid = cell(3512, 1);
    EXPECT_EQ(image.pixel(bid.left() + 2, bid.top() + 2), Rgb(0xE0E0FD));
    const QRect ask = cell(3513, 3);
    EXPECT_EQ(image.pixel(ask.left() + 2, ask.top() + 2), Rgb(0xD9FAD9));
    EXPECT_EQ(image.pixel(bid.right(), bid.center().y()), Rgb(0xC0C0C0));
    EXPECT_EQ(image.pixel(bid.center().x(), bid.bottom()), Rgb(0xC0C0C0));
    // A quote that moves takes its volume along; nothing stays behind on the old row.
    LadderBestQuote moved = ladder().Model().BestQuote();
    moved.bidPrice = 3510;
    ladder().SetBestQuote(moved);
    const QImage after = paint();
    EXPECT_EQ(after.pixel(bid.left() + 2, bid.top() + 2), Rgb(0xD8D8FF));
    const QRect newBid = cell(3510, 1);
    EXPECT_EQ(after.pixel(newBid.left() + 2, newBid.top() + 2), Rgb(0xE0E0FD));
}

TEST_F(LadderPaint, PositionBarsShowProfitLossAndEven) {
    const auto barAt = [&](double price) {
        const QRect volume = cell(price, 1);
        return paint().pixel(volume.right() - 3, volume.center().y());
    };
    EXPECT_EQ(barAt(3503), Rgb(0x2122C6)) << "long below the market: profit, red";
    Json::Value position;
    position["112"] = "0";
    position["136"] = 3503.0;
    position["NowPrice"] = 3501.0;
    ladder().SetPositions({position});
    EXPECT_EQ(barAt(3503), Rgb(0x307100)) << "long above the market: loss, green";
    position["NowPrice"] = 3503.0;
    ladder().SetPositions({position});
    EXPECT_EQ(barAt(3503), Rgb(0x808080));
    // A short position marks the sell-volume column; above the market it gains.
    position["112"] = "1";
    position["136"] = 3506.4;  // nearer 3506
    ladder().SetPositions({position});
    const QRect sell = cell(3506, 3);
    EXPECT_EQ(paint().pixel(sell.right() - 3, sell.center().y()), Rgb(0x2122C6));
    EXPECT_EQ(paint().pixel(cell(3503, 1).right() - 3, cell(3503, 1).center().y()), Rgb(0xD8D8FF));
}

TEST_F(LadderPaint, TheCancelIconIsTheSkinsImage) {
    const QPixmap skin(QStringLiteral("Skins/Default/Trade/close_order.png"));
    ASSERT_FALSE(skin.isNull()) << "the build copies the skin into the run layout";
    EXPECT_EQ(LadderAssets::CancelIcon().toImage(), skin.toImage());
}

TEST_F(LadderPaint, OrderCellsAreFramedWithTheirCancelIcon) {
    const QImage image = paint();
    const QRect buy = cell(3505, 0);
    EXPECT_TRUE(Shows(image, QRect(buy.left() + 1, buy.top() + 1, buy.width() - 2, 1), 0x626262));
    const QRect icon = CMouseOrderList::CancelIconRect(ladder().CellRect(RowOf(ladder(), 3505), 0), 0)
                           .translated(ladder().viewport()->pos());
    EXPECT_EQ(icon.left(), buy.left() + 3) << "buy icons stand at the left edge";
    EXPECT_EQ(qRed(image.pixel(icon.center())) > 0xC0 &&
                  qGreen(image.pixel(icon.left() + 3, icon.top() + 3)) < 0x80,
              true);
    const QRect sellIcon = CMouseOrderList::CancelIconRect(ladder().CellRect(RowOf(ladder(), 3518), 4), 1);
    EXPECT_EQ(sellIcon.right(), ladder().CellRect(RowOf(ladder(), 3518), 4).right() - 3);
    const QRect empty = cell(3506, 0);
    EXPECT_FALSE(Shows(image, empty.adjusted(0, 0, -1, -1), 0x626262));
}

TEST_F(LadderPaint, RatioBarSplitsByBestVolumesAndEvenlyWithout) {
    const QRect header = ladder().Header().ColumnRect(2, true).translated(ladder().Header().pos());
    const int y = header.top() + 1 + 5 + 4;
    const auto shareAt = [&](double fraction) {
        return paint().pixel(header.left() + 3 + static_cast<int>((header.width() - 6) * fraction), y);
    };
    ladder().ClearBestQuote();
    EXPECT_EQ(shareAt(0.45), Rgb(0x2122C6));
    EXPECT_EQ(shareAt(0.55), Rgb(0x028A08));
    LadderBestQuote quote;
    quote.bidPrice = 3512;
    quote.bidVolume = 30;
    quote.askPrice = 3513;
    quote.askVolume = 10;
    ladder().SetBestQuote(quote);
    EXPECT_EQ(shareAt(0.70), Rgb(0x2122C6));
    EXPECT_EQ(shareAt(0.80), Rgb(0x028A08));
}

TEST_F(LadderPaint, HoverFramesThePriceCellInTheSideColourAndTheIconInOrange) {
    const int row = RowOf(ladder(), 3508);
    QTest::mouseMove(ladder().viewport(), ladder().CellRect(row, 1).center());
    const QRect price = cell(3508, 2);
    EXPECT_EQ(paint().pixel(price.center().x(), price.top()), Rgb(0x0001F3));
    QTest::mouseMove(ladder().viewport(), ladder().CellRect(row, 3).center());
    EXPECT_EQ(paint().pixel(price.center().x(), price.top()), Rgb(0x018F00));
    const QRect icon = CMouseOrderList::CancelIconRect(ladder().CellRect(RowOf(ladder(), 3505), 0), 0);
    QTest::mouseMove(ladder().viewport(), icon.center());
    const QRect frame = icon.adjusted(-1, -1, 1, 1).translated(ladder().viewport()->pos());
    EXPECT_EQ(paint().pixel(frame.left(), frame.center().y()), Rgb(0x018FFF));
    EXPECT_NE(paint().pixel(price.center().x(), price.top()), Rgb(0x018F00)) << "the old frame is gone";
}

// Not a check: writes the scene for a person to look at when KRT_SNAPSHOT_DIR names a folder.
TEST_F(LadderPaint, SnapshotForReview) {
    const QByteArray folder = qgetenv("KRT_SNAPSHOT_DIR");
    if (folder.isEmpty()) {
        GTEST_SKIP() << "set KRT_SNAPSHOT_DIR to write ladder.png";
    }
    QTest::mouseMove(ladder().viewport(), ladder().CellRect(RowOf(ladder(), 3509), 1).center());
    ASSERT_TRUE(LadderScene::Paint(owner).save(QDir(QString::fromLocal8Bit(folder)).filePath("ladder.png")));
}

}  // namespace
