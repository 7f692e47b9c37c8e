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

// The types in order, each public with four keys, and the one menu name with an access key.
TEST(WindowProvider, SixPublicTypesInOrderAndTheBatchWindowsMenuNameWithItsAccessKey) {
    auto types = CKRTToolsCW().GetWindowTypes();
    QStringList names;
    for (const auto& type : *types) {
        names << type.at("Type");
        EXPECT_EQ(type.size(), 4u);
        EXPECT_EQ(type.at("Public"), "true");
    }
    EXPECT_EQ(names, (QStringList{"KRTToolQuickMouse", "KRFutureQMouse", "PositionAnalyze", "OptBatchWindow",
                                  "KROptionQMouse", "KRTShortcutTrade"}));
    EXPECT_EQ(types->at(3), (Kora::Utility::WStringMap{{"Type", "OptBatchWindow"},
                                                       {"Name", "期权批量交易"},
                                                       {"Public", "true"},
                                                       {"MenuName", "期权批量交易(&B)"}}));
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
