// The host object, its registry and the component loader.

#include <gtest/gtest.h>

#include "TerminalTestSupport.h"
#include "kora/interface/Topics.h"

using namespace Terminal;
using namespace TerminalTest;
using namespace Kora::Interface;
using Kora::Utility::Handle;

namespace {

TEST(HostObjectTest, AnswersServicesAndCentresByName) {
    HostRuntime host(ScriptedOptions());
    Handle<HostI> object = host.Host();
    EXPECT_TRUE(object->GetService(APIMgrI::ServiceName()).Cast<APIMgrI>());
    EXPECT_TRUE(object->GetService(KRTEngineI::ServiceName()).Cast<KRTEngineI>());
    EXPECT_FALSE(object->GetService(QStringLiteral("Kora.Platform.Service.Nothing")));
    EXPECT_TRUE(object->GetMsgCenter(MsgCenterI::CenterName()).Cast<MsgCenterI>());
    EXPECT_TRUE(object->GetMsgCenter(HPMsgCenterI::CenterName()).Cast<HPMsgCenterI>());
    EXPECT_FALSE(object->GetMsgCenter(QStringLiteral("Kora.MsgCenter.Other")));
    EXPECT_EQ(host.HostImpl().ServiceLookups(KRTEngineI::ServiceName()), 1);
    // Every service a tool relies on is offered.
    for (const char* name :
         {"KRTEngine", "EntityAccountMgr", "VirtualAccountMgr", "KRTContract", "KRTConfig", "ThemeSvc",
          "BaseQuoteDataSvc", "OptionsDataSvc", "AdvanceDataSvc", "QuoteSubscribeSvc", "ContentWindowSvc",
          "InstructSvc", "UIFrame", "TimeSvc", "Log", "SearchUIInterface", "ActivityMgrSvc",
          "KRTAddinCondition", "KRTAddinPublic"}) {
        EXPECT_TRUE(object->GetService(QStringLiteral("Kora.Platform.Service.") + name)) << name;
    }
    EXPECT_NE(host.UIFrame().GetMainWindow(), nullptr);
}

TEST(APIMgrTest, ANameIsTakenOnceAndOnlyItsOwnerGivesItBack) {
    HostRuntime host(ScriptedOptions());
    Handle<ServiceInterfaceI> second(new Services::LogService);
    EXPECT_FALSE(host.Registry().RegisterService(second));
    EXPECT_FALSE(host.Registry().UnregisterService(second));
    EXPECT_FALSE(host.Registry().RegisterService(Handle<ServiceInterfaceI>()));
    EXPECT_TRUE(host.WithdrawService(LogServiceI::ServiceName()));
    EXPECT_FALSE(host.WithdrawService(LogServiceI::ServiceName()));
    EXPECT_TRUE(host.Registry().RegisterService(second));
    EXPECT_EQ(host.Registry().GetService(LogServiceI::ServiceName(), true), second);
    EXPECT_TRUE(host.Registry().UnregisterService(second));
}

// The smallest component there is: it records how it was driven and can refuse to load.
class ScriptedComponent : public ComponentI {
public:
    explicit ScriptedComponent(std::vector<std::string>* calls, bool loads) : m_calls(calls), m_loads(loads) {
        SetStatic(true);
    }
    bool Prepare() override { return Note("Prepare", true); }
    bool Start() override { return Note("Start", true); }
    bool Load() override { return Note("Load", m_loads); }
    bool Unload() override { return Note("Unload", true); }
    bool Notify(int32_t) override { return true; }

private:
    bool Note(const char* call, bool answer) {
        m_calls->push_back(call);
        return answer;
    }
    std::vector<std::string>* m_calls;
    bool m_loads;
};

// Loads a ScriptedComponent whose calls, its destruction included, are noted in calls.
bool LoadScripted(HostRuntime& host, std::vector<std::string>& calls, bool loads, HostI** given = nullptr) {
    return host.LoadComponent(
        [&calls, loads, given](Handle<HostI> object) {
            if (given) {
                *given = object.Get();
            }
            return new ScriptedComponent(&calls, loads);
        },
        [&calls](ComponentI* component) {
            calls.push_back("Destroy");
            delete component;
        });
}

TEST(ComponentLoaderTest, DrivesTheComponentThroughItsLifeAndFreesItOnlyThroughDestroy) {
    HostRuntime host(ScriptedOptions());
    const std::vector<std::string> life{"Prepare", "Start", "Load", "Unload", "Destroy"};
    // One that refuses to load is unloaded and destroyed at once.
    std::vector<std::string> refused;
    EXPECT_FALSE(LoadScripted(host, refused, false));
    EXPECT_FALSE(host.LastError().isEmpty());
    EXPECT_EQ(host.Component(), nullptr);
    EXPECT_EQ(refused, life);

    std::vector<std::string> calls;
    HostI* given = nullptr;
    ASSERT_TRUE(LoadScripted(host, calls, true, &given));
    EXPECT_EQ(given, host.Host().Get());
    EXPECT_NE(host.Component(), nullptr);
    EXPECT_FALSE(host.LoadComponent([](Handle<HostI>) { return nullptr; }, [](ComponentI*) {}));
    host.UnloadComponent();
    host.UnloadComponent();
    EXPECT_EQ(calls, life);
}

TEST(ActivityTest, LinkageIsAnnouncedAndKeptPerWindow) {
    HostRuntime host(ScriptedOptions());
    Handle<MessageRecorder> linkage = host.Record({Topic::kStockChanged});
    const Json::Value param = JsonOf(R"j({"Stock": "(2002,m2408)", "CWID": "OptionQuickMouse"})j");
    Json::Value request = JsonOf(R"({"Function": "Linkage"})");
    request["ActivityParam"] = param;
    EXPECT_TRUE(host.Instructs().ExecuteInstruct(request).asBool());
    EXPECT_TRUE(host.Instructs().ExecuteInstruct(JsonOf(R"({"Function": "NoSuchInstruct"})")).isNull());
    host.Settle();
    ASSERT_EQ(linkage->Count(Topic::kStockChanged), 1u);
    EXPECT_EQ(linkage->Payloads(Topic::kStockChanged)[0], param);
    EXPECT_EQ(host.Activity().GetActivityParam(JsonOf(R"({"CWID": "OptionQuickMouse"})")), param);
    EXPECT_TRUE(host.Activity().GetActivityParam(Json::Value()).isNull());
    EXPECT_FALSE(host.Activity().AnnounceStockChanged(Json::Value("m2408")));
    EXPECT_EQ(host.Instructs().Executed().size(), 2u);
}

}  // namespace
