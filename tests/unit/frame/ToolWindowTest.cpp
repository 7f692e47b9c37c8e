#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include "frame/CKRTToolsCW.h"
#include "frame/ToolWindow.h"
#include "platform/WinMessage.h"

using Kora::Utility::Handle;
namespace I = Kora::Interface;

namespace {

class CountingDialog : public CKrDlgOperate {
public:
    CountingDialog() : CKrDlgOperate(1) {}
    bool PreTranslateMessage(const I::WindowMessage&) override {
        ++preTranslated;
        return true;
    }
    void UnSubscribeMsg() override { ++unsubscribed; }
    int preTranslated = 0;
    int unsubscribed = 0;
};

I::WindowMessage KeyDown(int key) {
    return I::WindowMessage{nullptr, Win::WM_KEYDOWN, static_cast<I::WPARAM>(key), 0};
}

TEST(ToolWindow, EscapeAndF12NeverReachTheDialogOtherKeysDoAndPreDestroyUnsubscribes) {
    auto* dialog = new CountingDialog;
    Handle<ToolWindow> window(new ToolWindow(std::unique_ptr<CKrDlgOperate>(dialog)));
    EXPECT_EQ(window->PreTranslateMessage(KeyDown(Win::VK_ESCAPE)), 0);
    EXPECT_EQ(window->PreTranslateMessage(KeyDown(Win::VK_F12)), 0);
    EXPECT_EQ(dialog->preTranslated, 0);
    EXPECT_EQ(window->PreTranslateMessage(KeyDown('A')), 1);
    EXPECT_EQ(window->PreTranslateMessage(I::WindowMessage{nullptr, Win::WM_KEYUP, Win::VK_ESCAPE, 0}), 1);
    EXPECT_EQ(dialog->preTranslated, 2);
    window->PreDestroy({});
    EXPECT_EQ(dialog->unsubscribed, 1) << "PreDestroy drops the dialog's subscriptions";
}

TEST(ToolWindow, ADockedDialogIsNotClosedByEscape) {
    QWidget dock;
    Handle<I::ContentWindowI> window =
        CKRTToolsCW().CreateContentWindow(QStringLiteral("KRFutureQMouse"), {});
    window->SetParent(&dock);
    window->Move(0, 0, 300, 400);
    window->Show(true);
    dock.show();
    QWidget* dialog = window->GetHwnd();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(window->GetParent(), &dock);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(dialog, &escape);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->geometry(), QRect(0, 0, 300, 400));
    window->SetParent(nullptr);
}

TEST(WindowProvider, SixTypesInOrderEachWithExactlyFourKeys) {
    auto types = CKRTToolsCW().GetWindowTypes();
    const char* expected[][3] = {
        {"KRTToolQuickMouse", "快鼠交易", "快鼠交易"},
        {"KRFutureQMouse", "期货快鼠交易", "期货快鼠交易"},
        {"PositionAnalyze", "持仓风险分析", "持仓风险分析"},
        {"OptBatchWindow", "期权批量交易", "期权批量交易(&B)"},
        {"KROptionQMouse", "期权快鼠交易", "期权快鼠交易"},
        {"KRTShortcutTrade", "键盘下单", "键盘下单"},
    };
    ASSERT_EQ(types->size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ((*types)[i], (Kora::Utility::WStringMap{{"Type", expected[i][0]},
                                                          {"Name", expected[i][1]},
                                                          {"Public", "true"},
                                                          {"MenuName", expected[i][2]}}));
    }
}

TEST(WindowProvider, TypesAreMatchedCaseSensitivelyEveryKnownTypeOpensAndTheStripAnswersLinkage) {
    CKRTToolsCW provider;
    EXPECT_FALSE(provider.CreateContentWindow(QStringLiteral("krfutureqmouse"), {}));
    EXPECT_FALSE(provider.CreateContentWindow(QStringLiteral("KRFutureQMouse "), {}));
    EXPECT_FALSE(provider.CreateContentWindow(QString(), {}));
    auto types = provider.GetWindowTypes();
    for (const auto& type : *types) {
        Handle<I::ContentWindowI> window = provider.CreateContentWindow(type.at("Type"), {{"Key", "Value"}});
        ASSERT_TRUE(window) << type.at("Type").toStdString();
        EXPECT_NE(window->GetHwnd(), nullptr);
        window->PreDestroy({});
    }
    Handle<I::ContentWindowI> stock = provider.CreateContentWindow(QStringLiteral("KRTToolQuickMouse"), {});
    EXPECT_TRUE(stock->IsType(QStringLiteral("KRTToolQuickMouse")));
    EXPECT_EQ(stock->QueryParam({{"Function", "ChangeStock"}}), "ChangeStock");
    EXPECT_EQ(stock->QueryParam({}), "");

    // The keyboard strip answers linkage with true.
    Handle<I::ContentWindowI> window = provider.CreateContentWindow(QStringLiteral("KRTShortcutTrade"), {});
    Json::Value linkage;
    linkage["Function"] = "Linkage";
    linkage["ActivityParam"] = "(3,m2409)";
    Json::Value result;
    EXPECT_TRUE(window->OnNotify(linkage, result));
    EXPECT_EQ(result, Json::Value(true));
}

}  // namespace
