// The ladder under real mouse events: which requests reach its owner. Clicks, double clicks and
// drags between order cells are followed through the futures window; here what only the ladder
// shows: its icons, the header, the cursors and the volume editor.

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
    QWidget* header() { return &ladder().Header(); }
    QPoint at(double price, int column) { return cellRect(price, column).center(); }
    std::vector<Request> sent(Win::UINT message) const { return owner.Sent(message); }
};

TEST_F(LadderMouse, AClickPlacesAtTheRowsPriceAndPlacingFromCodeAtTheLimitOfItsMode) {
    QTest::mouseClick(cells(), Qt::LeftButton, {}, at(3507, 1));
    QTest::mouseClick(cells(), Qt::LeftButton, {}, at(3516, 3));
    ladder().PlaceOrder(0, 1, 1);
    ladder().PlaceOrder(0, 3, -1);
    // Nothing from the price column or beyond the ladder.
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

TEST_F(LadderMouse, ACellsCancelIconCancelsEachOrderOfItsCellOnceAndTheHeadersIconTheWholeSide) {
    ladder().AddWorkingOrder({QStringLiteral("B-3"), 0, 3507, 4});
    QTest::mouseClick(cells(), Qt::LeftButton, {}, cancelIcon(3505, 0).center());
    auto cancels = sent(QuickMouseMsg::kCancelOrder);
    ASSERT_EQ(cancels.size(), 2u);
    EXPECT_EQ(cancels[0].text, QStringLiteral("B-1"));
    EXPECT_EQ(cancels[1].text, QStringLiteral("B-2"));
    EXPECT_EQ(cancels[0].direction, 48);
    EXPECT_TRUE(ladder().GetCellText(rowOf(3505), 0).isEmpty());
    EXPECT_EQ(ladder().Texts().HeaderText(0), QStringLiteral("4"));

    QTest::mouseClick(header(), Qt::LeftButton, {}, ladder().HeaderIconRect(0).center());
    cancels = sent(QuickMouseMsg::kCancelOrder);
    ASSERT_EQ(cancels.size(), 3u);
    EXPECT_EQ(cancels[2].text, QStringLiteral("B-3"));
    EXPECT_EQ(ladder().Model().Groups().Count(), 1) << "the sell order stays";
    EXPECT_TRUE(ladder().HeaderIconRect(0).isEmpty());
}

TEST_F(LadderMouse, DuringADragTheCursorTellsMoveFromCancelAndLettingGoOutsideCancels) {
    const QImage move = LadderAssets::LoadCursor(LadderAssets::kMoveCursor).pixmap().toImage();
    const QImage cancel = LadderAssets::LoadCursor(LadderAssets::kCancelCursor).pixmap().toImage();
    ASSERT_FALSE(move.isNull());
    ASSERT_NE(move, cancel);
    QTest::mousePress(cells(), Qt::LeftButton, {}, at(3505, 0));
    QTest::mouseMove(cells(), at(3509, 1));
    EXPECT_EQ(cells()->cursor().pixmap().toImage(), move);
    QTest::mouseMove(cells(), at(3509, 3));
    EXPECT_EQ(cells()->cursor().pixmap().toImage(), cancel);
    QTest::mouseMove(cells(), QPoint(-30, 40));
    QTest::mouseRelease(cells(), Qt::LeftButton, {}, QPoint(-30, 40));
    EXPECT_EQ(cells()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(sent(QuickMouseMsg::kCancelOrder).size(), 2u);
    EXPECT_TRUE(sent(QuickMouseMsg::kMoveOrder).empty());
}

TEST_F(LadderMouse, ReleasingOnThePressedCellEditsTheGroupsVolumeUntilReturnOrAScroll) {
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

    QTest::mouseClick(cells(), Qt::LeftButton, {}, at(3518, 4));
    ASSERT_TRUE(editor->isVisible());
    ladder().verticalScrollBar()->setValue(ladder().TopIndex() + 3);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EVENTUALLY_EQ(sent(QuickMouseMsg::kChangeVolume).size(), 2u);
    EXPECT_EQ(sent(QuickMouseMsg::kChangeVolume)[1].ids, std::vector<QString>{QStringLiteral("S-1")});
}

TEST_F(LadderMouse, DraggingFromTheHeaderMovesTheSideOrCancelsIt) {
    const QPoint drop = at(3508, 2) + ladder().viewport()->pos();
    const auto lowerLine = [&](int column) { return ladder().Header().ColumnRect(column, true).center(); };
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
