#include <gtest/gtest.h>

#include <vector>

#include "KernelOnMiniHost.h"
#include "kernel/HostAccess.h"
#include "kernel/MsgReceiver.h"
#include "kernel/QuoteReceiver.h"
#include "kora/interface/QuoteSubscribeSvcI.h"
#include "kora/utility/Exception.h"
#include "support/FaultRecorder.h"

using Kora::Utility::Handle;
namespace K = Kora::Kernel;
namespace I = Kora::Interface;

namespace {

struct Call {
    int kind;
    I::QuoteKey key;
    Json::Value info;
};

class Recorder : public K::QuoteReceiver {
public:
    ~Recorder() override { DetachQuotes(); }
    void OnQuotePush(const I::QuotePushRecord& r, const Json::Value& info) override {
        calls.push_back({1, r.key, info});
    }
    void OnTickPush(const I::QuotePushRecord& r, const Json::Value& info) override {
        calls.push_back({2, r.key, info});
    }
    void OnHistoryPush(const I::QuotePushRecord& r, const Json::Value& info) override {
        calls.push_back({3, r.key, info});
    }
    void OnWeightDataPush(const I::QuotePushRecord& r, const Json::Value& info) override {
        calls.push_back({4, r.key, info});
    }
    void OnStaticPush(const I::QuotePushRecord& r, const Json::Value& info) override {
        calls.push_back({5, r.key, info});
    }
    std::vector<Call> calls;
};

class QuoteService : public I::QuoteSubscribeSvcI, public MiniHost::ServiceBase {
public:
    QuoteService() : ServiceBase(I::QuoteSubscribeSvcI::ServiceName()) {}
    bool RegisterSubscriber(Handle<I::QuoteSubscriberI> s) override {
        subscribers.push_back(s);
        return true;
    }
    bool UnregisterSubscriber(Handle<I::QuoteSubscriberI> s) override {
        std::erase(subscribers, s);
        return true;
    }
    bool RequestHistory(Handle<I::QuoteSubscriberI>, const I::QuoteKey&, const QString&,
                        const Json::Value&) override {
        return true;
    }
    std::vector<Handle<I::QuoteSubscriberI>> subscribers;
};

class Quotes : public KernelOnMiniHost {
protected:
    Quotes() { host->AddService(service); }

    Handle<QuoteService> service{new QuoteService};
    const I::QuoteKey key{3, QStringLiteral("m2409"), 3, 0};
};

// Each push kind reaches its own callback, the others with null information.
TEST_F(Quotes, StartRegistersAndSubscribesAllFivePushesToTheirCallbacksStopUndoesBoth) {
    Recorder r;
    r.FollowQuotes({key});
    ASSERT_EQ(service->subscribers.size(), 1u);
    EXPECT_TRUE(service->subscribers[0]->CopyQuoteKeys().count(key));
    I::QuotePushRecord push;
    push.key = key;
    for (uint32_t n = 30001; n <= 30005; ++n) {
        host->hpCenter->Deliver(n, &push);
    }
    host->hpCenter->Deliver(30001, nullptr);  // a record-less push is dropped, not dereferenced
    ASSERT_EQ(r.calls.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(r.calls[i].kind, i + 1);
        EXPECT_EQ(r.calls[i].info.isNull(), i != 0);
    }
    // FollowQuotes replaces the set, AddQuotes extends it, on the one registration.
    const I::QuoteKey other{3, QStringLiteral("m2501"), 3, 0};
    r.AddQuotes({other});
    EXPECT_EQ(r.Subscriber().CopyQuoteKeys().size(), 2u);
    r.FollowQuotes({other});
    EXPECT_EQ(r.Subscriber().CopyQuoteKeys(), I::QuoteKeySet{other});
    EXPECT_EQ(service->subscribers.size(), 1u);
    r.StopQuotes();
    EXPECT_TRUE(service->subscribers.empty());
    for (uint32_t n = 30001; n <= 30005; ++n) {
        EXPECT_EQ(host->hpCenter->SubscriberCount(n), 0u) << n;
    }

    // Without a quote service the subscriber still listens on the centre.
    host->apiMgr->services.clear();
    r.FollowQuotes({key});
    EXPECT_EQ(host->hpCenter->SubscriberCount(I::kPushQuote), 1u);
}

TEST_F(Quotes, QuoteInformationCarriesExtDataOnlyWhenThePushHasIt) {
    Recorder r;
    r.FollowQuotes({key});
    I::QuotePushRecord push;
    push.key = key;
    push.isNewQuote = true;
    host->hpCenter->Deliver(I::kPushQuote, &push);

    push.hasExtData = true;
    push.ext = {1200.0, 38705, 38700, 38710, 15.0, 7.0};
    host->hpCenter->Deliver(I::kPushQuote, &push);

    ASSERT_EQ(r.calls.size(), 2u);
    const Json::Value& plain = r.calls[0].info;
    EXPECT_FALSE(plain.isMember("ExtData"));
    EXPECT_FALSE(plain["IsNewStatic"].asBool());
    EXPECT_TRUE(plain["IsNewQuote"].asBool());

    const Json::Value& ext = r.calls[1].info["ExtData"];
    EXPECT_DOUBLE_EQ(ext["Volume"].asDouble(), 1200.0);
    EXPECT_EQ(ext["Now"].asInt64(), 38705);
    EXPECT_EQ(ext["BuyPrice"].asInt64(), 38700);
    EXPECT_EQ(ext["SellPrice"].asInt64(), 38710);
    EXPECT_DOUBLE_EQ(ext["BuyVolume"].asDouble(), 15.0);
    EXPECT_DOUBLE_EQ(ext["SellVolume"].asDouble(), 7.0);

    // A flash push gives only its flash flag, whatever else it says.
    push.isNewTick = true;
    push.flashFlag = 2;
    host->hpCenter->Deliver(I::kPushQuote, &push);
    ASSERT_EQ(r.calls.size(), 3u);
    EXPECT_EQ(r.calls[2].info.getMemberNames(), std::vector<std::string>{"FlashFlag"});
    EXPECT_EQ(r.calls[2].info["FlashFlag"].asInt(), 2);
}

// A receiver that throws while the host delivers to it (a message of either centre, a quote
// push) unwound into the host's delivery loop. The fault is reported with the receiver and the
// message, the delivery returns normally, and later messages still arrive.
class Failing : public K::MsgReceiver, public K::QuoteReceiver {
public:
    ~Failing() override {
        Detach();
        DetachQuotes();
    }
    void OnMsg(const QString& topic, const Json::Value&, const Json::Value&) override {
        if (topic == QStringLiteral("Bad")) {
            throw Kora::Utility::NullHandleException(QStringLiteral("KoraUtility/Handle"), 36);
        }
        topics.push_back(topic);
    }
    void OnHPMsg(uint32_t, const void*, intptr_t) override { throw std::runtime_error("hp"); }
    void OnQuotePush(const I::QuotePushRecord&, const Json::Value&) override { throw std::bad_alloc(); }
    std::vector<QString> topics;
};

TEST_F(Quotes, AReceiverThatThrewUnwoundIntoTheHostsDeliveryAndIsNowReportedWithItsMessageAndSkipped) {
    FaultRecorder faults;
    Failing r;
    r.Subscriptions().Subscribe(QStringLiteral("Bad"));
    r.Subscriptions().Subscribe(QStringLiteral("Good"));
    r.Subscriptions().SubscribeHP(12345);
    r.FollowQuotes({key});
    I::QuotePushRecord push;
    push.key = key;

    EXPECT_NO_THROW(host->normalCenter->Post(QStringLiteral("Bad"), Json::Value(), 0));
    EXPECT_NO_THROW(host->hpCenter->Deliver(12345, nullptr));
    EXPECT_NO_THROW(host->hpCenter->Deliver(I::kPushQuote, &push));
    host->normalCenter->Post(QStringLiteral("Good"), Json::Value(), 0);

    EXPECT_EQ(r.topics, std::vector<QString>{QStringLiteral("Good")});
    using Fault = std::pair<QString, QString>;
    EXPECT_EQ(faults.Faults(),
              (std::vector<Fault>{
                  {"(anonymous namespace)::Failing|Bad", "KoraUtility/Handle:36: Kora::NullHandleException"},
                  {"(anonymous namespace)::Failing|消息12345", "std::runtime_error: hp"},
                  {"(anonymous namespace)::Failing|行情推送30001", "std::bad_alloc: std::bad_alloc"}}));
}

}  // namespace
