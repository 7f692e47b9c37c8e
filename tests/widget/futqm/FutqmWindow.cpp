#include "FutqmWindow.h"

#include <QTest>

#include "support/LadderCell.h"
#include "support/RunLayoutFolder.h"

namespace {
[[maybe_unused]] auto* const kRunLayoutFolder = ::testing::AddGlobalTestEnvironment(new RunLayoutFolder);
}  // namespace

void FutqmWindow::Open(const Kora::Utility::WStringMap& params) {
    OpenWindow(QStringLiteral("KRFutureQMouse"), {560, 640}, params);
}

void FutqmWindow::Quote(double last) {
    Host().Market().SetBestQuote(Meal().index, Units(last - 1), 10, Units(last + 1), 12);
    Host().Market().TradeAt(Meal().index, Units(last), 1);
    Pump();
}

QPoint FutqmWindow::Cell(double price, int column) {
    return LadderCell(Ladder(), price, column);
}

void FutqmWindow::ClickCell(double price, int column) {
    QTest::mouseClick(Ladder().viewport(), Qt::LeftButton, {}, Cell(price, column));
}

void FutqmWindow::Drag(double fromPrice, int fromColumn, double toPrice, int toColumn) {
    // Both rows on one page.
    CKRMouselist& ladder = Ladder();
    const int fromRow = ladder.Model().Scale().RowOf(fromPrice);
    const int toRow = ladder.Model().Scale().RowOf(toPrice);
    ASSERT_LT(std::abs(fromRow - toRow), ladder.CountPerPage() - 2);
    ladder.ScrollRowToTop(std::max(0, std::min(fromRow, toRow) - 1));
    const QPoint from = ladder.CellRect(fromRow, fromColumn).center();
    const QPoint to = ladder.CellRect(toRow, toColumn).center();
    QTest::mousePress(ladder.viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(ladder.viewport(), to);
    QTest::mouseRelease(ladder.viewport(), Qt::LeftButton, {}, to);
}
