// The two message centres: who receives what, on which thread, in which order.

#include <gtest/gtest.h>

#include <QThread>
#include <atomic>
#include <functional>
#include <thread>

#include "TerminalTestSupport.h"
#include "host/HPMsgCenter.h"
#include "host/MessageRecorder.h"
#include "host/NormalMsgCenter.h"

using namespace Terminal;
using Kora::Utility::Handle;

namespace {

Json::Value Numbered(int n) {
    Json::Value payload(Json::objectValue);
    payload["N"] = n;
    return payload;
}

TEST(NormalMsgCenterTest, PostsFromAnyThreadArriveOnTheUiThreadInOrder) {
    Handle<NormalMsgCenter> center(new NormalMsgCenter);
    Handle<MessageRecorder> recorder(new MessageRecorder);
    center->Subscribe(recorder, QStringLiteral("A"));
    center->Subscribe(recorder, QStringLiteral("B"));
    std::thread poster([&] {
        for (int n = 0; n < 200; ++n) {
            center->Post(n % 2 ? QStringLiteral("A") : QStringLiteral("B"), Numbered(n), 0);
        }
    });
    poster.join();
    ASSERT_TRUE(WaitUntil([&] { return recorder->Messages().size() == 200; }));
    const auto messages = recorder->Messages();
    for (int n = 0; n < 200; ++n) {
        EXPECT_EQ(messages[n].payload["N"].asInt(), n);
        EXPECT_EQ(messages[n].thread, std::this_thread::get_id());
    }
}

TEST(NormalMsgCenterTest, OnlyCurrentSubscribersOfATopicReceiveIt) {
    Handle<NormalMsgCenter> center(new NormalMsgCenter);
    Handle<MessageRecorder> leaving(new MessageRecorder);
    Handle<MessageRecorder> everything(new MessageRecorder);
    center->Subscribe(leaving, QStringLiteral("A"));
    center->Subscribe(everything, NormalMsgCenter::kEveryTopic);
    center->Post(QStringLiteral("A"), Numbered(1), 0);
    center->Post(QStringLiteral("C"), Numbered(2), 0);
    // Unsubscribed after posting but before delivery: nothing arrives.
    EXPECT_TRUE(center->Unsubscribe(leaving, QStringLiteral("A")));
    EXPECT_FALSE(center->Unsubscribe(leaving, QStringLiteral("A")));
    center->DeliverPending();
    EXPECT_TRUE(leaving->Messages().empty());
    EXPECT_EQ(everything->Topics(), (std::vector<QString>{QStringLiteral("A"), QStringLiteral("C")}));
    EXPECT_EQ(center->PendingCount(), 0u);
}

// A handler that does what the test gives it to do.
class ScriptedHandler : public Kora::Interface::MsgHandlerI {
public:
    std::function<void(uint32_t)> onHP = [](uint32_t) {};
    std::function<void(const QString&, const Json::Value&)> onMessage = [](const QString&,
                                                                           const Json::Value&) {};
    void OnHPMessage(uint32_t number, const void*, intptr_t) override { onHP(number); }
    void OnMessage(const QString& topic, const Json::Value& payload, const Json::Value&) override {
        onMessage(topic, payload);
    }
};

TEST(NormalMsgCenterTest, MessagesPostedDuringDeliveryFollowInTheSamePass) {
    Handle<NormalMsgCenter> center(new NormalMsgCenter);
    Handle<ScriptedHandler> relay(new ScriptedHandler);
    relay->onMessage = [&](const QString&, const Json::Value& payload) {
        center->Post(QStringLiteral("Answer"), payload, 0);
    };
    Handle<MessageRecorder> recorder(new MessageRecorder);
    center->Subscribe(relay, QStringLiteral("Ask"));
    center->Subscribe(recorder, NormalMsgCenter::kEveryTopic);
    center->Post(QStringLiteral("Ask"), Numbered(1), 0);
    center->Post(QStringLiteral("Later"), Numbered(2), 0);
    center->DeliverPending();
    EXPECT_EQ(recorder->Topics(), (std::vector<QString>{QStringLiteral("Ask"), QStringLiteral("Later"),
                                                        QStringLiteral("Answer")}));
}

TEST(HPMsgCenterTest, DeliversOnItsWorkerThreadOnlyToSubscribedTargets) {
    Handle<HPMsgCenter> center(new HPMsgCenter);
    Handle<MessageRecorder> subscribed(new MessageRecorder);
    Handle<MessageRecorder> other(new MessageRecorder);
    center->Subscribe(subscribed, 30001);
    center->Subscribe(other, 30002);
    auto record = std::make_shared<Kora::Interface::QuotePushRecord>();
    center->DeliverQuote(30001, record, {subscribed, other});
    center->Publish(30002, std::make_shared<int>(5));
    center->Publish(30003, std::make_shared<int>(6));  // nobody listens
    center->WaitIdle();

    ASSERT_EQ(subscribed->Messages().size(), 1u);
    EXPECT_EQ(subscribed->Messages()[0].number, 30001u);
    EXPECT_EQ(subscribed->Messages()[0].thread, center->WorkerThread());
    EXPECT_NE(center->WorkerThread(), std::this_thread::get_id());
    ASSERT_EQ(other->Messages().size(), 1u);
    EXPECT_EQ(other->Messages()[0].number, 30002u);
    EXPECT_GT(record->enqueuedNs, 0);
    EXPECT_EQ(center->DeliveredCount(), 2u);
}

TEST(HPMsgCenterTest, HandlersRunWithoutTheCentresLockSoSubscribingUnderTheirOwnLockCannotDeadlock) {
    // The handler guards its state with its own lock, as the glue's subscribers do, and
    // subscribes while holding it.
    Handle<HPMsgCenter> center(new HPMsgCenter);
    Handle<ScriptedHandler> handler(new ScriptedHandler);
    std::mutex lock;
    std::atomic<bool> entered{false};
    std::atomic<int> received{0};
    handler->onHP = [&](uint32_t) {
        entered = true;
        std::lock_guard hold(lock);
        ++received;
    };
    center->Subscribe(handler, 30001);
    {
        std::unique_lock held(lock);
        center->Publish(30001, std::make_shared<int>(1));
        ASSERT_TRUE(WaitUntil([&] { return entered.load(); }));
        // The worker now waits for our lock inside the handler; the centre must still take a
        // subscription from us.
        EXPECT_TRUE(center->Subscribe(handler, 30002));
        EXPECT_TRUE(center->Unsubscribe(handler, 30002));
    }
    center->WaitIdle();
    EXPECT_EQ(received.load(), 1);
}

TEST(HPMsgCenterTest, AFailingHandlerDoesNotStopDelivery) {
    Handle<HPMsgCenter> center(new HPMsgCenter);
    Handle<ScriptedHandler> broken(new ScriptedHandler);
    broken->onHP = [](uint32_t) { throw std::runtime_error("broken handler"); };
    Handle<MessageRecorder> recorder(new MessageRecorder);
    center->Subscribe(broken, 30001);
    center->Subscribe(recorder, 30001);
    center->Publish(30001, std::make_shared<int>(1));
    center->Publish(30001, std::make_shared<int>(2));
    center->WaitIdle();
    EXPECT_EQ(recorder->Messages().size(), 2u);
}

}  // namespace
