// The ladder under real mouse events: which requests reach its owner.

#include <gtest/gtest.h>

#include "support/WaitUntil.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include "LadderScene.h"
#include "ladder/CListEdit.h"
#include "ladder/LadderAssets.h"
#include "ladder/QuickMouseMessages.h"

namespace {

using Request = LadderOwner::Request;

class LadderMouse : public LadderSceneTest {
protected:
    QWidget* cells() { return ladder().viewport(); }
    QPoint at(double price, int column) { return cellRect(price, column).center(); }
    QPoint iconAt(double price, int column) { return cancelIcon(price, column).center(); }
    void drag(QPoint from, QPoint to) {
        QTest::mousePress(cells(), Qt::LeftButton, {}, from);
        QTest::mouseMove(cells(), to);
        QTest::mouseRelease(cells(), Qt::LeftButton, {}, to);
    }
    std::vector<Request> sent(Win::UINT message) const { return owner.Sent(message); }
};

TEST_F(LadderMouse, AClickOnAVolumeColumnPlacesAtThatRowsPriceAndElsewhereNothing) {
    QTest::mouseClick(cells(), Qt::LeftButton, {}, at(3507, 1));
    QTest::mouseClick(cells(), Qt::LeftButton, {}, at(3516, 3));
    QTest::mouseClick(cells(), Qt::LeftButton, {}, at(3509, 2));
    QTest::mouseClick(cells(), Qt::LeftButton, {}, at(3509, 0));
    // Placed from code: a limit price instead of the row's; nothing from the price column or
    // beyond the ladder.
    ladder().PlaceOrder(0, 1, 1);
    ladder().PlaceOrder(0, 3, -1);
    ladder().PlaceOrder(rowOf(3510), 2, 0);
    ladder().PlaceOrder(9999, 1, 0);
    const auto places = sent(QuickMouseMsg::kPlaceOrder);
    ASSERT_EQ(places.size(), 4u);
    EXPECT_EQ(owner.requests.size(), 4u);
    const std::pair<const char*, Win::LPARAM> expected[] = {
        {"3507", '0'}, {"3516", '1'}, {"3700", '0'}, {"3300", '1'}};
    for (size_t i = 0; i < places.size(); ++i) {
        EXPECT_EQ(places[i].text, QString::fromUtf8(expected[i].first)) << i;
        EXPECT_EQ(places[i].direction, expected[i].second) << i;
    }
}

TEST_F(LadderMouse, TheCancelIconCancelsEveryOrderOfItsCellOnce) {
    QTest::mouseClick(cells(), Qt::LeftButton, {}, iconAt(3505, 0));
    const auto cancels = sent(QuickMouseMsg::kCancelOrder);
    ASSERT_EQ(cancels.size(), 2u);
    EXPECT_EQ(cancels[0].text, QStringLiteral("B-1"));
    EXPECT_EQ(cancels[1].text, QStringLiteral("B-2"));
    EXPECT_EQ(cancels[0].direction, 48);
    EXPECT_TRUE(ladder().GetCellText(rowOf(3505), 0).isEmpty());
    EXPECT_TRUE(ladder().Texts().HeaderText(0).isEmpty());
}

TEST_F(LadderMouse, ADraggedOrderMovesOnItsOwnSideAndIsCancelledOnTheOtherOrOutsideTheLadder) {
    drag(at(3518, 4), at(3521, 3));
    const auto moves = sent(QuickMouseMsg::kMoveOrder);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].text, QStringLiteral("S-1"));
    EXPECT_EQ(moves[0].targetPrice, QStringLiteral("3521"));
    EXPECT_TRUE(sent(QuickMouseMsg::kPlaceOrder).empty()) << "a move onto a volume column places nothing";
    drag(at(3518, 4), at(3521, 1));
    auto cancels = sent(QuickMouseMsg::kCancelOrder);
    ASSERT_EQ(cancels.size(), 1u) << "the buy-volume column is no target for a sell order";
    EXPECT_EQ(cancels[0].text, QStringLiteral("S-1"));
    drag(at(3505, 0), QPoint(-30, 40));
    EXPECT_EQ(sent(QuickMouseMsg::kCancelOrder).size(), 3u);
    EXPECT_EQ(sent(QuickMouseMsg::kMoveOrder).size(), 1u);
    EXPECT_FALSE(ladder().Model().Groups().Count());
}

TEST_F(LadderMouse, TheCursorTellsMoveFromCancelDuringADrag) {
    const QImage move = LadderAssets::LoadCursor(LadderAssets::kMoveCursor).pixmap().toImage();
    const QImage cancel = LadderAssets::LoadCursor(LadderAssets::kCancelCursor).pixmap().toImage();
    ASSERT_FALSE(move.isNull());
    ASSERT_NE(move, cancel);
    QTest::mousePress(cells(), Qt::LeftButton, {}, at(3505, 0));
    QTest::mouseMove(cells(), at(3509, 1));
    EXPECT_EQ(cells()->cursor().pixmap().toImage(), move);
    QTest::mouseMove(cells(), at(3509, 3));
    EXPECT_EQ(cells()->cursor().pixmap().toImage(), cancel);
    QTest::mouseRelease(cells(), Qt::LeftButton, {}, at(3509, 3));
    EXPECT_EQ(cells()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(LadderMouse, ReleasingOnThePressedCellEditsTheGroupsVolume) {
    QApplication::setActiveWindow(&owner);
    QTest::mouseClick(cells(), Qt::LeftButton, {}, at(3505, 0));
    CListEdit* editor = ladder().Editor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->text(), QStringLiteral("3"));
    EXPECT_EQ(editor->cursorPosition(), 1);
    EXPECT_GT(editor->geometry().left(), cancelIcon(3505, 0).right()) << "the editor leaves the icon free";
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClicks(editor, QStringLiteral("7"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EVENTUALLY_EQ(sent(QuickMouseMsg::kChangeVolume).size(), 1u);
    const Request change = sent(QuickMouseMsg::kChangeVolume)[0];
    EXPECT_EQ(change.text, QStringLiteral("7"));
    EXPECT_EQ(change.ids, (std::vector<QString>{QStringLiteral("B-1"), QStringLiteral("B-2")}));
}

TEST_F(LadderMouse, ScrollingEndsTheEdit) {
    QApplication::setActiveWindow(&owner);
    QTest::mouseClick(cells(), Qt::LeftButton, {}, at(3518, 4));
    ASSERT_TRUE(ladder().Editor()->isVisible());
    ladder().verticalScrollBar()->setValue(ladder().TopIndex() + 3);
    EXPECT_FALSE(ladder().Editor()->isVisible());
    EXPECT_EVENTUALLY_EQ(sent(QuickMouseMsg::kChangeVolume).size(), 1u);
}

TEST_F(LadderMouse, ADoubleClickOnAnOrderCellCancelsItsGroupWithoutAnEdit) {
    QApplication::setActiveWindow(&owner);
    QTest::mouseClick(cells(), Qt::LeftButton, {}, at(3505, 0));
    // The second click goes where a real one would: to the editor the first click opened.
    QWidget* under = cells()->childAt(at(3505, 0));
    ASSERT_EQ(under, ladder().Editor());
    QTest::mouseDClick(under, Qt::LeftButton, {}, under->mapFrom(cells(), at(3505, 0)));
    EXPECT_EQ(sent(QuickMouseMsg::kCancelOrder).size(), 2u);
    EXPECT_FALSE(ladder().Editor()->isVisible());
    QApplication::processEvents();
    EXPECT_TRUE(sent(QuickMouseMsg::kChangeVolume).empty());
}

class LadderHeaderMouse : public LadderMouse {
protected:
    QWidget* header() { return &ladder().Header(); }
    QPoint lowerLine(int column) { return ladder().Header().ColumnRect(column, true).center(); }
    QPoint headerIcon(int column) { return ladder().HeaderIconRect(column).center(); }
};

TEST_F(LadderHeaderMouse, TheHeaderIconCancelsTheWholeSide) {
    ladder().AddWorkingOrder({QStringLiteral("B-3"), 0, 3507, 4});
    QTest::mouseClick(header(), Qt::LeftButton, {}, headerIcon(0));
    const auto cancels = sent(QuickMouseMsg::kCancelOrder);
    ASSERT_EQ(cancels.size(), 3u);
    EXPECT_EQ(ladder().Model().Groups().Count(), 1) << "the sell order stays";
    EXPECT_TRUE(ladder().HeaderIconRect(0).isEmpty());
}

TEST_F(LadderHeaderMouse, DraggingFromTheHeaderMovesTheSideOrCancelsIt) {
    const QPoint drop = at(3508, 2) + ladder().viewport()->pos();
    QTest::mousePress(header(), Qt::LeftButton, {}, lowerLine(0));
    QTest::mouseMove(header(), drop);
    QTest::mouseRelease(header(), Qt::LeftButton, {}, drop);
    const auto moves = sent(QuickMouseMsg::kMoveOrder);
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0].targetPrice, QStringLiteral("3508"));
    QTest::mousePress(header(), Qt::LeftButton, {}, lowerLine(4));
    QTest::mouseRelease(header(), Qt::LeftButton, {}, QPoint(500, 300));
    EXPECT_EQ(sent(QuickMouseMsg::kCancelOrder).size(), 1u);
}

}  // namespace
