#include "widget/shortcut/KeyboardFixture.h"

#include <QMenu>
#include <QMenuBar>

#include "kora/interface/Topics.h"

namespace Topic = Kora::Interface::Topic;

namespace {

using KeyboardMode = KeyboardFixture;

TEST_F(KeyboardMode, OpenShortcutTradeTwiceTurnsTheModeOnThenOffAndAnnouncesBoth) {
    auto recorder = t.Host().Record({Topic::kShortcutSwitchChanged, Topic::kShortcutSetState});
    Execute("OpenShortcutTrade");
    ASSERT_TRUE(CKRTToolsApp::Instance().keyboardModeOn);
    auto* window = CKRTToolsApp::Instance().shortcutWindow.Get();
    ASSERT_NE(Strip(), nullptr);
    EXPECT_TRUE(Strip()->isVisibleTo(Strip()->parentWidget()));
    EXPECT_EQ(Strip()->parentWidget(), t.Host().MainWindow());

    Execute("OpenShortcutTrade");
    EXPECT_FALSE(CKRTToolsApp::Instance().keyboardModeOn);
    EXPECT_FALSE(Strip()->isVisibleTo(Strip()->parentWidget()));
    Press(Win::VK_F1);
    EXPECT_TRUE(Orders().empty()) << "a key acted while the mode was off";
    Execute("OpenShortcutTrade");
    EXPECT_EQ(CKRTToolsApp::Instance().shortcutWindow.Get(), window);  // created once, re-used

    std::vector<QString> expectedTopics{Topic::kShortcutSwitchChanged, Topic::kShortcutSetState,
                                        Topic::kShortcutSwitchChanged, Topic::kShortcutSetState,
                                        Topic::kShortcutSwitchChanged, Topic::kShortcutSetState};
    EXPECT_EQ(recorder->Topics(), expectedTopics);
    auto states = recorder->Payloads(Topic::kShortcutSetState);
    EXPECT_EQ(states[0]["State"].asString(), "Show");
    EXPECT_EQ(states[1]["State"].asString(), "Hide");
    EXPECT_FALSE(recorder->Payloads(Topic::kShortcutSwitchChanged)[1]["ShortcutSwitch"].asBool());
    EXPECT_TRUE(t.EngineLog().contains("100:开启键盘下单模式"));
    EXPECT_TRUE(t.EngineLog().contains("100:关闭键盘下单模式"));
}

TEST_F(KeyboardMode, TheStripFloatsAboveTheMainWindowClearOfItsMenuAndStaysWhereItIsDragged) {
    QWidget* main = t.Host().MainWindow();
    main->setGeometry(100, 100, 900, 600);
    auto* menu = new QMenuBar(main);
    menu->addMenu(QStringLiteral("系统"));
    menu->addMenu(QStringLiteral("账户"));
    menu->setGeometry(0, 0, main->width(), 24);
    menu->show();
    Execute("OpenShortcutTrade");
    ASSERT_NE(Strip(), nullptr);
    EXPECT_EQ(Strip()->parentWidget(), main) << "it hides, minimises and closes with the main window";
    EXPECT_TRUE(Strip()->isWindow());
    const auto onScreen = [](QWidget* widget) {
        return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    };
    EXPECT_FALSE(onScreen(Strip()).intersects(onScreen(menu))) << "the strip covered 系统 and 账户";

    const QPoint before = Strip()->pos();
    QTest::mousePress(Strip(), Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseMove(Strip(), QPoint(44, 24));
    QTest::mouseRelease(Strip(), Qt::LeftButton, {}, QPoint(44, 24));
    EXPECT_EQ(Strip()->pos(), before + QPoint(40, 20));
    Execute("OpenShortcutTrade");
    Execute("OpenShortcutTrade");
    EXPECT_EQ(Strip()->pos(), before + QPoint(40, 20));
}

TEST_F(KeyboardMode, WithoutALoggedInAccountItExplainsAndStaysOffAsItDoesWithoutTheEngine) {
    for (const char* account : {"E1001", "E1005", "E1006", "E1008"}) {
        t.Host().SetLoggedIn(account, false);
    }
    Execute("OpenShortcutTrade");
    const QString text =
        QStringLiteral("您按下了激活快捷键下单窗口的快捷键，此功能需要您先登录交易账号后才能使用，谢谢配合");
    EXPECT_EQ(t.BoxTexts(), QStringList{text});
    EXPECT_EQ(t.boxes[0].title, "提示");
    EXPECT_TRUE(t.EngineLog().contains("100:" + text));
    EXPECT_FALSE(CKRTToolsApp::Instance().keyboardModeOn);
    EXPECT_FALSE(CKRTToolsApp::Instance().shortcutWindow);

    // Nor without the engine, and nothing escapes to the host.
    t.Host().WithdrawService(QStringLiteral("Kora.Platform.Service.KRTEngine"));
    Execute("OpenShortcutTrade");
    EXPECT_FALSE(CKRTToolsApp::Instance().keyboardModeOn);
}

class KeyFilter : public KeyboardFixture {
protected:
    void SetUp() override {
        SetSetting("下单无需确认", true);
        Quote(Future(), 3000, 3001);
        Execute("OpenShortcutTrade");
        ASSERT_TRUE(CKRTToolsApp::Instance().keyboardModeOn);
    }
};

TEST_F(KeyFilter, OnePressOneOrderHoweverLongTheKeyRepeatsEvenBehindAConfirmation) {
    Down(Win::VK_F1);
    Down(Win::VK_F1);
    Down(Win::VK_F1);
    Pump();
    ASSERT_EQ(Orders().size(), 1u);
    EXPECT_EQ(Field(Orders()[0], "LimitPrice"), "3001");
    Up(Win::VK_F1);
    Down(Win::VK_F1);
    Up(Win::VK_F1);
    Pump();
    EXPECT_EQ(Orders().size(), 2u);

    // Behind a confirmation too; any key-up (the Enter that answered the box) frees the next press.
    SetSetting("下单无需确认", false);
    Post(Topic::kUserChangeParam);
    Down(Win::VK_F1);
    Down(Win::VK_F1);
    Pump();
    EXPECT_EQ(Orders().size(), 3u);
    EXPECT_EQ(t.boxes.size(), 1u);
    Up(Win::VK_RETURN);
    Down(Win::VK_F1);
    Pump();
    EXPECT_EQ(Orders().size(), 4u);
}

TEST_F(KeyFilter, ModifierKeysAloneNeverTriggerAndAChordIsLookedUpWithTheModifiersHeld) {
    Json::Value orders(Json::arrayValue);
    for (auto [vk, mask] : {std::pair{16, 4}, {17, 2}, {18, 1}}) {
        Json::Value element;
        element["快捷键"] = vk;
        element["控制键"] = mask;
        element["买卖"] = 0;
        element["开平"] = 0;
        element["价格"] = "卖一价";
        orders.append(element);
    }
    SetSetting("下单快捷键", orders);
    Post(Topic::kUserChangeParam);
    for (int modifier : {Win::VK_SHIFT, Win::VK_CONTROL, Win::VK_MENU}) {
        Press(modifier);
    }
    EXPECT_TRUE(Orders().empty());

    // A chord is looked up with the modifiers held; unknown chords are ignored.
    Json::Value cancelAll;
    cancelAll["快捷键"] = 116;
    cancelAll["控制键"] = 6;
    SetSetting("撤全部快捷键", cancelAll);
    Post(Topic::kUserChangeParam);
    t.answer = Win::IDNO;
    Press(Win::VK_F5, {Win::VK_CONTROL});
    EXPECT_TRUE(t.boxes.empty());
    Press(Win::VK_F5, {Win::VK_CONTROL, Win::VK_SHIFT});
    EXPECT_EQ(t.BoxTexts(), QStringList{"您是否确认撤销所有未成交的委托？"});
}

TEST_F(KeyFilter, AnAltReleaseThatNeverReachedTheFilterDoesNotTurnTheNextF1IntoAltF1) {
    // Alt goes down as the filter sees it; its release is taken by a pop-up (or the terminal
    // loses the focus) and only the window system knows Alt is up again.
    HoldModifier(Win::VK_MENU, true);
    Key(Win::WM_SYSKEYDOWN, Win::VK_MENU);
    HoldModifier(Win::VK_MENU, false);
    Press(Win::VK_F1);
    EXPECT_EQ(Orders().size(), 1u) << "F1 was looked up as Alt+F1 and did nothing";
}

TEST_F(KeyFilter, AnF1WhoseReleaseAPopUpOrAnotherApplicationTookStillLetsTheNextF1Order) {
    Down(Win::VK_F1);
    Pump();
    ASSERT_EQ(Orders().size(), 1u);
    // The release goes to a pop-up menu, which then closes.
    QMenu menu;
    menu.addAction(QStringLiteral("撤单"));
    menu.popup(QPoint(10, 10));
    menu.close();
    Down(Win::VK_F1);
    Pump();
    EXPECT_EQ(Orders().size(), 2u) << "the latch of the first press held on";

    // The release happens while another application has the keyboard.
    QEvent deactivated(QEvent::ApplicationDeactivate);
    QCoreApplication::sendEvent(qApp, &deactivated);
    Down(Win::VK_F1);
    Pump();
    EXPECT_EQ(Orders().size(), 3u);
}

TEST_F(KeyFilter, ALockedTerminalOnlyLogs) {
    t.Host().Engine().SetLocked(true);
    Press(Win::VK_F1);
    EXPECT_TRUE(Orders().empty());
    EXPECT_TRUE(
        t.EngineLog().contains("1:交易已锁屏时使用快捷键或者焦点在密码框且输入密码包含快捷键值则返回!"));
    t.Host().Engine().SetLocked(false);
    Press(Win::VK_F1);
    EXPECT_EQ(Orders().size(), 1u);
}

}  // namespace
