#include <gtest/gtest.h>

#include "KernelOnMiniHost.h"
#include "kernel/HostAccess.h"

using Kora::Utility::Handle;
namespace K = Kora::Kernel;
namespace I = Kora::Interface;

namespace {

class EchoSvcI : public virtual I::ServiceInterfaceI {
public:
    static QString ServiceName() { return QStringLiteral("Kora.Platform.Service.Echo"); }
    virtual int Echo(int v) = 0;
};

class EchoSvc : public EchoSvcI, public MiniHost::ServiceBase {
public:
    EchoSvc() : ServiceBase(EchoSvcI::ServiceName()) {}
    int Echo(int v) override { return v; }
};

class ServiceAccess : public KernelOnMiniHost {
protected:
    ServiceAccess() { host->AddService(Handle<I::ServiceInterfaceI>(new EchoSvc)); }
};

TEST_F(ServiceAccess, WithCachingTheRegistryIsAskedOnceAndWithoutItEveryTime) {
    ASSERT_TRUE(K::GetService<EchoSvcI>());
    ASSERT_TRUE(K::GetService<EchoSvcI>());
    EXPECT_EQ(K::GetService<EchoSvcI>()->Echo(4), 4);
    EXPECT_EQ(host->hostLookups, 1);  // the registry itself, once
    EXPECT_EQ(host->apiMgr->lookups, 1);

    // With caching off every lookup reaches the host again.
    host->canCache = false;
    Attach();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(K::GetService<EchoSvcI>());
    }
    EXPECT_EQ(host->hostLookups, 4);
    EXPECT_EQ(host->apiMgr->lookups, 4);
    K::GetAPIMgr();
    EXPECT_EQ(host->hostLookups, 5);
}

TEST_F(ServiceAccess, ANewHostForgetsEverythingCachedFromTheOldOne) {
    ASSERT_TRUE(K::GetService<EchoSvcI>());
    Handle<MiniHost::Host> other(new MiniHost::Host);
    K::SetHost(other.Get());
    EXPECT_FALSE(K::GetService<EchoSvcI>());
    EXPECT_FALSE(K::GetService<EchoSvcI>());
}

TEST_F(ServiceAccess, MissingRegistryServiceOrCentreGiveEmptyHandlesThatThrowWhenUsedAndPostNothing) {
    K::PostMsg(QStringLiteral("T"), Json::Value(1));
    EXPECT_EQ(host->normalCenter->posts.size(), 1u);
    host->apiMgr = nullptr;
    host->normalCenter = nullptr;
    Attach();
    Handle<EchoSvcI> none = K::GetService<EchoSvcI>();
    EXPECT_FALSE(none);
    EXPECT_THROW(none->Echo(1), Kora::Utility::NullHandleException);
    EXPECT_FALSE(K::GetAPIMgr());
    K::PostMsg(QStringLiteral("T"), Json::Value(2));
    EXPECT_FALSE(K::GetNormalMsgCenter());
}

}  // namespace
