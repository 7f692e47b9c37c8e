// The ladder's gestures as decisions, without pixels: what each press, drag and release asks for.

#include <gtest/gtest.h>

#include "quickmouse/LadderGestures.h"

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
    Actions dragSellTo(const LadderHit& drop) {
        EXPECT_TRUE(gestures.Press(LadderHit::Cell(20, 4)));
        return gestures.Release(drop, kSingleClick);
    }

    LadderColumns columns;
    WorkingOrderGroups groups;
    LadderGestures gestures{columns, groups};
};

TEST_F(Gestures, SellOrderDragMatrix) {
    const LadderAction cancel{Kind::CancelGroup, 20, 4, 1};
    const auto moveTo = [](int row) { return LadderAction{Kind::MoveGroup, 20, 4, 1, row}; };
    EXPECT_EQ(dragSellTo(LadderHit::Cell(25, 3)), Actions{moveTo(25)}) << "sell volume";
    EXPECT_EQ(dragSellTo(LadderHit::Cell(25, 4)), Actions{moveTo(25)}) << "sell orders";
    EXPECT_EQ(dragSellTo(LadderHit::Cell(25, 2)), Actions{moveTo(25)}) << "price";
    EXPECT_EQ(dragSellTo(LadderHit::Cell(20, 3)), Actions{moveTo(20)}) << "same row, other target column";
    EXPECT_EQ(dragSellTo(LadderHit::Cell(25, 1)), Actions{cancel}) << "buy volume";
    EXPECT_EQ(dragSellTo(LadderHit::Cell(25, 0)), Actions{cancel}) << "buy orders";
    EXPECT_EQ(dragSellTo(LadderHit::Cell(25, -1)), Actions{cancel}) << "right of the last column";
    EXPECT_EQ(dragSellTo(LadderHit::Cell(-1, 3)), Actions{cancel}) << "below the last row";
    EXPECT_EQ(dragSellTo(LadderHit::Header(3)), Actions{cancel});
    EXPECT_EQ(dragSellTo(LadderHit::Outside()), Actions{cancel});
    EXPECT_EQ(dragSellTo(LadderHit::Cell(20, 4)), (Actions{{Kind::OpenEditor, 20, 4, 1}}))
        << "the pressed cell";
    EXPECT_EQ(dragSellTo(LadderHit::Cell(20, 4, true)), (Actions{{Kind::OpenEditor, 20, 4, 1}}));
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

TEST_F(Gestures, OnlyAPlainClickOnAVolumeColumnPlacesAndOnlyInSingleClickMode) {
    EXPECT_FALSE(gestures.Press(LadderHit::Cell(15, 1)));
    EXPECT_EQ(gestures.Release(LadderHit::Cell(15, 1), kSingleClick),
              (Actions{{Kind::PlaceOrder, 15, 1, 0}}));
    gestures.Press(LadderHit::Cell(15, 3));
    EXPECT_EQ(gestures.Release(LadderHit::Cell(16, 3), kSingleClick), (Actions{{Kind::PlaceOrder, 16, 3, 1}}))
        << "the row let go on";
    gestures.Press(LadderHit::Cell(15, 1));
    EXPECT_TRUE(gestures.Release(LadderHit::Cell(15, 1), kDoubleClick).empty());
    gestures.Press(LadderHit::Cell(15, 2));
    EXPECT_TRUE(gestures.Release(LadderHit::Cell(15, 2), kSingleClick).empty()) << "price column";
    gestures.Press(LadderHit::Cell(15, 1));
    EXPECT_TRUE(gestures.Release(LadderHit::Cell(-1, 1), kSingleClick).empty()) << "no row";
    EXPECT_EQ(dragSellTo(LadderHit::Cell(25, 3)).size(), 1u) << "a move places nothing besides";
}

TEST_F(Gestures, PressesOnCellsWithoutAGroupStartNothing) {
    EXPECT_FALSE(gestures.Press(LadderHit::Cell(11, 0)));
    EXPECT_FALSE(gestures.Press(LadderHit::Cell(10, 4))) << "the buy group is on the other side";
    EXPECT_FALSE(gestures.Dragging());
    EXPECT_TRUE(gestures.Release(LadderHit::Cell(11, 0), kSingleClick).empty());
}

TEST_F(Gestures, TheCancelIconCancelsWhenLetGoOnTheSameIcon) {
    EXPECT_FALSE(gestures.Press(LadderHit::Cell(10, 0, true))) << "an icon press captures nothing";
    EXPECT_EQ(gestures.Release(LadderHit::Cell(10, 0, true), kSingleClick),
              (Actions{{Kind::CancelGroup, 10, 0, 0}}));
    gestures.Press(LadderHit::Cell(10, 0, true));
    EXPECT_TRUE(gestures.Release(LadderHit::Cell(10, 0, false), kSingleClick).empty());
    gestures.Press(LadderHit::Cell(10, 0, true));
    EXPECT_TRUE(gestures.Release(LadderHit::Cell(20, 4, true), kSingleClick).empty());
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

TEST_F(Gestures, HeaderIconCancelsTheSideWhenPressedAndReleasedOnIt) {
    EXPECT_FALSE(gestures.HeaderPress(4, true, true));
    EXPECT_EQ(gestures.HeaderRelease(4, true, true, LadderHit::Header(4)),
              (Actions{{Kind::CancelSide, -1, 4, 1}}));
    gestures.HeaderPress(4, true, true);
    EXPECT_TRUE(gestures.HeaderRelease(3, true, false, LadderHit::Header(3)).empty());
}

TEST_F(Gestures, HeaderDragMovesTheSideToAValidRowOrCancelsIt) {
    ASSERT_TRUE(gestures.HeaderPress(0, true, false));
    EXPECT_EQ(gestures.CursorAt(LadderHit::Cell(30, 2)), LadderCursor::Move);
    EXPECT_EQ(gestures.HeaderRelease(2, true, false, LadderHit::Cell(30, 2)),
              (Actions{{Kind::MoveSide, -1, 0, 0, 30}}));
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

TEST_F(Gestures, HeaderActsOnlyInTheLowerLineOfAnOrderColumn) {
    EXPECT_FALSE(gestures.HeaderPress(0, false, false));
    EXPECT_FALSE(gestures.HeaderPress(2, true, false));
    EXPECT_FALSE(gestures.Dragging());
    EXPECT_TRUE(gestures.HeaderDoubleClick(0, false).empty());
    EXPECT_TRUE(gestures.HeaderDoubleClick(1, true).empty());
    EXPECT_EQ(gestures.HeaderDoubleClick(0, true), (Actions{{Kind::CancelSide, -1, 0, 0}}));
}

}  // namespace
