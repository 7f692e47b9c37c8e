#include "FutqmWindow.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include "frame/ThisComponent.h"
#include "kora/utility/JsonAccess.h"

namespace {

// The ladder reads its images relative to the working folder, as in the terminal.
class RunLayoutFolder : public ::testing::Environment {
public:
    void SetUp() override {
        const QByteArray bin = qgetenv("KRT_DIST_BIN");
        ASSERT_FALSE(bin.isEmpty()) << "KRT_DIST_BIN names the run layout's bin folder";
        ASSERT_TRUE(QDir::setCurrent(QString::fromLocal8Bit(bin)));
    }
};

[[maybe_unused]] auto* const kRunLayoutFolder = ::testing::AddGlobalTestEnvironment(new RunLayoutFolder);

}  // namespace

void FutqmWindow::SetUp() {
    Terminal::HostOptions options;
    options.tradingDay = QDate(2024, 3, 15);
    host = std::make_unique<Terminal::HostRuntime>(options);
    ASSERT_TRUE(host->LoadComponent(
        [](Kora::Utility::Handle<Kora::Interface::HostI> h) { return new ThisComponent(h.Get()); },
        [](Kora::Interface::ComponentI* component) { delete component; }));
    m_previousResponder = Win::SetMessageBoxResponder([this](const Win::MessageBoxRequest& request) {
        boxes.push_back(request);
        return answer ? answer(request) : Win::IDOK;
    });
}

void FutqmWindow::TearDown() {
    if (window) {
        host->ContentWindows().DestroyContentWindow(window);
        window = nullptr;
    }
    host.reset();
    Win::SetMessageBoxResponder(std::move(m_previousResponder));
}

void FutqmWindow::Open(const Kora::Utility::WStringMap& params) {
    window = host->ContentWindows().CreateContentWindow(QStringLiteral("KRFutureQMouse"), params);
    ASSERT_TRUE(window);
    m_dialog = Window().QuickMouse();
    ASSERT_NE(m_dialog, nullptr);
    window->Move(0, 0, 560, 640);
    window->Show(true);
    Pump();
}

CFutureQMouseWindow& FutqmWindow::Window() {
    return *dynamic_cast<CFutureQMouseWindow*>(window.Get());
}

CKRMouselist& FutqmWindow::Ladder() {
    return m_dialog->Ladder();
}

void FutqmWindow::Pump() {
    for (int round = 0; round < 10; ++round) {
        host->Settle();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

void FutqmWindow::Quote(double last) {
    host->Market().SetBestQuote(Meal().index, Units(last - 1), 10, Units(last + 1), 12);
    host->Market().TradeAt(Meal().index, Units(last), 1);
    Pump();
}

QPoint FutqmWindow::Cell(double price, int column) {
    CKRMouselist& ladder = Ladder();
    const int row = ladder.Model().Scale().RowOf(price);
    EXPECT_GE(row, 0) << price;
    if (row < ladder.TopIndex() || row >= ladder.TopIndex() + ladder.CountPerPage()) {
        ladder.ScrollRowToTop(std::max(0, row - ladder.CountPerPage() / 2));
    }
    return ladder.CellRect(row, column).center();
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
    QTest::mousePress(Ladder().viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(Ladder().viewport(), to);
    QTest::mouseRelease(Ladder().viewport(), Qt::LeftButton, {}, to);
}

std::vector<Json::Value> FutqmWindow::Journal(const QString& kind) const {
    std::vector<Json::Value> entries;
    for (const Json::Value& entry : host->JournalEntries()) {
        if (Kora::Utility::JsonWText(entry, "Kind") == kind) {
            entries.push_back(entry);
        }
    }
    return entries;
}

std::vector<Json::Value> FutqmWindow::WorkingOrders() {
    std::vector<Json::Value> working;
    Json::Value account(Json::objectValue);
    account["EAccountID"] = "E1008";
    for (const Json::Value& order : host->Engine().GetOrders(account)) {
        const std::string status = Kora::Utility::JsonText(order, "156");
        if (status == "1" || status == "2") {
            working.push_back(order);
        }
    }
    return working;
}
