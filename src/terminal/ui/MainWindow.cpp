#include "ui/MainWindow.h"

#include <QApplication>
#include <QChildEvent>
#include <QDockWidget>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>

#include "kora/utility/JsonAccess.h"
#include "ui/AccountPanel.h"
#include "ui/CombinationOrderPage.h"
#include "ui/ConditionOrderPage.h"
#include "ui/DockTitleBar.h"
#include "ui/KeyRouter.h"
#include "ui/MarketWatch.h"
#include "ui/ToolDock.h"

namespace Terminal::Ui {

using Kora::Utility::Handle;
using Kora::Utility::ValueOf;
namespace I = Kora::Interface;

namespace {

constexpr int kStatusMs = 1000;
constexpr QSize kInitialSize{1600, 900};
constexpr int kAccountsHeight = 170;
// The market watch keeps most of the width when a wide tool docks beside it.
constexpr double kMostForTools = 0.45;
// A floating strip keeps this far from the main window's top right corner.
constexpr QPoint kStripMargin{24, 64};

// Across window boundaries too: a floating dock or strip is still the frame's.
bool Contains(const QWidget* ancestor, const QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        if (widget == ancestor) {
            return true;
        }
    }
    return false;
}

}  // namespace

MainWindow::MainWindow(HostRuntime& runtime, QWidget* parent)
    : QMainWindow(parent), m_runtime(runtime), m_actions(runtime) {
    setObjectName(QStringLiteral("KrtMainWindow"));
    const QString name = QString::fromStdString(Kora::Utility::JsonText(
        runtime.Settings().Value(QStringLiteral("Engine"), QStringLiteral("SoftwareType")), "交易终端"));
    setWindowTitle(name);
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks |
                   QMainWindow::AllowNestedDocks);
    setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);
    setCorner(Qt::TopRightCorner, Qt::RightDockWidgetArea);

    m_watch = new MarketWatch(runtime.Market(), runtime.Messages(), this);
    setCentralWidget(m_watch);

    m_accounts = new AccountPanel(runtime, m_actions, this);
    m_accountsDock = new QDockWidget(QStringLiteral("资金账户"), this);
    m_accountsDock->setObjectName(QStringLiteral("AccountsDock"));
    m_accountsDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    m_accountsDock->setWidget(m_accounts);
    m_accountsDock->setTitleBarWidget(new DockTitleBar(*m_accountsDock));
    ArrangeDefault();

    BuildMenus();
    BuildStatusBar();
    InstallPages();

    m_keys = new KeyRouter(
        Handle<I::APIMgrI>(&runtime.Registry()), [this](QWidget* focus) { return WindowHolding(focus); },
        this);
    qApp->installEventFilter(m_keys);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (Handle<I::ContentWindowI> window = WindowHolding(now)) {
            m_runtime.ContentWindows().Activate(window);
        }
    });
    runtime.UIFrame().SetMainWindow(this);
}

MainWindow::~MainWindow() {
    m_runtime.UIFrame().SetMainWindow(m_runtime.MainWindow());
    m_runtime.AddinPublic().SetPagePresenter({});
    m_runtime.Conditions().SetConfirmation({});
    CloseAllTools();
    ReleaseStrayWindows();
}

void MainWindow::InstallPages() {
    if (m_runtime.Options().autoConfirm) {
        return;  // the services confirm at once; no one needs to see a page
    }
    m_runtime.AddinPublic().SetPagePresenter([this](int id, const Json::Value& request, QWidget* owner) {
        auto* page = new CombinationOrderPage(id, request, m_runtime.Market(), m_runtime.AddinPublic(),
                                              owner ? owner : this);
        page->show();
        return page;
    });
    m_runtime.Conditions().SetConfirmation([this](const QString& function, Json::Value& params) {
        return ConditionOrderPage::Ask(function, params, m_runtime.Market(), this);
    });
}

void MainWindow::BuildMenus() {
    QMenu* system = menuBar()->addMenu(QStringLiteral("系统"));
    QAction* lock = system->addAction(QStringLiteral("锁定交易"));
    lock->setCheckable(true);
    connect(lock, &QAction::toggled, this, [this](bool locked) { m_runtime.Engine().SetLocked(locked); });
    connect(system, &QMenu::aboutToShow, this, [this, lock] {
        const QSignalBlocker quiet(lock);
        lock->setChecked(m_runtime.Engine().IsLocked());
    });
    system->addSeparator();
    connect(system->addAction(QStringLiteral("退出")), &QAction::triggered, this, &QWidget::close);

    m_accountsMenu = menuBar()->addMenu(QStringLiteral("账户"));
    connect(m_accountsMenu, &QMenu::aboutToShow, this, [this] { m_actions.FillMenu(*m_accountsMenu); });
    m_actions.FillMenu(*m_accountsMenu);

    m_toolsMenu = menuBar()->addMenu(QStringLiteral("工具"));
    connect(m_toolsMenu, &QMenu::aboutToShow, this, &MainWindow::FillToolsMenu);
    FillToolsMenu();

    m_windowsMenu = menuBar()->addMenu(QStringLiteral("窗口"));
    connect(m_windowsMenu, &QMenu::aboutToShow, this, &MainWindow::FillWindowsMenu);
}

void MainWindow::FillToolsMenu() {
    m_toolsMenu->clear();
    if (const auto types = m_runtime.ContentWindows().GetWindowTypes()) {
        for (const Kora::Utility::WStringMap& entry : *types) {
            const QString type = ValueOf(entry, QStringLiteral("Type"));
            QAction* action = m_toolsMenu->addAction(ValueOf(entry, QStringLiteral("MenuName"), type));
            action->setData(type);
            connect(action, &QAction::triggered, this, [this, type] { OpenTool(type); });
        }
    }
    const auto instructs = m_runtime.Instructs().GetInstructs();
    if (instructs && !instructs->empty()) {
        m_toolsMenu->addSeparator();
        for (const Kora::Utility::WStringMap& entry : *instructs) {
            const QString instruct = ValueOf(entry, QStringLiteral("Instruct"));
            QAction* action = m_toolsMenu->addAction(ValueOf(entry, QStringLiteral("Name"), instruct));
            action->setData(instruct);
            action->setStatusTip(ValueOf(entry, QStringLiteral("Description")));
            connect(action, &QAction::triggered, this, [this, instruct] { RunInstruct(instruct); });
        }
    }
    if (m_toolsMenu->isEmpty()) {
        m_toolsMenu->addAction(QStringLiteral("未加载交易工具"))->setEnabled(false);
    }
}

void MainWindow::FillWindowsMenu() {
    m_windowsMenu->clear();
    m_windowsMenu->addAction(m_accountsDock->toggleViewAction());
    const QList<ToolDock*> docks = ToolDocks();
    if (!docks.isEmpty()) {
        m_windowsMenu->addSeparator();
        for (ToolDock* dock : docks) {
            QPointer<ToolDock> target(dock);
            connect(m_windowsMenu->addAction(dock->windowTitle()), &QAction::triggered, this, [target] {
                if (target) {
                    target->show();
                    target->raise();
                }
            });
        }
        m_windowsMenu->addSeparator();
        connect(m_windowsMenu->addAction(QStringLiteral("关闭全部工具窗口")), &QAction::triggered, this,
                &MainWindow::CloseAllTools);
    }
    m_windowsMenu->addSeparator();
    connect(m_windowsMenu->addAction(QStringLiteral("恢复默认布局")), &QAction::triggered, this,
            &MainWindow::ArrangeDefault);
}

void MainWindow::BuildStatusBar() {
    m_accountStatus = new QLabel(this);
    m_marketStatus = new QLabel(this);
    m_clockStatus = new QLabel(this);
    statusBar()->addWidget(m_accountStatus);
    statusBar()->addWidget(m_marketStatus);
    statusBar()->addPermanentWidget(m_clockStatus);
    statusBar()->setSizeGripEnabled(false);
    m_statusTimer = new QTimer(this);
    connect(m_statusTimer, &QTimer::timeout, this, &MainWindow::UpdateStatus);
    m_statusTimer->start(kStatusMs);
    UpdateStatus();
}

void MainWindow::UpdateStatus() {
    const std::string current = m_runtime.Engine().CurrentAccountId();
    const auto account = m_runtime.Market().Account(current);
    if (account) {
        m_accountStatus->setText(QStringLiteral("当前账户：%1  %2")
                                     .arg(AccountActions::Caption(*account),
                                          m_runtime.Market().IsLoggedIn(current) ? QStringLiteral("已登录")
                                                                                 : QStringLiteral("未登录")));
    } else {
        m_accountStatus->setText(QStringLiteral("当前账户：无"));
    }
    m_marketStatus->setText(QStringLiteral("行情：%1  交易日 %2%3")
                                .arg(m_runtime.Options().scripted ? QStringLiteral("模拟（静止）")
                                                                  : QStringLiteral("模拟（实时）"),
                                     m_runtime.Market().TradingDay().toString(QStringLiteral("yyyy-MM-dd")),
                                     m_runtime.Engine().IsLocked() ? QStringLiteral("  已锁定") : QString()));
    m_clockStatus->setText(m_runtime.Time().Now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

QString MainWindow::WindowTypeName(const QString& type) const {
    if (const auto types = m_runtime.ContentWindows().GetWindowTypes()) {
        for (const Kora::Utility::WStringMap& entry : *types) {
            if (ValueOf(entry, QStringLiteral("Type")) == type) {
                return ValueOf(entry, QStringLiteral("Name"), type);
            }
        }
    }
    return type;
}

// A saved window state places docks by object name, so two windows of a type need two names.
QString MainWindow::FreeDockName(const QString& wanted, const QString& type) const {
    const auto taken = [this](const QString& name) {
        return findChild<QDockWidget*>(name, Qt::FindDirectChildrenOnly) != nullptr;
    };
    if (!wanted.isEmpty() && !taken(wanted)) {
        return wanted;
    }
    QString name = type;
    for (int number = 2; taken(name); ++number) {
        name = QStringLiteral("%1-%2").arg(type).arg(number);
    }
    return name;
}

ToolDock* MainWindow::OpenTool(const QString& type, const QString& dockName) {
    Handle<I::ContentWindowI> window = m_runtime.ContentWindows().CreateContentWindow(type, {});
    if (!window) {
        return nullptr;
    }
    const QList<ToolDock*> open = ToolDocks();
    const QString name = FreeDockName(dockName, type);
    auto* dock = new ToolDock(window, type, WindowTypeName(type),
                              Handle<I::ContentWindowSvcI>(&m_runtime.ContentWindows()), this);
    dock->setObjectName(name);
    if (open.isEmpty()) {
        addDockWidget(Qt::RightDockWidgetArea, dock);
    } else {
        tabifyDockWidget(open.last(), dock);
    }
    dock->show();
    dock->raise();
    resizeDocks({dock}, {std::min(dock->widget()->sizeHint().width(), int(width() * kMostForTools))},
                Qt::Horizontal);
    m_runtime.ContentWindows().Activate(window);
    return dock;
}

QList<ToolDock*> MainWindow::ToolDocks() const {
    QList<ToolDock*> docks = findChildren<ToolDock*>(QString(), Qt::FindDirectChildrenOnly);
    docks.removeIf([](ToolDock* dock) { return !dock->Window(); });  // closed, waiting to be deleted
    return docks;
}

void MainWindow::CloseAllTools() {
    for (ToolDock* dock : findChildren<ToolDock*>(QString(), Qt::FindDirectChildrenOnly)) {
        dock->Release();
        delete dock;
    }
}

void MainWindow::ArrangeDefault() {
    CloseAllTools();
    if (isMaximized() || isFullScreen()) {
        showNormal();
    }
    resize(kInitialSize);
    m_accountsDock->setFloating(false);
    addDockWidget(Qt::BottomDockWidgetArea, m_accountsDock);
    m_accountsDock->show();
    resizeDocks({m_accountsDock}, {kAccountsHeight}, Qt::Vertical);
    m_watch->ArrangeDefault();
}

void MainWindow::RunInstruct(const QString& instruct) {
    Json::Value request(Json::objectValue);
    request["Function"] = instruct.toStdString();
    m_runtime.Instructs().ExecuteInstruct(request);
}

Handle<I::ContentWindowI> MainWindow::WindowHolding(QWidget* widget) const {
    if (!widget) {
        return {};
    }
    for (const Handle<I::ContentWindowI>& window : m_runtime.ContentWindows().Windows()) {
        if (Contains(window->GetHwnd(), widget)) {
            return window;
        }
    }
    return {};
}

void MainWindow::childEvent(QChildEvent* event) {
    QMainWindow::childEvent(event);
    if (event->added() && event->child()->isWidgetType()) {
        // The component shows the window right after parenting it; float it once it has.
        QTimer::singleShot(0, this, &MainWindow::FloatStrayWindows);
    }
}

void MainWindow::FloatStrayWindows() {
    for (const Handle<I::ContentWindowI>& window : m_runtime.ContentWindows().Windows()) {
        QWidget* dialog = window->GetHwnd();
        if (!dialog || dialog->parentWidget() != this || dialog->isWindow()) {
            continue;
        }
        const bool visible = dialog->isVisibleTo(this);
        dialog->setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
        dialog->adjustSize();
        dialog->move(mapToGlobal(QPoint(width() - dialog->width() - kStripMargin.x(), kStripMargin.y())));
        dialog->setVisible(visible);
    }
}

void MainWindow::ReleaseStrayWindows() {
    for (const Handle<I::ContentWindowI>& window : m_runtime.ContentWindows().Windows()) {
        if (QWidget* dialog = window->GetHwnd(); dialog && Contains(this, dialog)) {
            window->SetParent(nullptr);  // the component owns it; it must outlive the frame
        }
    }
}

}  // namespace Terminal::Ui
