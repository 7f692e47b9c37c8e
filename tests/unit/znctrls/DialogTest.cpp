#include <gtest/gtest.h>

#include "support/WaitUntil.h"

#include "CKrDlgOperate.h"
#include "KRUI.h"
#include "platform/ControlId.h"
#include "platform/ModalRunner.h"
#include "support/ScopedModalRunner.h"

namespace {

class ToolDialog : public CKrDlgOperate {
public:
    ToolDialog() : CKrDlgOperate(11001) {}
    void InitUI() override { order.push_back("InitUI"); }
    void InitWindow() override { order.push_back("InitWindow"); }
    void OnKoraMsg(const QString& topic, const Json::Value& payload) override {
        order.push_back(topic.toStdString() + "=" + payload.asString());
    }
    void OnTimer(int id) override { timers.push_back(id); }
    std::vector<std::string> order;
    std::vector<int> timers;
};

TEST(ToolDialogs, CreationRunsInitUIThenInitWindowOnceAndMessageCentreMessagesComeOnTheDialogsThread) {
    ToolDialog d;
    EXPECT_FALSE(d.IsCreated());
    ASSERT_TRUE(d.Create());
    ASSERT_TRUE(d.Create());
    EXPECT_EQ(d.order, (std::vector<std::string>{"InitUI", "InitWindow"}));
    d.PostKoraMsg("AccountChange", Json::Value("x"));
    EXPECT_EVENTUALLY_EQ(d.order.size(), 3u);
    EXPECT_EQ(d.order.back(), "AccountChange=x");
}

TEST(ToolDialogs, TimersDeliverTheirIdUntilKilled) {
    ToolDialog d;
    d.SetTimer(3456, 1);
    ASSERT_TRUE(WaitUntil([&] { return !d.timers.empty(); }));
    d.KillTimer(3456);
    EXPECT_EQ(d.timers.front(), 3456);
    Win::PostMessage(&d, Win::WM_TIMER, 1, 0);
    size_t before = d.timers.size();
    ASSERT_TRUE(WaitUntil([&] { return d.timers.size() > before; }));
    EXPECT_EQ(d.timers.back(), 1);
}

TEST(ToolDialogs, ControlsAreFoundByTheirNumber) {
    ToolDialog d;
    auto* edit = new QWidget(&d);
    Win::SetControlId(edit, 11001);
    EXPECT_EQ(Win::FindControl(&d, 11001), edit);
    EXPECT_EQ(Win::ControlId(edit), 11001);
    EXPECT_EQ(Win::FindControl(&d, 11002), nullptr);
    EXPECT_EQ(Win::ControlId(&d), -1);
}

TEST(ToolDialogs, MessageBoxesAndModalRunsGoThroughTheirResponders) {
    std::vector<Win::MessageBoxRequest> seen;
    auto previous = Win::SetMessageBoxResponder([&](const Win::MessageBoxRequest& r) {
        seen.push_back(r);
        return Win::IDNO;
    });
    EXPECT_EQ(KRUI_MsgBox(nullptr, "改单确认", "提示", Win::MB_YESNO), Win::IDNO);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "改单确认");
    EXPECT_EQ(seen[0].title, "提示");
    EXPECT_EQ(seen[0].flags, Win::MB_YESNO);
    Win::SetMessageBoxResponder(previous);

    ToolDialog d;
    const ScopedModalRunner runner([](QDialog& dialog) {
        EXPECT_TRUE(static_cast<CKrDlg&>(dialog).IsCreated());
        return 7;
    });
    EXPECT_EQ(d.DoModal(), 7);
}

}  // namespace
