// The T-shaped option board control: ticking by mouse and keyboard, the order of the ticks, the
// month choice, the columns' widths and what a ticked or marked cell looks like.

#include <gtest/gtest.h>

#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "COptListTradeBatch.h"

namespace {

using CellRef = COptListTradeBatch::CellRef;

class OptionBoardListTest : public ::testing::Test {
protected:
    void SetUp() override {
        board.SetColumns({{"认购买", 76}, {"认购卖", 76}, {"行权价", 120}, {"认沽买", 76}, {"认沽卖", 76}},
                         2);
        board.SetRowCount(40);
        board.resize(600, 300);
        board.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&board));
    }

    void Click(CellRef cell) {
        board.CentreRow(cell.row);
        QTest::mouseClick(board.viewport(), Qt::LeftButton, {}, board.CellRect(cell).center());
    }

    COptListTradeBatch board;
};

TEST_F(OptionBoardListTest, TicksKeepTheOrderTheyWereMadeInAndASecondClickUnticks) {
    QSignalSpy changed(&board, &COptListTradeBatch::ticksChanged);
    Click({5, 1});
    Click({30, 3});
    Click({5, 0});
    Click({12, 2});  // the strike column takes no tick
    EXPECT_EQ(board.Ticks(), (std::vector<CellRef>{{5, 1}, {30, 3}, {5, 0}}));
    Click({30, 3});
    EXPECT_EQ(board.Ticks(), (std::vector<CellRef>{{5, 1}, {5, 0}}));
    EXPECT_EQ(changed.count(), 4);

    board.ClearTicks();
    EXPECT_TRUE(board.Ticks().empty());
    board.ToggleTick({1, 4});
    board.SetRowCount(20);
    EXPECT_TRUE(board.Ticks().empty()) << "new rows start without ticks";
}

TEST_F(OptionBoardListTest, TheKeyboardMovesOverTheStrikeColumnAndTicksTheCurrentCell) {
    board.setFocus();
    board.ToggleTick({0, 0});
    board.ToggleTick({0, 0});
    QTest::keyClick(&board, Qt::Key_Right);
    QTest::keyClick(&board, Qt::Key_Right);
    QTest::keyClick(&board, Qt::Key_Down);
    QTest::keyClick(&board, Qt::Key_Space);
    EXPECT_EQ(board.Ticks(), (std::vector<CellRef>{{1, 3}}));
    QTest::keyClick(&board, Qt::Key_End);
    QTest::keyClick(&board, Qt::Key_Return);
    EXPECT_EQ(board.Ticks().back(), (CellRef{39, 3}));
    EXPECT_TRUE(board.CellRect({39, 3}).bottom() <= board.viewport()->height())
        << "the current row is scrolled into view";
}

TEST_F(OptionBoardListTest, TheStrikeTitleNamesTheMonthAndItsChoiceReportsTheIndex) {
    EXPECT_EQ(board.OpenMonthChoice(), nullptr) << "no month, no choice";
    board.SetMonths({"2403", "2404", "2406"}, 1);
    EXPECT_EQ(board.StrikeTitle(), "2404 ▼");
    QSignalSpy chosen(&board, &COptListTradeBatch::monthChosen);
    QMenu* menu = board.OpenMonthChoice();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_TRUE(menu->actions()[1]->isChecked());
    menu->actions()[2]->trigger();
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen[0][0].toInt(), 2);
}

TEST_F(OptionBoardListTest, ACentredRowStandsMidViewUnderAWholeTopRowAndColumnsShareOutWhatIsLeft) {
    board.CentreRow(20);
    const QRect centred = board.CellRect({20, 0});
    const int middle = board.viewport()->height() / 2;
    EXPECT_LE(std::abs(centred.center().y() - middle), board.RowHeight());
    EXPECT_EQ(centred.top() % board.RowHeight(), 0) << "the top row was cut in half";
    board.CentreRow(39);
    EXPECT_EQ(board.verticalScrollBar()->value(), board.verticalScrollBar()->maximum())
        << "the last row stays at the bottom";

    const int extra = board.viewport()->width() - (4 * 76 + 120);
    ASSERT_GT(extra, 0);
    EXPECT_EQ(board.CellRect({0, 0}).width(), 76 + extra / 5);
    EXPECT_EQ(board.CellRect({0, 2}).width(), 120 + extra / 5 + extra % 5);
    board.resize(300, 300);
    EXPECT_EQ(board.CellRect({0, 0}).width(), 76);
    EXPECT_GT(board.horizontalScrollBar()->maximum(), 0) << "a narrow board scrolls sideways";
}

TEST_F(OptionBoardListTest, ATickedCellShowsItsColumnsTickColourAndAMarkedOneTheWarning) {
    const QColor buy(0xC6, 0x22, 0x21);
    const QColor warning(0xE0, 0x6C, 0x00);
    board.SetTickColor(0, buy);
    board.SetPlaceholder("--");
    board.ToggleTick({0, 0});
    board.ToggleTick({1, 0});
    board.SetMarked({1, 0}, true);
    board.CentreRow(0);
    const QImage image = board.viewport()->grab().toImage();
    auto shows = [&](CellRef cell, const QColor& colour) {
        const QRect area = board.CellRect(cell).intersected(image.rect());
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (image.pixelColor(x, y) == colour) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(shows({0, 0}, buy));
    EXPECT_FALSE(shows({0, 0}, warning));
    EXPECT_TRUE(shows({1, 0}, warning));
    EXPECT_FALSE(shows({1, 0}, buy));
    EXPECT_FALSE(shows({2, 0}, buy));
}

}  // namespace
