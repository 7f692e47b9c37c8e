#include "StockqmWindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QScrollBar>
#include <QTest>

#include "frame/ToolWindows.h"
#include "ladder/CPriceHSpinEdit.h"

void StockqmWindow::SetUp() {
    ASSERT_TRUE(m_folder.isValid());
    ASSERT_TRUE(QDir(m_folder.path()).mkpath(QStringLiteral("bin")));
    m_previousFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_folder.filePath(QStringLiteral("bin"))));
}

void StockqmWindow::TearDown() {
    Close();
    QDir::setCurrent(m_previousFolder);
}

QString StockqmWindow::IniPath() const {
    return m_folder.filePath(QStringLiteral("cfg/QuickMouse/QuickMouse.ini"));
}

void StockqmWindow::Open() {
    window = Host().ContentWindows().CreateContentWindow(QStringLiteral("KRTToolQuickMouse"), {});
    ASSERT_TRUE(window);
    m_dialog = dynamic_cast<DlgQuickMouse*>(dynamic_cast<CWDlgQuickMouse&>(*window).Dialog());
    ASSERT_NE(m_dialog, nullptr);
    window->Move(0, 0, 800, 660);
    window->Show(true);
    Pump();
}

void StockqmWindow::Close() {
    if (window) {
        Host().ContentWindows().DestroyContentWindow(window);
        window = nullptr;
        m_dialog = nullptr;
    }
}

void StockqmWindow::ChooseAccount(const char* accountId) {
    auto* box = Control<QComboBox>(DlgQuickMouse::kAccountId);
    for (int i = 0; i < box->count(); ++i) {
        if (box->itemData(i).toStringList().value(0) == QLatin1String(accountId)) {
            box->setCurrentIndex(i);
            emit box->activated(i);
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

std::vector<Terminal::Market::OrderView> StockqmWindow::WorkingOrders(const char* accountId) {
    std::vector<Terminal::Market::OrderView> orders = Host().Market().Orders(accountId);
    std::erase_if(orders,
                  [](const auto& order) { return !Terminal::Market::OrderStatus::IsWorking(order.status); });
    return orders;
}
