#pragma once

#include <json/value.h>

#include <mutex>

#include "kernel/QuoteSubscriber.h"

namespace Kora::Kernel {

// Base of tool classes that follow quotes. It owns a subscriber whose pushes reach the five
// callbacks below (one per push kind) on the host's delivery thread: callbacks must not block
// and hand UI work to their window as posted messages. Destruction (or DetachQuotes) stops the
// subscriber and drops pushes that arrive later. A derived class destroyed while pushes may
// arrive calls DetachQuotes() first in its own destructor.
class QuoteReceiver {
public:
    QuoteReceiver();
    virtual ~QuoteReceiver();
    QuoteReceiver(const QuoteReceiver&) = delete;
    QuoteReceiver& operator=(const QuoteReceiver&) = delete;

    virtual void OnQuotePush(const Interface::QuotePushRecord& record, const Json::Value& info) {}
    virtual void OnTickPush(const Interface::QuotePushRecord& record, const Json::Value& info) {}
    virtual void OnHistoryPush(const Interface::QuotePushRecord& record, const Json::Value& info) {}
    virtual void OnWeightDataPush(const Interface::QuotePushRecord& record, const Json::Value& info) {}
    virtual void OnStaticPush(const Interface::QuotePushRecord& record, const Json::Value& info) {}

    // Follows exactly these contracts (replacing the previous set) and starts the subscriber.
    void FollowQuotes(const Interface::QuoteKeySet& keys);
    // Adds contracts to the followed set and starts the subscriber if needed.
    void AddQuotes(const Interface::QuoteKeySet& keys);
    void StopQuotes();
    void DetachQuotes();

    QuoteSubscriber& Subscriber();
    Utility::Handle<Interface::QuoteSubscriberI> SubscriberHandle() const;

    // Forwards the subscriber's pushes to the owning receiver's callbacks.
    class Sweeper {
    public:
        explicit Sweeper(QuoteReceiver* owner) : m_owner(owner) {}
        void Forward(int kind, const Interface::QuotePushRecord& record, const Json::Value& info);
        void ClearOwner();
        QString OwnerName();

    private:
        std::recursive_mutex m_lock;
        QuoteReceiver* m_owner;
    };

    class MyQuoteSubscriber : public QuoteSubscriber {
    public:
        explicit MyQuoteSubscriber(QuoteReceiver* owner) : m_sweeper(owner) {}
        Sweeper& GetSweeper() { return m_sweeper; }

    protected:
        void Dispatch(int kind, const Interface::QuotePushRecord& record, const Json::Value& info) override;
        QString ReceiverName() const override;

    private:
        mutable Sweeper m_sweeper;
    };

private:
    Utility::Handle<MyQuoteSubscriber> m_subscriber;
};

}  // namespace Kora::Kernel
