#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

#include "kora/interface/MsgCenterI.h"
#include "kora/interface/QuotePush.h"

namespace Terminal {

// The high-performance message centre: numbered messages with a raw record, delivered in the
// order enqueued on one worker thread of its own. For each message the worker takes the
// subscribers of its number under the centre's lock and calls them after releasing it (handlers
// take their own locks, often while subscribing here: calling them under the centre's lock would
// invert the lock order). The record lives until every handler has returned.
//
// A handler that throws is reported on stderr; delivery goes on.
class HPMsgCenter : public Kora::Interface::HPMsgCenterI {
public:
    using HandlerHandle = Kora::Utility::Handle<Kora::Interface::MsgHandlerI>;

    HPMsgCenter();
    ~HPMsgCenter() override;

    bool Subscribe(HandlerHandle handler, uint32_t number) override;
    bool Unsubscribe(HandlerHandle handler, uint32_t number) override;

    // Every subscriber of the number receives the record.
    void Publish(uint32_t number, std::shared_ptr<const void> record, intptr_t extra = 0);
    // Only those of the targets that subscribed the number receive it.
    void Deliver(uint32_t number, std::shared_ptr<const void> record, std::vector<HandlerHandle> targets,
                 intptr_t extra = 0);
    // A quote push for the targets; stamps record->enqueuedNs (steady clock) as it enters.
    void DeliverQuote(uint32_t number, std::shared_ptr<Kora::Interface::QuotePushRecord> record,
                      std::vector<HandlerHandle> targets);

    // Returns when everything enqueued before the call has been delivered. Called from a
    // handler it returns at once.
    void WaitIdle();
    std::thread::id WorkerThread() const { return m_worker.get_id(); }
    uint64_t DeliveredCount() const;
    size_t SubscriberCount(uint32_t number) const;
    // Drops every subscription (the host shutting down); the worker keeps running.
    void Clear();

private:
    struct Item {
        uint32_t number = 0;
        std::shared_ptr<const void> record;
        intptr_t extra = 0;
        bool broadcast = true;
        std::vector<HandlerHandle> targets;
    };
    using SubscriberMap = std::unordered_map<uint32_t, std::vector<HandlerHandle>>;

    void Enqueue(Item item);
    void Run();
    // Answers the number of handler calls made.
    uint64_t DeliverItem(const Item& item);
    std::shared_ptr<const SubscriberMap> Subscribers() const;

    mutable std::mutex m_subscriberLock;
    std::shared_ptr<const SubscriberMap> m_subscribers;  // replaced, never edited in place

    mutable std::mutex m_queueLock;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<Item> m_queue;
    uint64_t m_enqueued = 0;
    uint64_t m_done = 0;
    uint64_t m_delivered = 0;  // handler calls made
    bool m_stop = false;
    std::thread m_worker;
};

}  // namespace Terminal
