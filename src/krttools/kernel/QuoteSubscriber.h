#pragma once

#include <json/value.h>

#include <mutex>

#include "kernel/MsgHandler.h"
#include "kora/interface/QuotePush.h"
#include "kora/interface/QuoteSubscribeSvcI.h"

namespace Kora::Kernel {

// A set of followed contracts registered with the host's quote service. Start subscribes the
// quote pushes 30001-30005 on the high-performance centre and registers with the quote service;
// Stop undoes both. Pushes arrive on a host thread and go to Dispatch.
class QuoteSubscriber : public Interface::QuoteSubscriberI,
                        public Interface::QuoteProxyI,
                        public Interface::MsgHandlerI {
public:
    QuoteSubscriber();
    ~QuoteSubscriber() override;

    // QuoteSubscriberI
    Interface::QuoteKeySet CopyQuoteKeys() override;
    Interface::QuoteKeySet CopyTickKeys() override;
    void Start() override;
    void Stop() override;

    // QuoteProxyI
    Interface::QuoteKeySet GetQuoteKeys() override;
    void AddQuoteKeys(const Interface::QuoteKeySet& keys) override;
    void ClearQuoteKeys() override;
    bool HasQuoteKey(const Interface::QuoteKey& key) override;
    Interface::QuoteKeySet GetTickKeys() override;
    void AddTickKeys(const Interface::QuoteKeySet& keys) override;
    void ClearTickKeys() override;
    bool HasTickKey(const Interface::QuoteKey& key) override;

    // MsgHandlerI
    void OnHPMessage(uint32_t number, const void* record, intptr_t extra) override;
    void OnMessage(const QString& topic, const Json::Value& payload, const Json::Value& extra) override {}

    bool IsStarted() const;

protected:
    // One call per push: kind 1 to 5 for pushes 30001 to 30005; info is the quote information
    // for kind 1 and null otherwise.
    virtual void Dispatch(int kind, const Interface::QuotePushRecord& record, const Json::Value& info) {}
    // Who the pushes are for, in the log line about a push whose handling failed.
    virtual QString ReceiverName() const;

private:
    mutable std::recursive_mutex m_lock;
    Interface::QuoteKeySet m_quoteKeys;
    Interface::QuoteKeySet m_tickKeys;
    MsgHandler m_hpSubscriptions;
    bool m_started = false;
};

}  // namespace Kora::Kernel
