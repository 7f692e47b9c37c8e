// The terminal remembers how the user arranged it: the main window, its tool windows (made again
// through the component at the next start), the account and the market watch, in
// cfg/layout.json; a file it cannot use costs the arrangement, never the start.

#include <unistd.h>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QHeaderView>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "UiFixture.h"
#include "support/HostSteps.h"
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
        m_host = std::make_unique<Terminal::HostRuntime>(ScriptedOptions());
        ASSERT_TRUE(LoadRunLayoutComponent(*m_host));
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
    Window().resizeDocks({analysis, futures}, {360, 520}, Qt::Horizontal);
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
    futures = DockOf(Window(), QStringLiteral("KRFutureQMouse"));
    analysis = DockOf(Window(), QStringLiteral("PositionAnalyze"));
    strip = DockOf(Window(), QStringLiteral("KRTShortcutTrade"));
    ASSERT_TRUE(futures && analysis && strip);
    EXPECT_EQ(Window().dockWidgetArea(futures), Qt::RightDockWidgetArea);
    EXPECT_EQ(Window().dockWidgetArea(analysis), Qt::LeftDockWidgetArea);
    EXPECT_TRUE(WaitUntil([&] { return futures->width() == 520; })) << futures->width();
    EXPECT_EQ(analysis->size(), analysisSize);
    EXPECT_TRUE(strip->isFloating());
    EXPECT_EQ(strip->geometry(), stripPlace);
    EXPECT_EQ(Host().Engine().CurrentAccountId(), "E1006");
    EXPECT_EQ(Categories()->tabText(Categories()->currentIndex()), QStringLiteral("个股期权"));
    EXPECT_EQ(Columns()->sectionSize(0), 150);
}

TEST_F(LayoutTest, AnUnreadableOrForeignFileCostsTheArrangementNotTheStartAndIsLeftAsItWas) {
    const QByteArray files[] = {
        QByteArray("\x89PNG\r\n\x1a\n\0\0garbage", 18),
        R"({"ToolWindows": [{"Type": "KRFutureQMouse"}]})",
        R"({"Format": "krt-terminal layout", "Version": 2, "ToolWindows": [{"Type": "KRFutureQMouse"}]})",
        R"({"Format": "krt-terminal layout", "Version": 1, "ToolWindows": [{"Type": "KRFutureQMouse"}, 7]})",
        R"({"Format": "krt-terminal layout", "Version": 1, "MainWindow": {"State": "not base64!"}})",
        R"({"Format": "krt-terminal layout", "Version": 1, "MarketWatch": {"ColumnWidths": {"代码": -5}}})",
    };
    for (const QByteArray& text : files) {
        SCOPED_TRACE(text.toStdString());
        WriteLayout(text);
        Start();
        EXPECT_TRUE(Logged(QStringLiteral("the default layout is used"))) << m_log.join('\n').toStdString();
        EXPECT_TRUE(Window().ToolDocks().isEmpty());
        EXPECT_EQ(Window().size(), QSize(1600, 900));
        Quit();
        EXPECT_EQ(SavedText(), text) << "nothing changed, nothing written";
    }
}

TEST_F(LayoutTest, AWindowTypeNoComponentOffersIsSkippedAndTheRestRestored) {
    WriteLayout(R"({"Format": "krt-terminal layout", "Version": 1, "Account": "E1001",
        "ToolWindows": [{"Type": "KRFutureQMouse"}, {"Type": "RetiredLadder"}, {"Type": "PositionAnalyze"}]})");
    Start();
    EXPECT_EQ(OpenTypes(), (QStringList{"KRFutureQMouse", "PositionAnalyze"}));
    EXPECT_TRUE(Logged(QStringLiteral("RetiredLadder"))) << m_log.join('\n').toStdString();
    EXPECT_EQ(Host().Engine().CurrentAccountId(), "E1001");
}

TEST_F(LayoutTest, RestoringTheDefaultLayoutClosesTheToolsAndPutsEverythingBackAtOnce) {
    Start();
    ToolDock* futures = Window().OpenTool(QStringLiteral("KRFutureQMouse"));
    ASSERT_TRUE(futures);
    futures->setFloating(true);
    auto* accounts = Window().findChild<QDockWidget*>(QStringLiteral("AccountsDock"));
    ASSERT_TRUE(accounts);
    Window().addDockWidget(Qt::RightDockWidgetArea, accounts);
    Categories()->setCurrentIndex(2);
    Columns()->resizeSection(1, 300);
    Window().resize(1200, 700);

    EXPECT_EQ(Window().WindowsMenu()->title(), QStringLiteral("窗口"));
    QAction* restore = MenuEntryTitled(*Window().WindowsMenu(), QStringLiteral("恢复默认布局"));
    ASSERT_TRUE(restore);
    restore->trigger();

    EXPECT_TRUE(Window().ToolDocks().isEmpty());
    EXPECT_TRUE(Host().ContentWindows().Windows().empty()) << "the component's window is destroyed";
    EXPECT_EQ(Window().dockWidgetArea(accounts), Qt::BottomDockWidgetArea);
    EXPECT_TRUE(accounts->isVisible());
    EXPECT_EQ(Categories()->currentIndex(), 0);
    EXPECT_EQ(Columns()->sectionSize(1), 132);
    EXPECT_EQ(Window().size(), QSize(1600, 900));
}

// Whether --fresh leaves the file alone is the terminal run's to show; here: what the user
// arranges after a fresh start is what the next start restores.
TEST_F(LayoutTest, AFreshStartShowsNoSavedToolButWhatTheUserThenArrangesIsKept) {
    Start();
    Window().OpenTool(QStringLiteral("KRFutureQMouse"));
    Quit();

    Start(/*fresh=*/true);
    EXPECT_TRUE(Window().ToolDocks().isEmpty());
    Window().OpenTool(QStringLiteral("PositionAnalyze"));
    Quit();
    Start();
    EXPECT_EQ(OpenTypes(), QStringList{"PositionAnalyze"});
}

TEST_F(LayoutTest, ASaveCutShortLeavesItsTemporaryFileBehindAndTheNextStartUsesTheLastWholeLayout) {
    Start();
    Window().OpenTool(QStringLiteral("KRFutureQMouse"));
    Quit();
    const QByteArray whole = SavedText();
    // A second name for the file as it is now: a save that wrote into the file itself, rather
    // than replacing it once complete, would show through it.
    const QString before = m_root.filePath(QStringLiteral("before.json"));
    ASSERT_EQ(::link(QFile::encodeName(LayoutPath()).constData(), QFile::encodeName(before).constData()), 0);
    {
        QFile cut(LayoutPath() + QStringLiteral(".Xk3f9q"));
        ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
        cut.write(whole.left(whole.size() / 2));
    }

    Start();
    EXPECT_EQ(OpenTypes(), QStringList{"KRFutureQMouse"});
    EXPECT_FALSE(Logged(QStringLiteral("ignored"))) << m_log.join('\n').toStdString();
    Window().OpenTool(QStringLiteral("PositionAnalyze"));
    Quit();
    EXPECT_TRUE(SavedText().contains("PositionAnalyze"));
    QFile previous(before);
    ASSERT_TRUE(previous.open(QIODevice::ReadOnly));
    EXPECT_EQ(previous.readAll(), whole);
}

}  // namespace
}  // namespace TerminalUiTest
