#include "kernel/QuoteReceiver.h"

#include "platform/EntryGuard.h"

namespace Kora::Kernel {

void QuoteReceiver::Sweeper::Forward(int kind, const Interface::QuotePushRecord& record,
                                     const Json::Value& info) {
    std::lock_guard lock(m_lock);
    if (!m_owner) {
        return;
    }
    switch (kind) {
        case 1:
            m_owner->OnQuotePush(record, info);
            break;
        case 2:
            m_owner->OnTickPush(record, info);
            break;
        case 3:
            m_owner->OnHistoryPush(record, info);
            break;
        case 4:
            m_owner->OnWeightDataPush(record, info);
            break;
        case 5:
            m_owner->OnStaticPush(record, info);
            break;
        default:
            break;
    }
}

void QuoteReceiver::Sweeper::ClearOwner() {
    std::lock_guard lock(m_lock);
    m_owner = nullptr;
}

QString QuoteReceiver::Sweeper::OwnerName() {
    std::lock_guard lock(m_lock);
    return m_owner ? Win::TypeName(typeid(*m_owner)) : QString();
}

QString QuoteReceiver::MyQuoteSubscriber::ReceiverName() const {
    return m_sweeper.OwnerName();
}

void QuoteReceiver::MyQuoteSubscriber::Dispatch(int kind, const Interface::QuotePushRecord& record,
                                                const Json::Value& info) {
    m_sweeper.Forward(kind, record, info);
}

QuoteReceiver::QuoteReceiver() : m_subscriber(new MyQuoteSubscriber(this)) {}

QuoteReceiver::~QuoteReceiver() {
    DetachQuotes();
}

void QuoteReceiver::FollowQuotes(const Interface::QuoteKeySet& keys) {
    m_subscriber->ClearQuoteKeys();
    AddQuotes(keys);
}

void QuoteReceiver::AddQuotes(const Interface::QuoteKeySet& keys) {
    m_subscriber->AddQuoteKeys(keys);
    if (!m_subscriber->IsStarted()) {
        m_subscriber->Start();
    }
}

void QuoteReceiver::StopQuotes() {
    if (m_subscriber->IsStarted()) {
        m_subscriber->Stop();
    }
}

void QuoteReceiver::DetachQuotes() {
    m_subscriber->GetSweeper().ClearOwner();
    StopQuotes();
}

QuoteSubscriber& QuoteReceiver::Subscriber() {
    return *m_subscriber;
}

Utility::Handle<Interface::QuoteSubscriberI> QuoteReceiver::SubscriberHandle() const {
    return Utility::Handle<Interface::QuoteSubscriberI>(m_subscriber.Get());
}

}  // namespace Kora::Kernel
