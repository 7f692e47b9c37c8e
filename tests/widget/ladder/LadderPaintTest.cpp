// What the ladder paints, read back from its pixels.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include "PixelProbe.h"
#include "ladder/CKRMouselist.h"
#include "ladder/LadderAssets.h"
#include "support/RunLayoutFolder.h"

namespace {

using PixelProbe::Rgb;
using PixelProbe::Shows;

[[maybe_unused]] auto* const kRunLayoutFolder = ::testing::AddGlobalTestEnvironment(new RunLayoutFolder);

constexpr double kLast = 3512;
constexpr double kReference = 3506;

// A futures ladder quoted around 3512 with tick 1: limits 3300–3700, reference 3506, the day's
// range 3488–3530, five levels a side, two buy orders at 3505 (1 + 2 lots), one sell order at
// 3518 (5 lots) and a long position from 3503; the last price centred on a shown page.
class LadderPaint : public ::testing::Test {
protected:
    void SetUp() override {
        const std::pair<const char*, int> columns[] = {
            {"挂单", 63}, {"买", 53}, {"价格", 90}, {"卖", 53}, {"挂单", 63}};
        for (int i = 0; i < 5; ++i) {
            list->InsertColumn(i, QString::fromUtf8(columns[i].first), columns[i].second);
        }
        list->setGeometry(0, 0, 340, 44 + 22 * 24);
        page.resize(340, 44 + 22 * 24);
        page.show();
        // The page settles its size before the scene is measured.
        QCoreApplication::processEvents();
        list->Build(QStringLiteral("rb2501"), 0, 3300, kReference, 1, 3700);
        list->SetLastPrice(kLast);
        list->SetBestQuote({.askPrice = 3513,
                            .askVolume = 35,
                            .bidPrice = 3512,
                            .bidVolume = 27,
                            .high = 3530,
                            .low = 3488,
                            .askLevels = {{3513, 35}, {3514, 80}, {3515, 42}, {3516, 118}, {3517, 60}},
                            .bidLevels = {{3512, 27}, {3511, 64}, {3510, 90}, {3509, 51}, {3508, 33}}});
        list->AddWorkingOrder({QStringLiteral("B-1"), 0, 3505, 1});
        list->AddWorkingOrder({QStringLiteral("B-2"), 0, 3505, 2});
        list->AddWorkingOrder({QStringLiteral("S-1"), 1, 3518, 5});
        Json::Value position;
        position["112"] = "0";
        position["136"] = "3503";
        position["NowPrice"] = kLast;
        list->SetPositions({position});
        list->CentreOnLastPrice();
    }
    CKRMouselist& ladder() { return *list; }
    int rowOf(double price) { return list->Model().Scale().RowOf(price); }
    // A cell's rectangle in the ladder's cell viewport.
    QRect cellRect(double price, int column) { return list->CellRect(rowOf(price), column); }
    QRect cancelIcon(double price, int column) {
        return CMouseOrderList::CancelIconRect(cellRect(price, column), column == 0 ? 0 : 1);
    }
    QImage paint() { return list->grab().toImage(); }
    // A rectangle of the cell viewport in the ladder's own coordinates.
    QRect inLadder(const QRect& area) { return area.translated(list->viewport()->pos()); }
    QRect cell(double price, int column) { return inLadder(cellRect(price, column)); }
    // Just inside a cell's top-left corner: its fill, clear of text and grid.
    QRgb fillOf(const QImage& image, double price, int column) {
        const QRect area = cell(price, column);
        return image.pixel(area.left() + 2, area.top() + 2);
    }

    QWidget page;
    CKRMouselist* list = new CKRMouselist(&page);
};

TEST_F(LadderPaint, TextsAndFillsFollowTheReferenceLastPriceDayRangeAndBestQuote) {
    struct Probe {
        double price;
        int column;
        uint32_t fill;
        const char* what;
    };
    const Probe probes[] = {
        {kLast, 2, 0xD8FCFF, "last price"}, {3520, 2, 0xFFFFFF, "price in the day's range"},
        {3520, 1, 0xD8D8FF, "buy volume"},  {3520, 3, 0xCCEBCC, "sell volume"},
        {3512, 1, 0xE0E0FD, "best bid"},    {3513, 3, 0xD9FAD9, "best ask"},
    };
    const QImage image = paint();
    for (const Probe& probe : probes) {
        EXPECT_EQ(fillOf(image, probe.price, probe.column), Rgb(probe.fill)) << probe.what;
    }
    const QRect bid = cell(3512, 1);
    EXPECT_EQ(image.pixel(bid.right(), bid.center().y()), Rgb(0xC0C0C0)) << "grid";
    EXPECT_EQ(image.pixel(bid.center().x(), bid.bottom()), Rgb(0xC0C0C0));
    EXPECT_TRUE(Shows(image, cell(3520, 2), 0x0707EF)) << "above the reference: red";
    EXPECT_FALSE(Shows(image, cell(3520, 2), 0x058F08));
    EXPECT_TRUE(Shows(image, cell(3502, 2), 0x058F08)) << "below the reference: green";
    EXPECT_TRUE(Shows(image, cell(kReference, 2), 0x000000)) << "the reference row: black";
    ladder().ScrollRowToTop(rowOf(3545));
    const QImage outside = paint();
    EXPECT_EQ(fillOf(outside, 3540, 2), Rgb(0xE6E6E6)) << "outside the day's range";
    EXPECT_TRUE(Shows(outside, cell(3540, 2), 0x535353)) << "and its price greyed";
}

TEST_F(LadderPaint, PositionBarsShowProfitLossAndEvenOnTheSideOfThePosition) {
    const auto position = [](const char* direction, double price, double now) {
        Json::Value record;
        record["112"] = direction;
        record["136"] = price;
        record["NowPrice"] = now;
        return record;
    };
    ladder().SetPositions(
        {position("0", 3503, 3512), position("0", 3501, 3500), position("1", 3506.4, 3506.4)});
    const QImage image = paint();
    const auto barAt = [&](double price, int column) {
        const QRect volume = cell(price, column);
        return image.pixel(volume.right() - 3, volume.center().y());
    };
    EXPECT_EQ(barAt(3503, 1), Rgb(0x2122C6)) << "long below the market: profit, red";
    EXPECT_EQ(barAt(3501, 1), Rgb(0x307100)) << "long above the market: loss, green";
    EXPECT_EQ(barAt(3506, 3), Rgb(0x808080)) << "a short marks the sell-volume column";
}

TEST_F(LadderPaint, OrderCellsAreFramedWithTheSkinsCancelIcon) {
    const QPixmap skin(QStringLiteral("Skins/Default/Trade/close_order.png"));
    ASSERT_FALSE(skin.isNull()) << "the build copies the skin into the run layout";
    EXPECT_EQ(LadderAssets::CancelIcon().toImage(), skin.toImage());
    const QImage image = paint();
    const QRect buy = cell(3505, 0);
    EXPECT_TRUE(Shows(image, QRect(buy.left() + 1, buy.top() + 1, buy.width() - 2, 1), 0x626262));
    const QRect icon = inLadder(cancelIcon(3505, 0));
    EXPECT_EQ(icon.left(), buy.left() + 3) << "buy icons stand at the left edge";
    EXPECT_TRUE(qRed(image.pixel(icon.center())) > 0xC0 &&
                qGreen(image.pixel(icon.left() + 3, icon.top() + 3)) < 0x80);
    EXPECT_EQ(cancelIcon(3518, 4).right(), cellRect(3518, 4).right() - 3) << "sell icons at the right";
    EXPECT_FALSE(Shows(image, cell(3506, 0).adjusted(0, 0, -1, -1), 0x626262));
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
    ladder().SetBestQuote({.askPrice = 3513,
                           .askVolume = 10,
                           .bidPrice = 3512,
                           .bidVolume = 30,
                           .askLevels = {},
                           .bidLevels = {}});
    EXPECT_EQ(shareAt(0.70), Rgb(0x2122C6));
    EXPECT_EQ(shareAt(0.80), Rgb(0x028A08));
}

TEST_F(LadderPaint, HoverFramesThePriceCellInTheSideColourAndTheIconInOrange) {
    QTest::mouseMove(ladder().viewport(), cellRect(3508, 1).center());
    const QRect price = cell(3508, 2);
    EXPECT_EQ(paint().pixel(price.center().x(), price.top()), Rgb(0x0001F3));
    QTest::mouseMove(ladder().viewport(), cellRect(3508, 3).center());
    EXPECT_EQ(paint().pixel(price.center().x(), price.top()), Rgb(0x018F00));
    QTest::mouseMove(ladder().viewport(), cancelIcon(3505, 0).center());
    const QRect frame = inLadder(cancelIcon(3505, 0).adjusted(-1, -1, 1, 1));
    EXPECT_EQ(paint().pixel(frame.left(), frame.center().y()), Rgb(0x018FFF));
    EXPECT_NE(paint().pixel(price.center().x(), price.top()), Rgb(0x018F00)) << "the old frame is gone";
}

}  // namespace
