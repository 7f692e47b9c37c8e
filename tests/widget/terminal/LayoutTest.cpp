// The terminal remembers how the user arranged it: the main window, its tool windows (made again
// through the component at the next start), the account and the market watch, in
// cfg/layout.json; a file it cannot use costs the arrangement, never the start.

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMenuBar>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "UiFixture.h"
#include "ui/LayoutKeeper.h"
#include "ui/MarketWatch.h"
#include "ui/ToolDock.h"

namespace TerminalUiTest {
namespace {

using Terminal::Ui::LayoutKeeper;
using Terminal::Ui::ToolDock;

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QDir(m_root.path()).mkpath(QStringLiteral("cfg"))); }
    void TearDown() override { Quit(); }

    QString LayoutPath() const { return m_root.filePath(QStringLiteral("cfg/layout.json")); }

    // Starts the terminal as krt-terminal does: the saved layout restored (not after --fresh),
    // the window shown, the arrangement watched from then on.
    void Start(bool fresh = false) {
        m_log.clear();
        m_host = std::make_unique<Terminal::HostRuntime>(TerminalTest::ScriptedOptions());
        ASSERT_TRUE(m_host->LoadComponentLibrary(qEnvironmentVariable("KRT_DIST_BIN") +
                                                 QStringLiteral("/libKRTTools.so")));
        m_window = std::make_unique<Terminal::Ui::MainWindow>(*m_host);
        auto* keeper = new LayoutKeeper(*m_host, *m_window, LayoutPath(),
                                        [this](const QString& line) { m_log << line; });
        if (!fresh) {
            keeper->Restore();
        }
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        keeper->Start();
    }

    // The user quits: the main window closes.
    void Quit() {
        if (m_window) {
            m_window->close();
            m_window.reset();
        }
        if (m_host) {
            m_host->Settle();
            m_host.reset();
        }
    }

    Terminal::Ui::MainWindow& Window() { return *m_window; }
    Terminal::HostRuntime& Host() { return *m_host; }

    ToolDock* DockOf(const QString& type) {
        for (ToolDock* dock : Window().ToolDocks()) {
            if (dock->Type() == type) {
                return dock;
            }
        }
        return nullptr;
    }

    // In name order: a dock moved to another area comes last among the window's children.
    QStringList OpenTypes() {
        QStringList types;
        for (ToolDock* dock : Window().ToolDocks()) {
            types << dock->Type();
        }
        types.sort();
        return types;
    }

    QTabBar* Categories() {
        return Window().Watch()->findChild<QTabBar*>(QStringLiteral("MarketCategories"));
    }
    QHeaderView* Columns() { return Window().Watch()->View()->horizontalHeader(); }

    void WriteLayout(const QByteArray& text) {
        QFile file(LayoutPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

    QByteArray SavedText() {
        QFile file(LayoutPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    bool Logged(const QString& part) const {
        return std::any_of(m_log.begin(), m_log.end(),
                           [&](const QString& line) { return line.contains(part); });
    }

    QTemporaryDir m_root;
    QStringList m_log;

private:
    std::unique_ptr<Terminal::HostRuntime> m_host;
    std::unique_ptr<Terminal::Ui::MainWindow> m_window;
};

TEST_F(LayoutTest, DockedAndFloatingToolsTheAccountAndTheMarketWatchComeBackAfterARestart) {
    Start();
    Window().resize(1400, 820);
    ToolDock* futures = Window().OpenTool(QStringLiteral("KRFutureQMouse"));
    ToolDock* analysis = Window().OpenTool(QStringLiteral("PositionAnalyze"));
    ToolDock* strip = Window().OpenTool(QStringLiteral("KRTShortcutTrade"));
    ASSERT_TRUE(futures && analysis && strip);
    Window().addDockWidget(Qt::LeftDockWidgetArea, analysis);
    strip->setFloating(true);
    strip->setGeometry(120, 90, 560, 200);
    ASSERT_TRUE(Window().Actions().MakeCurrent("E1006"));
    Categories()->setCurrentIndex(4);
    Columns()->resizeSection(0, 150);
    Window().resizeDocks({futures}, {520}, Qt::Horizontal);
    ASSERT_TRUE(WaitUntil([&] { return futures->width() == 520; }));
    const QSize analysisSize = analysis->size();
    const QRect stripPlace = strip->geometry();
    Quit();
    ASSERT_TRUE(QFile::exists(LayoutPath()));

    Start();
    EXPECT_TRUE(Logged(QStringLiteral("restored from"))) << m_log.join('\n').toStdString();
    EXPECT_EQ(OpenTypes(), (QStringList{"KRFutureQMouse", "KRTShortcutTrade", "PositionAnalyze"}));
    EXPECT_EQ(Host().ContentWindows().Windows().size(), 3u) << "each made again by the component";
    EXPECT_EQ(Window().size(), QSize(1400, 820));
    ASSERT_TRUE(DockOf("KRFutureQMouse") && DockOf("PositionAnalyze") && DockOf("KRTShortcutTrade"));
    EXPECT_EQ(Window().dockWidgetArea(DockOf("KRFutureQMouse")), Qt::RightDockWidgetArea);
    EXPECT_EQ(Window().dockWidgetArea(DockOf("PositionAnalyze")), Qt::LeftDockWidgetArea);
    EXPECT_TRUE(WaitUntil([&] { return DockOf("KRFutureQMouse")->width() == 520; }))
        << DockOf("KRFutureQMouse")->width();
    EXPECT_EQ(DockOf("PositionAnalyze")->size(), analysisSize);
    EXPECT_TRUE(DockOf("KRTShortcutTrade")->isFloating());
    EXPECT_EQ(DockOf("KRTShortcutTrade")->geometry(), stripPlace);
    EXPECT_EQ(Host().Engine().CurrentAccountId(), "E1006");
    EXPECT_EQ(Categories()->tabText(Categories()->currentIndex()), QStringLiteral("个股期权"));
    EXPECT_EQ(Columns()->sectionSize(0), 150);
}

}  // namespace
}  // namespace TerminalUiTest
