#include "StockqmWindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QScrollBar>
#include <QTest>

#include "ladder/CPriceHSpinEdit.h"
#include "support/UserInput.h"

void StockqmWindow::ChooseAccount(const char* accountId) {
    auto* box = Control<QComboBox>(DlgQuickMouse::kAccountId);
    for (int i = 0; i < box->count(); ++i) {
        if (box->itemData(i).toStringList().value(0) == QLatin1String(accountId)) {
            ChooseItem(*box, i);
            Pump();
            return;
        }
    }
    ADD_FAILURE() << "no account " << accountId << " in the window's account box";
}

void StockqmWindow::Click(int id) {
    auto* button = Control<QAbstractButton>(id);
    ASSERT_TRUE(button && button->isEnabled()) << "control " << id;
    button->click();
    Pump();
}

void StockqmWindow::SetVolume(DlgQuickMouse::Side side, int64_t volume) {
    auto* edit = Control<CPriceHSpinEdit>(side == DlgQuickMouse::kBuy ? DlgQuickMouse::kBuyVolumeId
                                                                      : DlgQuickMouse::kSellVolumeId);
    edit->SetValue(static_cast<double>(volume));
    Pump();
}

QPoint StockqmWindow::Cell(double price, int column) {
    CFastMouseOrderList2& ladder = LadderList();
    const int row = ladder.Model().RowOf(price);
    EXPECT_GE(row, 0) << price;
    if (ladder.CellRect(row, column).isEmpty() || row >= ladder.TopRow() + ladder.RowsPerPage() - 1) {
        ladder.verticalScrollBar()->setValue(std::max(0, row - ladder.RowsPerPage() / 2));
    }
    return ladder.CellRect(row, column).center();
}

void StockqmWindow::ClickCell(double price, int column) {
    QTest::mouseClick(LadderList().viewport(), Qt::LeftButton, {}, Cell(price, column));
    Pump();
}

void StockqmWindow::Drag(double fromPrice, double toPrice, int column) {
    const QPoint from = Cell(fromPrice, column);
    const QPoint to = LadderList().CellRect(LadderList().Model().RowOf(toPrice), column).center();
    ASSERT_FALSE(to.isNull()) << "both rows on one page";
    QWidget* cells = LadderList().viewport();
    QTest::mousePress(cells, Qt::LeftButton, {}, from);
    QTest::mouseMove(cells, from + QPoint(0, 6));
    QTest::mouseMove(cells, to);
    QTest::mouseRelease(cells, Qt::LeftButton, {}, to);
    Pump();
}
