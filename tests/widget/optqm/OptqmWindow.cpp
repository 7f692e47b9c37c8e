#include "OptqmWindow.h"

#include <QCoreApplication>
#include <QTest>

#include "support/RunLayoutFolder.h"
#include "trading/ContractRecords.h"

namespace {
[[maybe_unused]] auto* const kRunLayoutFolder = ::testing::AddGlobalTestEnvironment(new RunLayoutFolder);
}  // namespace

void OptqmWindow::TearDown() {
    if (window) {
        Host().ContentWindows().DestroyContentWindow(window);
        window = nullptr;
    }
}

const Terminal::Market::Instrument& OptqmWindow::Option() {
    const auto& catalogue = Host().Market().Catalogue();
    const int fund = catalogue.Find("SHSE-A", "510050")->index;
    for (int index : catalogue.Options(fund, catalogue.Months(fund).front())) {
        if (!catalogue.At(index)->option->isPut) {
            return *catalogue.At(index);
        }
    }
    throw std::logic_error("no call on 510050");
}

void OptqmWindow::Open(const QString& account) {
    window = Host().ContentWindows().CreateContentWindow(QStringLiteral("KROptionQMouse"),
                                                         {{QStringLiteral("EAccountID"), account}});
    ASSERT_TRUE(window);
    ASSERT_NE(Wrapper().QuickMouse(), nullptr);
    window->Move(0, 0, 560, 640);
    window->Show(true);
    if (account == QStringLiteral("E1006")) {
        Host().Market().SetBestQuote(Option().index, Units(0.0450), 10, Units(0.0460), 10);
        ASSERT_TRUE(Dialog().SetContract(ContractRecords::OfKey(Host().KeyOf(Option())), false));
    }
    Pump();
}

void OptqmWindow::Pump() {
    for (int round = 0; round < 10; ++round) {
        Host().Settle();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

QPoint OptqmWindow::Cell(double price, int column) {
    CKROptionMouselist& ladder = Ladder();
    const int row = ladder.Model().Scale().RowOf(price);
    EXPECT_GE(row, 0) << price;
    if (row < ladder.TopIndex() || row >= ladder.TopIndex() + ladder.CountPerPage()) {
        ladder.ScrollRowToTop(std::max(0, row - ladder.CountPerPage() / 2));
    }
    return ladder.CellRect(row, column).center();
}

void OptqmWindow::ClickCell(double price, int column) {
    QTest::mouseClick(Ladder().viewport(), Qt::LeftButton, {}, Cell(price, column));
}
