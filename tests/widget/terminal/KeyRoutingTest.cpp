// Every key of the terminal reaches the tools service as a Windows key message, and the focused
// tool window after it; either one acting on a key consumes it.

#include <QLineEdit>
#include <QtTest/QTest>

#include "RecordingTools.h"
#include "RecordingWindow.h"
#include "UiFixture.h"
#include "kora/utility/JsonAccess.h"
#include "platform/MessageBox.h"
#include "platform/WinMessage.h"
#include "support/HostSteps.h"
#include "ui/MarketWatch.h"
#include "ui/ToolDock.h"

namespace TerminalUiTest {
namespace {

using Kora::Utility::Handle;

class KeyRoutingTest : public BareUiFixture {
protected:
    void SetUp() override {
        BareUiFixture::SetUp();
        tools = Handle<RecordingTools>(new RecordingTools);
        ASSERT_TRUE(
            Host().Registry().RegisterService(Handle<Kora::Interface::ServiceInterfaceI>(tools.Get())));
    }

    QWindow* Frame() { return Window().windowHandle(); }

    std::vector<std::pair<Kora::Interface::UINT, Kora::Interface::WPARAM>> Seen() const {
        std::vector<std::pair<Kora::Interface::UINT, Kora::Interface::WPARAM>> seen;
        for (const auto& key : tools->keys) {
            seen.emplace_back(key.message.message, key.message.wParam);
        }
        return seen;
    }

    Handle<RecordingTools> tools;
};

TEST_F(KeyRoutingTest,
       CtrlShiftF5ReachesTheToolsServiceAs116WithCtrlAndShiftHeldAndAKeyItActsOnGoesNoFurther) {
    QTest::keyClick(Frame(), Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier);

    using P = std::pair<Kora::Interface::UINT, Kora::Interface::WPARAM>;
    const std::vector<P> expected{{Win::WM_KEYDOWN, 16}, {Win::WM_KEYDOWN, 17}, {Win::WM_KEYDOWN, 116},
                                  {Win::WM_KEYUP, 116},  {Win::WM_KEYUP, 17},   {Win::WM_KEYUP, 16}};
    EXPECT_EQ(Seen(), expected) << "the modifier keys come too: the component tracks chords from them";
    ASSERT_EQ(tools->keys.size(), 6u);
    EXPECT_EQ(tools->keys[2].held & (Qt::ControlModifier | Qt::ShiftModifier),
              Qt::ControlModifier | Qt::ShiftModifier);

    // Any window of the terminal, not only the main window.
    tools->keys.clear();
    QLineEdit edit;
    edit.show();
    edit.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&edit));
    edit.setFocus();
    tools->actsOn = 'K';

    QTest::keyClick(edit.windowHandle(), Qt::Key_K, Qt::NoModifier, 'k');
    QTest::keyClick(edit.windowHandle(), Qt::Key_J, Qt::NoModifier, 'j');

    EXPECT_EQ(edit.text(), QStringLiteral("j"));
    ASSERT_EQ(tools->keys.size(), 4u);
    EXPECT_EQ(tools->keys[0].message.window, &edit);
}

TEST_F(KeyRoutingTest, TheFocusedToolWindowPreTranslatesWhatTheToolsServiceLeaves) {
    auto* provider = new RecordingProvider;
    Handle<Kora::Interface::ContentWindowProviderI> offered(provider);
    Host().ContentWindows().RegisterProvider(offered);
    ASSERT_TRUE(Window().OpenTool(RecordingProvider::kType));
    RecordingWindow* window = provider->last;
    window->GetHwnd()->setFocus();
    ASSERT_TRUE(WaitUntil([&] { return window->GetHwnd()->hasFocus(); }));
    tools->actsOn = 'K';
    window->consumedKey = 'L';

    QTest::keyClick(Frame(), Qt::Key_K);
    QTest::keyClick(Frame(), Qt::Key_L);

    ASSERT_EQ(window->translated.size(), 2u) << "K is the service's; L down and L up are the window's";
    EXPECT_EQ(window->translated[0].message, Win::WM_KEYDOWN);
    EXPECT_EQ(window->translated[0].wParam, Kora::Interface::WPARAM('L'));
    EXPECT_EQ(window->translated[1].message, Win::WM_KEYUP);
    EXPECT_EQ(tools->keys.size(), 4u) << "the service still sees every key";
    CloseWindow();
    Host().ContentWindows().UnregisterProvider(offered);
}

// The whole road of a shortcut with the real component: keyboard order mode on, the contract
// linked from the market watch, F1 ("买入开仓" at the ask) pressed on the main window.
class ShortcutTradeTest : public UiFixture {};

TEST_F(ShortcutTradeTest, AShortcutKeyOnTheMainWindowBuysTheLinkedContractInKeyboardOrderMode) {
    const Win::MessageBoxResponder previous =
        Win::SetMessageBoxResponder([](const Win::MessageBoxRequest&) { return Win::IDOK; });
    const Terminal::Market::Instrument& future = *Host().Market().Catalogue().At(0);
    Window().RunInstruct(QStringLiteral("OpenShortcutTrade"));
    Window().Watch()->Choose(future.index);
    Host().Settle();
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));

    QTest::keyClick(Window().windowHandle(), Qt::Key_F1);

    auto bought = [&] {
        for (const Json::Value& entry : JournalOf(Host(), QStringLiteral("Order"))) {
            const Json::Value& order = Kora::Utility::Member(entry["Request"], "Order");
            if (Kora::Utility::JsonText(order["Contract"], "ContractCode") == future.code &&
                Kora::Utility::JsonText(order, "Direction") == "0") {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(WaitUntil(bought));
    Win::SetMessageBoxResponder(previous);
}

}  // namespace
}  // namespace TerminalUiTest
