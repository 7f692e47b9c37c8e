#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "KernelOnMiniHost.h"
#include "kernel/HostAccess.h"
#include "kernel/MsgReceiver.h"

using Kora::Utility::Handle;
namespace K = Kora::Kernel;
namespace I = Kora::Interface;

namespace {

class Recorder : public K::MsgReceiver {
public:
    explicit Recorder(std::atomic<int>* delivered = nullptr) : m_delivered(delivered) {}
    ~Recorder() override { Detach(); }

    void OnMsg(const QString& topic, const Json::Value& payload, const Json::Value&) override {
        topics.push_back(topic);
        if (m_delivered) {
            ++*m_delivered;
        }
    }
    void OnHPMsg(uint32_t number, const void*, intptr_t) override { numbers.push_back(number); }

    std::vector<QString> topics;
    std::vector<uint32_t> numbers;

private:
    std::atomic<int>* m_delivered;
};

using Receivers = KernelOnMiniHost;

TEST_F(Receivers, SubscriptionsOnBothCentresAreDeliveredAllDroppedTogetherAndNoneWithoutTheCentre) {
    Recorder r;
    r.Subscriptions().Subscribe(QStringLiteral("A"));
    r.Subscriptions().Subscribe(QStringLiteral("B"));
    r.Subscriptions().SubscribeHP(30001);
    r.Subscriptions().SubscribeHP(30002);

    host->normalCenter->Post(QStringLiteral("B"), Json::Value(), 0);
    host->hpCenter->Deliver(30002, nullptr);
    EXPECT_EQ(r.topics, std::vector<QString>{QStringLiteral("B")});
    EXPECT_EQ(r.numbers, std::vector<uint32_t>{30002});

    r.Subscriptions().UnsubscribeAll();
    EXPECT_TRUE(r.Subscriptions().Topics().empty());
    EXPECT_TRUE(r.Subscriptions().HPNumbers().empty());
    EXPECT_EQ(host->normalCenter->SubscriberCount(QStringLiteral("A")), 0u);
    EXPECT_EQ(host->normalCenter->SubscriberCount(QStringLiteral("B")), 0u);
    EXPECT_EQ(host->hpCenter->SubscriberCount(30001), 0u);
    host->normalCenter->Post(QStringLiteral("A"), Json::Value(), 0);
    EXPECT_EQ(r.topics.size(), 1u);

    {
        Recorder destroyed;
        destroyed.Subscriptions().Subscribe(QStringLiteral("C"));
    }
    EXPECT_EQ(host->normalCenter->SubscriberCount(QStringLiteral("C")), 0u) << "destruction unsubscribes";

    // Without a centre nothing is subscribed or recorded on it.
    host->hpCenter = nullptr;
    Attach();
    EXPECT_FALSE(r.Subscriptions().SubscribeHP(30001));
    EXPECT_TRUE(r.Subscriptions().HPNumbers().empty());
    EXPECT_TRUE(r.Subscriptions().Subscribe(QStringLiteral("A")));
}

// The host may still hold a receiver's handler (a delivery snapshot taken on its own thread)
// when the receiver is destroyed: later messages must be dropped, never reach freed memory.
TEST_F(Receivers, AReceiverDestroyedDuringDeliveryFromAnotherThreadReceivesNothingMore) {
    for (int round = 0; round < 50; ++round) {
        std::atomic<int> delivered{0};
        auto* receiver = new Recorder(&delivered);
        receiver->Subscriptions().Subscribe(QStringLiteral("Tick"));
        std::vector<Handle<I::MsgHandlerI>> snapshot =
            host->normalCenter->Subscribers(QStringLiteral("Tick"));
        ASSERT_EQ(snapshot.size(), 1u);

        std::atomic<bool> destroyed{false};
        std::atomic<int> afterDestruction{0};
        std::thread hostThread([&] {
            while (!destroyed.load()) {
                snapshot[0]->OnMessage(QStringLiteral("Tick"), Json::Value(), Json::Value());
            }
            for (int i = 0; i < 100; ++i) {
                snapshot[0]->OnMessage(QStringLiteral("Tick"), Json::Value(), Json::Value());
                ++afterDestruction;
            }
        });
        while (delivered.load() == 0) {
            std::this_thread::yield();
        }
        delete receiver;
        int countAtDestruction = delivered.load();
        destroyed = true;
        hostThread.join();
        EXPECT_EQ(afterDestruction.load(), 100);
        EXPECT_EQ(delivered.load(), countAtDestruction);
    }
}

}  // namespace
