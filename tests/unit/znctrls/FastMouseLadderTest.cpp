// The stock ladder: its rows between the day's limits, and what the trader's gestures ask of
// its owner.

#include <gtest/gtest.h>

#include <json/value.h>

#include <QCoreApplication>
#include <QImage>
#include <QTest>

#include "CFastMouseOrderList2.h"

namespace {

using Model = FastMouseLadderModel;

// 600000 on a day with reference 7.50: limits 8.25 and 6.75, a row a cent.
Model::Depth BookAround(double bid, double ask) {
    Model::Depth depth;
    for (int i = 0; i < Model::kLevels; ++i) {
        depth.bids[i] = {bid - 0.01 * i, 1000 + 100 * i};
        depth.asks[i] = {ask + 0.01 * i, 2000 + 100 * i};
    }
    return depth;
}

TEST(StockLadderRows, OneRowPerTickFromTheUpperLimitDownAndNothingOutsideTheDay) {
    Model model;
    ASSERT_TRUE(model.Build(6.75, 8.25, 0.01, 2, 7.50));
    EXPECT_EQ(model.RowCount(), 151);
    EXPECT_EQ(model.PriceText(0), "8.25");
    EXPECT_EQ(model.PriceText(150), "6.75");
    EXPECT_EQ(model.RowOf(7.50), 75);
    EXPECT_EQ(model.ReferenceRow(), 75);
    EXPECT_EQ(model.RowOf(7.4999999), 75) << "a price read back from binary lands on its tick";
    EXPECT_EQ(model.RowOf(8.26), -1);
    EXPECT_EQ(model.RowOf(6.74), -1);
    EXPECT_TRUE(model.PriceText(151).isEmpty());

    for (auto [lower, upper, tick] :
         {std::tuple{6.75, 8.25, 0.0}, {8.25, 6.75, 0.01}, {0.01, 99999.0, 0.0001}}) {
        EXPECT_FALSE(model.Build(lower, upper, tick, 2, 7.5)) << lower << " " << upper << " " << tick;
        EXPECT_EQ(model.RowCount(), 0);
        EXPECT_EQ(model.RowOf(7.5), -1);
    }
}

TEST(StockLadderRows, UpdatesNameEveryRowWhoseLookChangedAndOrdersAddUpBySide) {
    Model model;
    model.Build(6.75, 8.25, 0.01, 2, 7.50);
    std::vector<int> changed;
    model.SetDepth(BookAround(7.50, 7.51), changed);
    EXPECT_EQ(model.BestRow(Model::kBuySide), 75);
    EXPECT_EQ(model.BestRow(Model::kSellSide), 74);
    EXPECT_EQ(model.DepthAt(76, Model::kBuySide), 1100);
    EXPECT_EQ(model.LevelAt(70, Model::kSellSide), 4);
    EXPECT_EQ(model.DepthAt(76, Model::kSellSide), 0);

    // The book moves up a tick: the rows left and the rows reached.
    changed.clear();
    model.SetDepth(BookAround(7.51, 7.52), changed);
    for (int row : {79, 74, 70, 69}) {
        EXPECT_NE(std::find(changed.begin(), changed.end(), row), changed.end()) << row;
    }
    changed.clear();
    model.SetDepth(BookAround(7.51, 7.52), changed);
    EXPECT_TRUE(changed.empty());

    changed.clear();
    model.SetOrders({{7.40, Model::kBuySide, 100},
                     {7.40, Model::kBuySide, 200},
                     {7.60, Model::kSellSide, 300},
                     {9.00, Model::kSellSide, 100}},
                    changed);
    EXPECT_EQ(model.OrdersAt(85, Model::kBuySide), 300);
    EXPECT_EQ(model.OrdersAt(65, Model::kSellSide), 300);
    EXPECT_EQ(model.OrdersAt(85, Model::kSellSide), 0);
    changed.clear();
    model.SetOrders({{7.60, Model::kSellSide, 300}}, changed);
    EXPECT_EQ(changed, std::vector<int>{85});
    EXPECT_FALSE(model.HasOrders(Model::kBuySide));
}

// The ladder inside an owner that records the requests it is posted.
class Owner : public QWidget, public Win::MessageWindow {
public:
    struct Request {
        Win::WPARAM code;
        Json::Value payload;
    };
    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override {
        if (message == CFastMouseOrderList2::kRequestMessage) {
            const Json::Value* payload = Win::PayloadValue<Json::Value>(static_cast<uintptr_t>(lParam));
            requests.push_back({wParam, payload ? *payload : Json::Value()});
        }
        return 1;
    }
    std::vector<Request> requests;
};

class StockLadder : public ::testing::Test {
protected:
    void SetUp() override {
        owner.resize(420, 500);
        ladder = new CFastMouseOrderList2(&owner);
        ladder->setGeometry(owner.rect());
        ladder->SetColumn();
        ASSERT_TRUE(ladder->SetPriceRange(6.75, 8.25, 0.01, 2, 7.50));
        ladder->SetDepth(BookAround(7.50, 7.51));
        ladder->SetOrders({{7.45, Model::kBuySide, 200}, {7.56, Model::kSellSide, 500}});
        ladder->SetLastPrice(7.50);
        owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
        ladder->SetNewPriceHCentre();
    }
    QWidget* cells() { return ladder->viewport(); }
    QPoint At(double price, int column) {
        return ladder->CellRect(ladder->Model().RowOf(price), column).center();
    }
    std::vector<Owner::Request> Requests() {
        QCoreApplication::sendPostedEvents();
        return std::exchange(owner.requests, {});
    }
    static std::string Text(const Json::Value& payload, const char* key) { return payload[key].asString(); }

    Owner owner;
    CFastMouseOrderList2* ladder = nullptr;
};

TEST_F(StockLadder, ClicksPlaceDoubleClicksCancelAndDragsMoveAndTheirNearMissesAskNothing) {
    using L = CFastMouseOrderList2;
    QTest::mouseClick(cells(), Qt::LeftButton, {}, At(7.49, L::kBuyColumn));
    QTest::mouseClick(cells(), Qt::LeftButton, {}, At(7.53, L::kSellColumn));
    // A double click as the window system delivers it: press, release, double click, release.
    const QPoint twice = At(7.48, L::kBuyColumn);
    QTest::mouseClick(cells(), Qt::LeftButton, {}, twice);
    QTest::mouseDClick(cells(), Qt::LeftButton, {}, twice);
    QTest::mouseRelease(cells(), Qt::LeftButton, {}, twice);
    // No order from the price column, an empty order cell, or a press let go on another row.
    QTest::mouseClick(cells(), Qt::LeftButton, {}, At(7.49, L::kPriceColumn));
    QTest::mouseClick(cells(), Qt::LeftButton, {}, At(7.49, L::kBuyOrderColumn));
    QTest::mousePress(cells(), Qt::LeftButton, {}, At(7.47, L::kBuyColumn));
    QTest::mouseRelease(cells(), Qt::LeftButton, {}, At(7.40, L::kBuyColumn));

    QTest::mouseDClick(cells(), Qt::LeftButton, {}, At(7.56, L::kSellOrderColumn));
    QTest::mouseDClick(cells(), Qt::LeftButton, {}, At(7.46, L::kBuyOrderColumn));
    QTest::mouseDClick(&ladder->HeaderWidget(), Qt::LeftButton, {},
                       ladder->HeaderCellRect(L::kBuyColumn).center());
    QTest::mouseDClick(&ladder->HeaderWidget(), Qt::LeftButton, {},
                       ladder->HeaderCellRect(L::kPriceColumn).center());

    const auto drag = [&](QPoint from, QPoint to) {
        QTest::mousePress(cells(), Qt::LeftButton, {}, from);
        QTest::mouseMove(cells(), from + QPoint(0, 8));
        QTest::mouseMove(cells(), to);
        QTest::mouseRelease(cells(), Qt::LeftButton, {}, to);
    };
    drag(At(7.45, L::kBuyOrderColumn), At(7.42, L::kBuyOrderColumn));
    drag(At(7.56, L::kSellOrderColumn), At(7.56, L::kSellOrderColumn) + QPoint(12, 0));

    const auto requests = Requests();
    ASSERT_EQ(requests.size(), 6u);
    const std::tuple<Win::WPARAM, const char*, const char*> expected[] = {
        {L::kPlaceOrder, "PriceNow", "7.49"}, {L::kPlaceOrder, "PriceNow", "7.53"},
        {L::kPlaceOrder, "PriceNow", "7.48"}, {L::kCancelAtPrice, "Price", "7.56"},
        {L::kCancelSide, "Price", ""},        {L::kMoveOrders, "PriceNow", "7.42"}};
    const char* sides[] = {"0", "1", "0", "1", "0", "0"};
    for (size_t i = 0; i < requests.size(); ++i) {
        EXPECT_EQ(requests[i].code, std::get<0>(expected[i])) << i;
        EXPECT_EQ(Text(requests[i].payload, std::get<1>(expected[i])), std::get<2>(expected[i])) << i;
        EXPECT_EQ(Text(requests[i].payload, "112"), sides[i]) << i;
    }
    EXPECT_FALSE(requests[4].payload.isMember("Price"));
    EXPECT_EQ(Text(requests[5].payload, "PriceOld"), "7.45");
}

TEST_F(StockLadder, KeepingTheLastPriceCentredWaitsWhileThePointerIsOnTheRows) {
    ladder->SetNowPriceHCentreParam(true);
    const int top = ladder->TopRow();
    cells()->setAttribute(Qt::WA_UnderMouse, true);
    ladder->SetLastPrice(8.10);
    EXPECT_EQ(ladder->TopRow(), top) << "the rows slid under the pointer";
    cells()->setAttribute(Qt::WA_UnderMouse, false);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(cells(), &leave);
    const int row = ladder->Model().RowOf(8.10);
    EXPECT_EQ(ladder->TopRow(), row - ladder->RowsPerPage() / 2);
}

TEST_F(StockLadder, InSweepModeHoveringTheBuyColumnShadesTheAsksABuyThereWouldTake) {
    ladder->ModifyColumn(CFastMouseOrderList2::kBuyColumn, QStringLiteral("融买"));
    ladder->ModifyColumn(7, QStringLiteral("x"));
    EXPECT_EQ(ladder->ColumnTitle(CFastMouseOrderList2::kBuyColumn), QStringLiteral("融买"));
    EXPECT_EQ(ladder->ColumnTitle(CFastMouseOrderList2::kSellColumn), QStringLiteral("普卖"));

    const auto priceCellColour = [&](double price) {
        QImage image(cells()->size(), QImage::Format_RGB32);
        cells()->render(&image);
        const QRect cell = ladder->CellRect(ladder->Model().RowOf(price), CFastMouseOrderList2::kPriceColumn);
        return image.pixelColor(cell.left() + 3, cell.top() + 3);
    };
    ladder->SetOrderVolParam(0, 300, 100);
    QTest::mouseMove(cells(), At(7.53, CFastMouseOrderList2::kBuyColumn));
    EXPECT_EQ(priceCellColour(7.52), QColor(Qt::white)) << "no shading in price-click mode";
    ladder->SetSweepOrderTypeParam(true);
    const QColor band = priceCellColour(7.52);
    EXPECT_NE(band, QColor(Qt::white));
    EXPECT_EQ(priceCellColour(7.51), band) << "the best ask is taken";
    EXPECT_EQ(priceCellColour(7.53), band) << "so is the hovered price";
    EXPECT_EQ(priceCellColour(7.54), QColor(Qt::white));
    EXPECT_EQ(priceCellColour(7.49), QColor(Qt::white));
}

}  // namespace
