#include "ui/ScreenshotSession.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QGraphicsView>
#include <QImage>
#include <QListWidget>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "COptListTradeBatch.h"
#include "host/Records.h"
#include "kora/utility/WString.h"
#include "platform/ControlId.h"
#include "platform/ModalRunner.h"
#include "ui/MainWindow.h"
#include "ui/MarketWatch.h"
#include "ui/ToolDock.h"

namespace Terminal::Ui {

namespace {

using Market::InstrumentKind;

constexpr int kWarmUpSteps = 120;
constexpr int kWarmUpMs = 1500;
constexpr int kToolMs = 1500;
constexpr int kDialogMs = 600;
constexpr int kQuietMs = 150;
constexpr int kFuturesDockWidth = 560;
const char* const kFuturesAccount = "E1008";
const char* const kStockOptionAccount = "E1006";
// Controls of the position risk window and of the option chooser it opens.
constexpr int kRiskAccountCombo = 1024;
constexpr int kRiskAddButton = 11102;
constexpr int kChooserTree = 11086;
constexpr int kChooserList = 11087;
const char* const kCreditAccount = "E1005";
const QString kStockWindow = QStringLiteral("KRTToolQuickMouse");
// The stock window's margin switches: financed buys and short sales.
constexpr int kMarginBuyRadio = 11021;
constexpr int kShortSellRadio = 11023;
constexpr int kStockOptionCategory = 6;
const QString kOptionBoard = QStringLiteral("OptBatchWindow");
const QString kOptionQuickMouse = QStringLiteral("KROptionQMouse");
constexpr int kTradeStatisticsChart = 20000;

void Complain(const QString& text) {
    std::fprintf(stderr, "krt-terminal: %s\n", text.toUtf8().constData());
}

int FirstOfKind(const Market::InstrumentCatalogue& catalogue, InstrumentKind kind) {
    for (const Market::Instrument& instrument : catalogue.All()) {
        if (instrument.kind == kind) {
            return instrument.index;
        }
    }
    return -1;
}

}  // namespace

ScreenshotSession::ScreenshotSession(HostRuntime& runtime, MainWindow& window, const QString& folder)
    : m_runtime(runtime), m_window(window), m_folder(folder) {}

int ScreenshotSession::Run() {
    if (!m_folder.mkpath(QStringLiteral("."))) {
        Complain(QStringLiteral("cannot create %1").arg(m_folder.path()));
        return 1;
    }
    m_window.show();
    for (int step = 0; step < kWarmUpSteps; ++step) {
        m_runtime.Market().Step();
    }
    StageTrading(QStringLiteral("KRFutureQMouse"), kFuturesAccount);
    StageOptionPositions();
    StageStockTrading();
    Settle(kWarmUpMs);

    const auto types = m_runtime.ContentWindows().GetWindowTypes();
    if (!types || types->empty()) {
        Complain(QStringLiteral("no content-window types: is the component loaded?"));
        ++m_failures;
    } else {
        for (const Kora::Utility::WStringMap& entry : *types) {
            ShootWindowType(Kora::Utility::ValueOf(entry, QStringLiteral("Type")));
        }
    }
    ShootMainWindow();
    ShootOptionChain();
    ShootInstructs();
    ShootFileOrderWindow();
    return m_failures == 0 ? 0 : 1;
}

// A long position bought at the offer, a bid resting below the market and an offer above it, so
// the ladder and the position panels of a window type have something to show.
void ScreenshotSession::StageTrading(const QString& type, const char* account) {
    const int staged = StagedInstrument(type);
    if (staged < 0) {
        return;
    }
    const Market::Instrument& instrument = *m_runtime.Market().Catalogue().At(staged);
    const Market::Book book = m_runtime.Market().GetBook(staged);
    const int64_t bid = book.bids[0].price;
    const int64_t ask = book.asks[0].price;
    if (bid <= 0 || ask <= 0) {
        return;
    }
    const auto submit = [&](char direction, int64_t price, int64_t volume) {
        Market::OrderTicket ticket;
        ticket.accountId = account;
        ticket.instrument = staged;
        ticket.direction = direction;
        ticket.price = price;
        ticket.volume = volume;
        const Market::SubmitResult result = m_runtime.Market().Submit(ticket);
        if (!result.Accepted()) {
            Complain(QStringLiteral("staged order refused: %1").arg(QString::fromStdString(result.reason)));
        }
    };
    constexpr int64_t kRestingTicks = 6;
    submit('0', ask, 3);
    submit('0', bid - kRestingTicks * instrument.tick, 2);
    submit('1', ask + kRestingTicks * instrument.tick, 1);
}

// The stock-option account holds the fund's options from before: calls bought at and above the
// money, a call written further up and a put bought below, so the risk window has Greeks of
// both signs to sum.
void ScreenshotSession::StageOptionPositions() {
    const int call = AtTheMoneyOption();
    if (call < 0) {
        return;
    }
    const Market::InstrumentCatalogue& catalogue = m_runtime.Market().Catalogue();
    const Market::OptionTerms& terms = *catalogue.At(call)->option;
    std::vector<int> calls;
    std::vector<int> puts;
    for (int index : catalogue.Options(terms.underlying, terms.month)) {
        (catalogue.At(index)->option->isPut ? puts : calls).push_back(index);
    }
    const auto byStrike = [&](int a, int b) {
        return catalogue.At(a)->option->strike < catalogue.At(b)->option->strike;
    };
    std::sort(calls.begin(), calls.end(), byStrike);
    std::sort(puts.begin(), puts.end(), byStrike);
    const auto at = std::find(calls.begin(), calls.end(), call) - calls.begin();
    const auto hold = [&](const std::vector<int>& options, ptrdiff_t offset, Market::PositionSide side,
                          int64_t lots) {
        const ptrdiff_t i = at + offset;
        if (i < 0 || i >= static_cast<ptrdiff_t>(options.size())) {
            return;
        }
        const int option = options[static_cast<size_t>(i)];
        const int64_t price = catalogue.At(option)->ToUnits(m_runtime.Market().MarkPrice(option));
        if (!m_runtime.Market().AddPosition(kStockOptionAccount, option, side, lots, price)) {
            Complain(QStringLiteral("staged option position refused"));
        }
    };
    hold(calls, 0, Market::PositionSide::Long, 3);
    hold(calls, 1, Market::PositionSide::Long, 2);
    hold(calls, 3, Market::PositionSide::Short, 2);
    hold(puts, -2, Market::PositionSide::Long, 1);
}

// The position risk window on the stock-option account, with one more call added by hand
// through the option chooser.
void ScreenshotSession::StagePositionAnalyze(QWidget& window) {
    auto* accounts = Win::FindControl<QComboBox>(&window, kRiskAccountCombo);
    auto* add = Win::FindControl<QPushButton>(&window, kRiskAddButton);
    const int call = AtTheMoneyOption();
    if (!accounts || !add || call < 0) {
        Complain(QStringLiteral("the position risk window cannot be staged"));
        return;
    }
    const int account = accounts->findData(QString::fromLatin1(kStockOptionAccount));
    if (account >= 0) {
        accounts->setCurrentIndex(account);
        emit accounts->activated(account);
    }
    const Market::Instrument& option = *m_runtime.Market().Catalogue().At(call);
    const QString name = QString::fromStdString(option.name);
    const QString month = QString::fromStdString(option.option->month);
    const Win::ModalRunner previous = Win::SetModalRunner([&](QDialog& chooser) {
        auto* tree = Win::FindControl<QTreeWidget>(&chooser, kChooserTree);
        auto* list = Win::FindControl<QListWidget>(&chooser, kChooserList);
        if (!tree || !list) {
            return int(QDialog::Rejected);
        }
        for (QTreeWidgetItem* group :
             tree->findItems(QStringLiteral("认购"), Qt::MatchExactly | Qt::MatchRecursive)) {
            tree->setCurrentItem(group);
            const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
            if (group->parent()->text(0) == month && !found.isEmpty()) {
                list->clearSelection();
                found.front()->setSelected(true);
                emit list->itemDoubleClicked(found.front());
                break;
            }
        }
        return chooser.result();
    });
    add->click();
    Win::SetModalRunner(previous);
}

// The credit account holds shares of the stock bought before today and has a financed buy
// resting under the market, so the stock window shows a position, an order and margin columns.
void ScreenshotSession::StageStockTrading() {
    const int stock = StagedInstrument(kStockWindow);
    if (stock < 0) {
        return;
    }
    const Market::Instrument& instrument = *m_runtime.Market().Catalogue().At(stock);
    const Market::Book book = m_runtime.Market().GetBook(stock);
    const int64_t bid = book.bids[0].price;
    if (bid <= 0 || !m_runtime.Market().AddPosition(kCreditAccount, stock, Market::PositionSide::Long, 2000,
                                                    bid - 20 * instrument.tick)) {
        Complain(QStringLiteral("no stock position staged"));
        return;
    }
    Market::OrderTicket ticket;
    ticket.accountId = kCreditAccount;
    ticket.instrument = stock;
    ticket.direction = 'a';
    ticket.price = bid - 12 * instrument.tick;
    ticket.volume = 500;
    if (const Market::SubmitResult result = m_runtime.Market().Submit(ticket); !result.Accepted()) {
        Complain(QStringLiteral("staged order refused: %1").arg(QString::fromStdString(result.reason)));
    }
}

// The stock window trades on the terminal's current account: the credit one, with both sides
// switched to margin orders as a trader would.
void ScreenshotSession::StageStockWindow(ToolDock& dock) {
    for (const int id : {kMarginBuyRadio, kShortSellRadio}) {
        if (auto* radio = Win::FindControl<QAbstractButton>(dock.widget(), id)) {
            radio->click();
        } else {
            Complain(QStringLiteral("the stock window's margin switches cannot be driven"));
        }
    }
}

bool ScreenshotSession::ShootWindowType(const QString& type) {
    // The option tools trade on the account current when they open: the fund options' one; the
    // stock window on the credit account.
    std::string previousAccount;
    if (type == kOptionBoard || type == kOptionQuickMouse) {
        previousAccount = MakeCurrentAccount(kStockOptionCategory);
    } else if (type == kStockWindow) {
        previousAccount = m_runtime.Engine().CurrentAccountId();
        m_runtime.Engine().SetCurrentAccount(kCreditAccount);
    }
    ToolDock* dock = m_window.OpenTool(type);
    if (!previousAccount.empty()) {
        m_runtime.Engine().SetCurrentAccount(previousAccount);
    }
    if (!dock) {
        Complain(QStringLiteral("no window of type %1").arg(type));
        ++m_failures;
        return false;
    }
    // Floating, the tool has the size it asks for rather than the dock area's.
    dock->setFloating(true);
    dock->resize(dock->sizeHint());
    if (const int instrument = StagedInstrument(type); instrument >= 0) {
        m_window.Watch()->Choose(instrument);
    }
    if (type == QStringLiteral("PositionAnalyze")) {
        Settle(kQuietMs);
        StagePositionAnalyze(*dock);
    }
    // An option's book moves fast: its orders are placed just before the picture, so the
    // resting ones still rest.
    if (type == kOptionQuickMouse) {
        StageTrading(type, kStockOptionAccount);
    }
    if (type == kStockWindow) {
        StageStockWindow(*dock);
    }
    Settle(kToolMs);
    StageOptionBoard(*dock);
    const bool saved = Save(*dock, type);
    dock->close();
    Settle(kQuietMs);
    return saved;
}

bool ScreenshotSession::ShootMainWindow() {
    ToolDock* futures = m_window.OpenTool(QStringLiteral("KRFutureQMouse"));
    ToolDock* strip = m_window.OpenTool(QStringLiteral("KRTShortcutTrade"));
    if (futures && strip) {
        // The strip is short: below the ladder rather than a tab behind it.
        m_window.removeDockWidget(strip);
        m_window.addDockWidget(Qt::RightDockWidgetArea, strip, Qt::Vertical);
        strip->show();
        m_window.resizeDocks({strip}, {strip->sizeHint().height()}, Qt::Vertical);
        // Wide enough for the whole ladder beside the order panel.
        m_window.resizeDocks({futures}, {kFuturesDockWidth}, Qt::Horizontal);
    }
    m_window.Watch()->Choose(StagedInstrument(QStringLiteral("KRFutureQMouse")));
    Settle(kToolMs);
    const bool saved = Save(m_window, kMainWindowFile);
    m_window.CloseAllTools();
    Settle(kQuietMs);
    return saved;
}

bool ScreenshotSession::ShootOptionChain() {
    MarketWatch& watch = *m_window.Watch();
    watch.ShowChain(FirstOfKind(m_runtime.Market().Catalogue(), InstrumentKind::Fund));
    Settle(kToolMs);
    const bool saved = Save(watch, kOptionChainFile);
    watch.Choose(StagedInstrument(QStringLiteral("KRFutureQMouse")));
    Settle(kQuietMs);
    return saved;
}

void ScreenshotSession::ShootInstructs() {
    const Win::ModalRunner previous =
        Win::SetModalRunner([this](QDialog& dialog) { return ShootModal(dialog); });
    const std::string previousAccount = MakeCurrentAccount(kStockOptionCategory);
    if (const auto instructs = m_runtime.Instructs().GetInstructs()) {
        for (const Kora::Utility::WStringMap& entry : *instructs) {
            m_instruct = Kora::Utility::ValueOf(entry, QStringLiteral("Instruct"));
            m_window.RunInstruct(m_instruct);
            Settle(kQuietMs);
        }
    }
    m_instruct.clear();
    if (!previousAccount.empty()) {
        m_runtime.Engine().SetCurrentAccount(previousAccount);
    }
    Win::SetModalRunner(previous);
}

// The component's file-order window runs hidden and shows itself only when an order file
// stalls; it is shown here as it then appears.
bool ScreenshotSession::ShootFileOrderWindow() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == kFileOrderWindow) {
            const bool wasHidden = window->isHidden();
            window->show();
            Settle(kDialogMs);
            const bool saved = Save(*window, QStringLiteral("FileOrder"));
            window->setHidden(wasHidden);
            return saved;
        }
    }
    Complain(QStringLiteral("no file-order window: is the component loaded?"));
    ++m_failures;
    return false;
}

int ScreenshotSession::ShootModal(QDialog& dialog) {
    // A tool that downloads history as it opens does so before it runs: not the tool's picture.
    if (m_capturing || m_instruct.isEmpty() || dialog.windowTitle() == QStringLiteral("数据下载")) {
        return dialog.exec();
    }
    m_capturing = true;
    dialog.show();
    Settle(kDialogMs);
    if (dialog.windowTitle() == QStringLiteral("期权成交统计")) {
        ShootTradeStatistics(dialog);
    } else {
        Stage(dialog);
        Settle(kDialogMs);
        Save(dialog, m_instruct);
    }
    dialog.reject();
    m_capturing = false;
    return QDialog::Rejected;
}

// The option tools (the price calculator, the seller analysis) are shown at work: an option
// chosen and valued, once the dialog's own timers have shown the choice.
void ScreenshotSession::Stage(QDialog& dialog) {
    StageOptionBoard(dialog);
    if (dialog.metaObject()->indexOfMethod("TakeOptionText(QString)") < 0) {
        return;
    }
    const int option = AtTheMoneyOption();
    if (option < 0) {
        return;
    }
    const QString key = Records::KeyOf(*m_runtime.Market().Catalogue().At(option)).ToText();
    if (!QMetaObject::invokeMethod(&dialog, "TakeOptionText", Q_ARG(QString, key))) {
        Complain(QStringLiteral("%1 cannot be given an option").arg(dialog.windowTitle()));
        return;
    }
    Settle(kDialogMs);
    if (!QMetaObject::invokeMethod(&dialog, "Compute")) {
        Complain(QStringLiteral("%1 cannot be computed").arg(dialog.windowTitle()));
    }
}

void ScreenshotSession::StageOptionBoard(QWidget& window) {
    auto* board = window.findChild<COptListTradeBatch*>(QStringLiteral("optionBoard"));
    const int option = AtTheMoneyOption();
    if (!board || option < 0) {
        return;
    }
    // The board's rows are the month's strikes, ascending; the at-the-money call's is the one.
    const Market::InstrumentCatalogue& catalogue = m_runtime.Market().Catalogue();
    const Market::Instrument& call = *catalogue.At(option);
    std::vector<int64_t> strikes;
    for (int index : catalogue.Options(call.option->underlying, call.option->month)) {
        strikes.push_back(catalogue.At(index)->option->strike);
    }
    std::sort(strikes.begin(), strikes.end());
    strikes.erase(std::unique(strikes.begin(), strikes.end()), strikes.end());
    const int row =
        int(std::lower_bound(strikes.begin(), strikes.end(), call.option->strike) - strikes.begin());
    if (row + 1 >= board->RowCount()) {
        Complain(QStringLiteral("the option board does not show the fund's chain"));
        return;
    }
    constexpr int kCallBuy = 0;
    constexpr int kCallSell = 1;
    board->ToggleTick({row, kCallBuy});
    board->ToggleTick({row + 1, kCallSell});
    Settle(kDialogMs);
}

std::string ScreenshotSession::MakeCurrentAccount(int category) {
    const std::string previous = m_runtime.Engine().CurrentAccountId();
    for (const Market::TradingAccount& account : m_runtime.Market().Accounts()) {
        if (account.category == category && m_runtime.Engine().SetCurrentAccount(account.eAccountId)) {
            return previous;
        }
    }
    return {};
}

// The trade statistics on open interest and on the maximum pain, each with the mouse over the
// middle of the chart so that the figures of a strike show.
void ScreenshotSession::ShootTradeStatistics(QDialog& dialog) {
    constexpr int kOpenInterest = 3;
    constexpr int kMaxPain = 6;
    auto* chart = Win::FindControl<QGraphicsView>(&dialog, kTradeStatisticsChart);
    for (const auto& [statistic, suffix] : {std::pair{kOpenInterest, ""}, std::pair{kMaxPain, "MaxPain"}}) {
        if (!QMetaObject::invokeMethod(&dialog, "ShowStatistic", Q_ARG(int, statistic)) || !chart) {
            Complain(QStringLiteral("the trade statistics cannot be driven"));
        } else {
            const QPointF middle = QRectF(chart->viewport()->rect()).center();
            QMouseEvent move(QEvent::MouseMove, middle, chart->viewport()->mapToGlobal(middle), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(chart->viewport(), &move);
        }
        Settle(kDialogMs);
        Save(dialog, m_instruct + QString::fromUtf8(suffix));
    }
}

int ScreenshotSession::StagedInstrument(const QString& type) const {
    const Market::InstrumentCatalogue& catalogue = m_runtime.Market().Catalogue();
    if (type == kStockWindow) {
        return FirstOfKind(catalogue, InstrumentKind::Stock);
    }
    if (type == QStringLiteral("KRFutureQMouse") || type == QStringLiteral("KRTShortcutTrade")) {
        return FirstOfKind(catalogue, InstrumentKind::Future);
    }
    if (type == kOptionQuickMouse) {
        return AtTheMoneyOption();
    }
    if (type == QStringLiteral("OptBatchWindow") || type == QStringLiteral("PositionAnalyze")) {
        return FirstOfKind(catalogue, InstrumentKind::Fund);
    }
    return -1;
}

// The near-month call of the fund's options whose strike lies closest to the fund's price.
int ScreenshotSession::AtTheMoneyOption() const {
    const Market::InstrumentCatalogue& catalogue = m_runtime.Market().Catalogue();
    const int fund = FirstOfKind(catalogue, InstrumentKind::Fund);
    const auto months = fund >= 0 ? catalogue.Months(fund) : std::vector<std::string>();
    if (months.empty()) {
        return -1;
    }
    const double price = m_runtime.Market().MarkPrice(fund);
    int best = -1;
    double distance = 0;
    for (int index : catalogue.Options(fund, months.front())) {
        const Market::Instrument& option = *catalogue.At(index);
        const double gap = std::abs(option.ToPrice(option.option->strike) - price);
        if (!option.option->isPut && (best < 0 || gap < distance)) {
            best = index;
            distance = gap;
        }
    }
    return best;
}

bool ScreenshotSession::Save(QWidget& widget, const QString& name) {
    const QString path = m_folder.filePath(name + QStringLiteral(".png"));
    if (!widget.grab().save(path)) {
        Complain(QStringLiteral("cannot write %1").arg(path));
        ++m_failures;
        return false;
    }
    std::fprintf(stderr, "krt-terminal: wrote %s\n", path.toUtf8().constData());
    return true;
}

void ScreenshotSession::Settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace Terminal::Ui
