// Tool windows docked in the main window: made through the content-window service from the
// tools menu, kept filling their dock, destroyed (PreDestroy first) when the dock closes.

#include <QDialog>
#include <QMenuBar>
#include <QPointer>

#include "RecordingWindow.h"
#include "UiFixture.h"
#include "kora/interface/Topics.h"
#include "platform/ModalRunner.h"
#include "support/ScopedModalRunner.h"
#include "ui/ToolDock.h"

namespace TerminalUiTest {
namespace {

using Kora::Utility::Handle;
using Terminal::Ui::ToolDock;
namespace Topic = Kora::Interface::Topic;

class ToolDockingTest : public UiFixture {
protected:
    size_t Subscriptions() {
        size_t count = 0;
        for (const QString& topic : {Topic::kListClick, Topic::kListDblClick, Topic::kStockChanged,
                                     Topic::kAccountChange, Topic::kAccountLogin, Topic::kUserChangeParam,
                                     Topic::kSTEPRequestCallBack, Topic::kReorderNotifyInfo}) {
            count += Host().Messages().SubscriberCount(topic);
        }
        return count;
    }
};

TEST_F(ToolDockingTest, EveryWindowTypeOpensFromTheToolsMenuAndClosesWithItsDialogAndSubscriptions) {
    const auto types = Host().ContentWindows().GetWindowTypes();
    ASSERT_EQ(types->size(), 6u);
    const size_t quiet = Subscriptions();
    for (const Kora::Utility::WStringMap& entry : *types) {
        const QString type = entry.at(QStringLiteral("Type"));
        SCOPED_TRACE(type.toStdString());
        QAction* open = MenuEntry(*Window().ToolsMenu(), type);
        ASSERT_TRUE(open);
        EXPECT_EQ(open->text(), entry.at(QStringLiteral("MenuName")));
        open->trigger();

        ToolDock* dock = DockOf(Window(), type);
        ASSERT_TRUE(dock);
        EXPECT_EQ(dock->windowTitle(), entry.at(QStringLiteral("Name")));
        QPointer<QWidget> dialog = dock->Window()->GetHwnd();
        ASSERT_TRUE(dialog);
        EXPECT_TRUE(dock->isAncestorOf(dialog));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(Host().ContentWindows().Windows().size(), 1u);
        Host().Settle();

        dock->close();
        EXPECT_TRUE(WaitUntil([&] { return !DockOf(Window(), type); }));
        EXPECT_TRUE(WaitUntil([&] { return !dialog; }));
        EXPECT_TRUE(Host().ContentWindows().Windows().empty());
        EXPECT_EQ(Subscriptions(), quiet);
    }
}

TEST_F(ToolDockingTest, TheHostShowsAWindowInItsDockOffersItsMenuAndPreDestroysItBeforeItGoes) {
    auto* provider = new RecordingProvider;
    Handle<Kora::Interface::ContentWindowProviderI> offered(provider);
    Host().ContentWindows().RegisterProvider(offered);
    QAction* open = MenuEntry(*Window().ToolsMenu(), RecordingProvider::kType);
    ASSERT_TRUE(open);
    open->trigger();
    ToolDock* dock = DockOf(Window(), RecordingProvider::kType);
    ASSERT_TRUE(dock);
    EXPECT_EQ(provider->log->mid(0, 3), (QStringList{"SetParent", "Move", "Show"}));

    dock->setFloating(true);
    dock->resize(500, 400);
    ASSERT_TRUE(WaitUntil([&] { return provider->last->GetHwnd()->size() == dock->widget()->size(); }))
        << "the window fills its dock";

    std::unique_ptr<QMenu> menu(dock->BuildContextMenu(nullptr));
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("锁定合约"));
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(actions[2]->text(), QStringLiteral("关闭"));
    actions[0]->trigger();
    EXPECT_EQ(provider->last->commands, (std::vector<Kora::Interface::WPARAM>{32771}))
        << "the choice comes back as WM_COMMAND with the item's ID";

    actions[2]->trigger();
    ASSERT_TRUE(WaitUntil([&] { return provider->log->contains("Destroyed"); }));
    const QStringList& log = *provider->log;
    EXPECT_EQ(log.last(), QStringLiteral("Destroyed"));
    EXPECT_EQ(log.count("PreDestroy"), 1);
    EXPECT_LT(log.indexOf("PreDestroy"), log.indexOf("Destroyed"));
    Host().ContentWindows().UnregisterProvider(offered);
}

TEST_F(ToolDockingTest, TheToolsMenuRunsEveryInstructAndAModalToolOpensThroughTheModalRunner) {
    for (const char* instruct : {"QuickMouse", "OpenShortcutTrade", "PopOptBatchTrade", "OptionSellAnaly",
                                 "OptionPriceCalc", "OptionTradeStatistics"}) {
        EXPECT_TRUE(MenuEntry(*Window().ToolsMenu(), QString::fromUtf8(instruct))) << instruct;
    }
    QStringList opened;
    const ScopedModalRunner runner([&](QDialog& dialog) {
        opened << dialog.windowTitle();
        return int(QDialog::Rejected);
    });
    MenuEntry(*Window().ToolsMenu(), QStringLiteral("OptionPriceCalc"))->trigger();
    EXPECT_EQ(opened, QStringList{QStringLiteral("期权定价计算")});
}

TEST_F(ToolDockingTest, TheKeyboardOrderStripFloatsAboveTheMainWindowAndOutlivesIt) {
    EXPECT_EQ(Host().UIFrame().GetMainWindow(), &Window());
    MenuEntry(*Window().ToolsMenu(), QStringLiteral("OpenShortcutTrade"))->trigger();
    const auto strip = Host().ContentWindows().GetContentWindow(
        {{QStringLiteral("Type"), QStringLiteral("KRTShortcutTrade")}});
    ASSERT_TRUE(strip);
    QPointer<QWidget> dialog = strip->GetHwnd();
    ASSERT_TRUE(WaitUntil([&] { return dialog->isWindow() && dialog->isVisible(); }));
    EXPECT_EQ(dialog->parentWidget(), &Window());
    EXPECT_GT(dialog->y(), Window().menuBar()->geometry().bottom()) << "it covers no menu";

    CloseWindow();
    EXPECT_TRUE(dialog) << "the component's window is the component's to destroy";
    EXPECT_EQ(Host().UIFrame().GetMainWindow(), Host().MainWindow());
}

}  // namespace
}  // namespace TerminalUiTest
