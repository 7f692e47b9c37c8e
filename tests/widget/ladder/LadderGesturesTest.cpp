// The ladder's gestures as decisions, without pixels: what each press, drag and release asks for.

#include <gtest/gtest.h>

#include "ladder/LadderGestures.h"
#include "ladder/PointerRest.h"

namespace {

using Kind = LadderAction::Kind;
using Actions = std::vector<LadderAction>;

// Futures columns: 0 buy orders, 1 buy volume, 2 price, 3 sell volume, 4 sell orders. A buy
// group at row 10 and a sell group at row 20.
class Gestures : public ::testing::Test {
protected:
    void SetUp() override {
        groups.Add({QStringLiteral("B"), 0, 0, 1}, 10);
        groups.Add({QStringLiteral("S"), 1, 0, 2}, 20);
    }

    LadderColumns columns;
    WorkingOrderGroups groups;
    LadderGestures gestures{columns, groups};
};

TEST_F(Gestures, EachPressAndReleaseOnTheCellsAsksForWhatTheyMean) {
    using H = LadderHit;
    const Actions cancelSell{{Kind::CancelGroup, 20, 4, 1}};
    const Actions editSell{{Kind::OpenEditor, 20, 4, 1}};
    const auto moveSell = [](int row) { return Actions{{Kind::MoveGroup, 20, 4, 1, row}}; };
    const auto place = [](int row, int column, int side) {
        return Actions{{Kind::PlaceOrder, row, column, side}};
    };
    struct Case {
        LadderHit press, release;
        LadderTrigger mode;
        bool captures;
        Actions expected;
        const char* what;
    };
    const Case cases[] = {
        {H::Cell(20, 4), H::Cell(25, 3), kSingleClick, true, moveSell(25), "sell order to sell volume"},
        {H::Cell(20, 4), H::Cell(25, 2), kSingleClick, true, moveSell(25), "sell order to price"},
        {H::Cell(20, 4), H::Cell(25, 1), kSingleClick, true, cancelSell, "sell order to buy volume"},
        {H::Cell(20, 4), H::Cell(25, -1), kSingleClick, true, cancelSell, "right of the last column"},
        {H::Cell(20, 4), H::Cell(-1, 3), kSingleClick, true, cancelSell, "below the last row"},
        {H::Cell(20, 4), H::Outside(), kSingleClick, true, cancelSell, "outside"},
        {H::Cell(20, 4), H::Cell(20, 4), kSingleClick, true, editSell, "the pressed cell"},
        {H::Cell(20, 4), H::Cell(20, 4, true), kSingleClick, true, editSell, "the pressed cell's icon"},
        {H::Cell(15, 1), H::Cell(15, 1), kSingleClick, false, place(15, 1, 0), "click on buy volume"},
        {H::Cell(15, 3), H::Cell(16, 3), kSingleClick, false, place(16, 3, 1), "the row let go on"},
        {H::Cell(15, 1), H::Cell(15, 1), kDoubleClick, false, {}, "double-click mode"},
        {H::Cell(15, 2), H::Cell(15, 2), kSingleClick, false, {}, "price column"},
        {H::Cell(15, 1), H::Cell(-1, 1), kSingleClick, false, {}, "no row"},
        {H::Cell(11, 0), H::Cell(11, 0), kSingleClick, false, {}, "order column without a group"},
        {H::Cell(10, 4), H::Cell(10, 4), kSingleClick, false, {}, "the buy group is on the other side"},
        {H::Cell(10, 0, true),
         H::Cell(10, 0, true),
         kSingleClick,
         false,
         {{Kind::CancelGroup, 10, 0, 0}},
         "cancel icon"},
        {H::Cell(10, 0, true), H::Cell(10, 0), kSingleClick, false, {}, "icon pressed, let go beside it"},
        {H::Cell(10, 0, true), H::Cell(20, 4, true), kSingleClick, false, {}, "another icon let go on"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(gestures.Press(c.press), c.captures);
        EXPECT_EQ(gestures.Release(c.release, c.mode), c.expected);
        EXPECT_FALSE(gestures.Dragging());
    }
}

TEST_F(Gestures, BuyOrdersDropOnTheBuySideAndTheFirstExtraColumn) {
    columns.firstExtra = 5;
    columns.secondExtra = 6;
    ASSERT_TRUE(gestures.Press(LadderHit::Cell(10, 0)));
    EXPECT_EQ(gestures.Release(LadderHit::Cell(12, 5), kSingleClick),
              (Actions{{Kind::MoveGroup, 10, 0, 0, 12}}));
    ASSERT_TRUE(gestures.Press(LadderHit::Cell(10, 0)));
    EXPECT_EQ(gestures.Release(LadderHit::Cell(12, 6), kSingleClick),
              (Actions{{Kind::CancelGroup, 10, 0, 0}}));
}

TEST_F(Gestures, DoubleClicksPlaceInDoubleClickModeAndCancelOnOrderCells) {
    EXPECT_EQ(gestures.DoubleClick(LadderHit::Cell(15, 3), kDoubleClick),
              (Actions{{Kind::PlaceOrder, 15, 3, 1}}));
    EXPECT_TRUE(gestures.DoubleClick(LadderHit::Cell(15, 3), kSingleClick).empty());
    EXPECT_EQ(gestures.DoubleClick(LadderHit::Cell(20, 4), kSingleClick),
              (Actions{{Kind::CancelGroup, 20, 4, 1}}));
    EXPECT_TRUE(gestures.DoubleClick(LadderHit::Cell(21, 4), kSingleClick).empty());
    EXPECT_TRUE(gestures.DoubleClick(LadderHit::Cell(15, 2), kDoubleClick).empty());
    EXPECT_TRUE(gestures.DoubleClick(LadderHit::Header(1), kDoubleClick).empty());
}

TEST_F(Gestures, CursorsAndHover) {
    EXPECT_EQ(gestures.CursorAt(LadderHit::Cell(5, 1)), LadderCursor::Normal);
    EXPECT_EQ(gestures.HoverAt(LadderHit::Cell(5, 1)), (LadderHover{LadderHover::Kind::BuySide, 5, 1}));
    EXPECT_EQ(gestures.HoverAt(LadderHit::Cell(5, 4)), (LadderHover{LadderHover::Kind::SellSide, 5, 4}));
    EXPECT_EQ(gestures.HoverAt(LadderHit::Cell(5, 2)), LadderHover{});
    EXPECT_EQ(gestures.HoverAt(LadderHit::Cell(20, 4, true)),
              (LadderHover{LadderHover::Kind::CancelIcon, 20, 4}));
    EXPECT_EQ(gestures.HoverAt(LadderHit::Header(1)), LadderHover{});
    gestures.Press(LadderHit::Cell(10, 0));
    EXPECT_EQ(gestures.CursorAt(LadderHit::Cell(5, 1)), LadderCursor::Move);
    EXPECT_EQ(gestures.CursorAt(LadderHit::Cell(5, 2)), LadderCursor::Move);
    EXPECT_EQ(gestures.CursorAt(LadderHit::Cell(5, 3)), LadderCursor::Cancel);
    EXPECT_EQ(gestures.CursorAt(LadderHit::Cell(-1, 1)), LadderCursor::Cancel);
    EXPECT_EQ(gestures.CursorAt(LadderHit::Header(1)), LadderCursor::Cancel);
    EXPECT_EQ(gestures.CursorAt(LadderHit::Outside()), LadderCursor::Cancel);
    EXPECT_EQ(gestures.HoverAt(LadderHit::Cell(5, 1)), LadderHover{}) << "no hover frames during a drag";
    gestures.Reset();
    EXPECT_FALSE(gestures.Dragging());
    EXPECT_TRUE(gestures.Release(LadderHit::Outside(), kSingleClick).empty()) << "a lost drag does nothing";
}

TEST_F(Gestures, OnlyTheHeadersLowerLineActsItsIconCancelsTheSideAndADragMovesTheSideToAValidRowOrCancelsIt) {
    EXPECT_FALSE(gestures.HeaderPress(4, true, true));
    EXPECT_EQ(gestures.HeaderRelease(4, true, true, LadderHit::Header(4)),
              (Actions{{Kind::CancelSide, -1, 4, 1}}));
    gestures.HeaderPress(4, true, true);
    EXPECT_TRUE(gestures.HeaderRelease(3, true, false, LadderHit::Header(3)).empty());
    EXPECT_FALSE(gestures.HeaderPress(0, false, false));
    EXPECT_FALSE(gestures.HeaderPress(2, true, false));
    EXPECT_FALSE(gestures.Dragging());
    EXPECT_TRUE(gestures.HeaderDoubleClick(0, false).empty());
    EXPECT_TRUE(gestures.HeaderDoubleClick(1, true).empty());
    EXPECT_EQ(gestures.HeaderDoubleClick(0, true), (Actions{{Kind::CancelSide, -1, 0, 0}}));

    ASSERT_TRUE(gestures.HeaderPress(0, true, false));
    EXPECT_EQ(gestures.CursorAt(LadderHit::Cell(30, 2)), LadderCursor::Move);
    EXPECT_EQ(gestures.HeaderRelease(2, true, false, LadderHit::Cell(30, 2)),
              (Actions{{Kind::MoveGroup, 10, 0, 0, 30}}));
    gestures.HeaderPress(0, true, false);
    EXPECT_EQ(gestures.HeaderRelease(3, true, false, LadderHit::Cell(30, 3)),
              (Actions{{Kind::CancelSide, -1, 0, 0}}));
    gestures.HeaderPress(0, true, false);
    EXPECT_EQ(gestures.HeaderRelease(-1, false, false, LadderHit::Outside()),
              (Actions{{Kind::CancelSide, -1, 0, 0}}));
    gestures.HeaderPress(0, true, false);
    EXPECT_TRUE(gestures.HeaderRelease(1, true, false, LadderHit::Header(1)).empty())
        << "let go in the header";
}

TEST_F(Gestures, OrdersDroppedOnTheirOwnRowWereCancelledAndReEnteredAndNowStayAsTheyAre) {
    groups.Add({QStringLiteral("B2"), 0, 0, 4}, 12);
    // A cell drag let go on another target column of its row.
    for (int column : {1, 2}) {
        ASSERT_TRUE(gestures.Press(LadderHit::Cell(10, 0)));
        EXPECT_TRUE(gestures.Release(LadderHit::Cell(10, column), kSingleClick).empty()) << column;
    }
    // A header drag moves the side's other groups only.
    gestures.HeaderPress(0, true, false);
    EXPECT_EQ(gestures.HeaderRelease(2, true, false, LadderHit::Cell(12, 2)),
              (Actions{{Kind::MoveGroup, 10, 0, 0, 12}}));
}

TEST(PointerRest, BusyWhileMovingOverTheLadderUntilItLeavesOrRestsTwoSeconds) {
    PointerRest pointer;
    EXPECT_FALSE(pointer.Busy(0));
    pointer.Moved(1000);
    EXPECT_TRUE(pointer.Busy(2999));
    EXPECT_EQ(pointer.WaitLeft(2500), 500);
    EXPECT_FALSE(pointer.Busy(3000));
    EXPECT_EQ(pointer.WaitLeft(3000), 0);
    pointer.Moved(3500);
    pointer.Left();
    EXPECT_FALSE(pointer.Busy(3600));
}

}  // namespace
