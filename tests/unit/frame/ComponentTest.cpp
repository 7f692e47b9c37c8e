#include <gtest/gtest.h>

#include <QWidget>

#include "CKrDlgOperate.h"
#include "frame/ThisComponent.h"
#include "kernel/HostAccess.h"
#include "kora/interface/KRTToolsI.h"
#include "kora/utility/JsonAccess.h"
#include "platform/WinMessage.h"
#include "support/ComponentOnHost.h"
#include "support/JsonOf.h"
#include "support/MiniHost.h"

using Kora::Utility::Handle;
namespace I = Kora::Interface;

namespace {

// A host with the three registries the component announces itself to; each test removes what
// it wants missing.
struct FullHost {
    FullHost()
        : host(new MiniHost::Host),
          instructs(new MiniHost::InstructSvc),
          windows(new MiniHost::ContentWindowSvc) {
        host->AddService(instructs);
        host->AddService(windows);
    }
    Handle<MiniHost::Host> host;
    Handle<MiniHost::InstructSvc> instructs;
    Handle<MiniHost::ContentWindowSvc> windows;
};

TEST(Component, LoadRegistersAllThreeWithTheirRecordsAndUnloadTakesThemBack) {
    FullHost h;
    ThisComponent component(h.host.Get());
    ASSERT_TRUE(component.Prepare());
    ASSERT_TRUE(component.Start());
    ASSERT_TRUE(component.Load());

    ASSERT_EQ(h.instructs->providers.size(), 1u);
    EXPECT_EQ(h.instructs->lastRegisterParams, (Kora::Utility::WStringMap{{"AutoUpdate", "true"}}));
    ASSERT_EQ(h.windows->providers.size(), 1u);
    auto tools = h.host->apiMgr->GetService(I::KRTToolsI::ServiceName(), true).Cast<I::KRTToolsI>();
    ASSERT_TRUE(tools);
    EXPECT_EQ(tools->GetVersionedName(), "Kora.Platform.Service.KRTTools.1");
    EXPECT_EQ(tools->GetServiceVersion(), 1);
    EXPECT_EQ(tools->GetServiceProperties(), (Kora::Utility::WStringMap{{"Text", "交易工具"}}));
    EXPECT_TRUE(component.Notify(42));

    const Json::Value expected = JsonOf(R"({"ComponentID": "7", "ComponentName": "交易工具模块",
        "ComponentAuthor": "", "ComponentFile": "KRTTools.dll", "ComponentCreateDate": 20170804,
        "ComponentModifyDate": 20170804, "ComponentVersion": "B001"})");
    EXPECT_EQ(tools->ComponentInfo(), expected);
    EXPECT_TRUE(tools->ComponentInfo()["ComponentCreateDate"].isInt());

    // The ids in order, and the one record whose description is a sentence.
    auto offered = component.InstructProvider()->GetInstructs();
    QStringList ids;
    for (const auto& instruct : *offered) {
        ids << instruct.at("Instruct");
    }
    EXPECT_EQ(ids, (QStringList{"QuickMouse", "OpenShortcutTrade", "PopOptBatchTrade", "OptionSellAnaly",
                                "OptionPriceCalc", "OptionTradeStatistics"}));
    EXPECT_EQ(offered->at(2), (Kora::Utility::WStringMap{{"Instruct", "PopOptBatchTrade"},
                                                         {"Name", "期权批量下单"},
                                                         {"Description", "弹出期权批量下单界面。"}}));

    // Load created the file-order window; it is created again only after it was destroyed.
    auto service = component.ToolsService();
    EXPECT_EQ(service->CreateFileOrderWindow(), nullptr);
    service->DestroyFileOrderWindow();
    I::WindowHandle window = service->CreateFileOrderWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isVisible());

    ASSERT_TRUE(component.Unload());
    EXPECT_TRUE(h.instructs->providers.empty());
    EXPECT_TRUE(h.windows->providers.empty());
    EXPECT_FALSE(h.host->apiMgr->GetService(I::KRTToolsI::ServiceName(), true));
}

TEST(Component, EachMissingRegistrySkipsOnlyItsOwnStep) {
    for (const QString& missing : {I::InstructSvcI::ServiceName(), I::ContentWindowSvcI::ServiceName()}) {
        FullHost h;
        h.host->apiMgr->services.erase(missing);
        ThisComponent component(h.host.Get());
        EXPECT_TRUE(component.Load());
        EXPECT_EQ(h.instructs->providers.size(), missing == I::InstructSvcI::ServiceName() ? 0u : 1u);
        EXPECT_EQ(h.windows->providers.size(), missing == I::ContentWindowSvcI::ServiceName() ? 0u : 1u);
        EXPECT_TRUE(h.host->apiMgr->GetService(I::KRTToolsI::ServiceName(), true));
        EXPECT_TRUE(component.Unload());
    }
    FullHost h;
    h.host->apiMgr = nullptr;  // no registry at all: nothing can be looked up or offered
    ThisComponent component(h.host.Get());
    EXPECT_TRUE(component.Load());
    EXPECT_FALSE(component.ToolsService());
    EXPECT_TRUE(component.Unload());
}

TEST(Component, HandlesNeverFreeTheComponentOnlyDestroyingItDoes) {
    FullHost h;
    auto* component = new ThisComponent(h.host.Get());
    { Handle<I::ComponentI> held(component); }
    EXPECT_TRUE(component->Prepare());
    delete component;
    EXPECT_EQ(Kora::Kernel::GetHost(), nullptr);
}

// A window whose message handler used a service the host lacks raised the glue's null-handle
// exception into the terminal's event loop, which ended the terminal. With the component loaded
// the fault is written to the engine's log at level 1, with the window and the message, and the
// terminal runs on.
class WindowOfAMissingService : public CKrDlgOperate {
public:
    WindowOfAMissingService() : CKrDlgOperate(11001) {}
    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override {
        if (message == Win::WM_USER + 9) {
            Handle<I::KRTToolsI> missing;
            missing->CloseToolFrame();
        }
        return CKrDlgOperate::OnMessage(message, wParam, lParam);
    }
};

TEST(HostBoundary, AHandlerThatMetAMissingServiceEndedTheTerminalAndIsNowLoggedAtLevelOne) {
    ComponentOnHost terminal;
    WindowOfAMissingService window;
    ASSERT_TRUE(Win::PostMessage(&window, Win::WM_USER + 9, 0, 0));
    const QString expected = QStringLiteral(
        "1:事件处理异常,已跳过|(anonymous namespace)::WindowOfAMissingService|消息1033|"
        "KoraUtility/Handle:36: Kora::NullHandleException");
    EXPECT_TRUE(WaitUntil([&] { return terminal.EngineLog().contains(expected); }))
        << terminal.EngineLog().join('\n').toStdString();
}

}  // namespace
