#pragma once

#include <json/value.h>

#include <set>

#include "kora/interface/QuoteKey.h"
#include "kora/interface/ServiceInterfaceI.h"

namespace Kora::Interface {

using QuoteKeySet = std::set<QuoteKey>;

// A subscriber's contract sets, which the quote service reads and the subscriber edits. The
// first set is the contracts whose quotes it follows, the second those whose ticks (trades) it
// follows. Every operation is safe from any thread.
class KORA_API QuoteProxyI : public virtual Utility::Shared {
public:
    virtual QuoteKeySet GetQuoteKeys() = 0;
    virtual void AddQuoteKeys(const QuoteKeySet& keys) = 0;
    virtual void ClearQuoteKeys() = 0;
    virtual bool HasQuoteKey(const QuoteKey& key) = 0;
    virtual QuoteKeySet GetTickKeys() = 0;
    virtual void AddTickKeys(const QuoteKeySet& keys) = 0;
    virtual void ClearTickKeys() = 0;
    virtual bool HasTickKey(const QuoteKey& key) = 0;
};

class KORA_API QuoteSubscriberI : public virtual Utility::Shared {
public:
    virtual QuoteKeySet CopyQuoteKeys() = 0;
    virtual QuoteKeySet CopyTickKeys() = 0;
    virtual void Start() = 0;
    virtual void Stop() = 0;
};

// The host's quote service: pushes reach registered subscribers (for contracts in their sets)
// through the high-performance centre; history answers come back the same way (30003, 30004).
class KORA_API QuoteSubscribeSvcI : public virtual ServiceInterfaceI {
public:
    static QString ServiceName() { return QStringLiteral("Kora.Platform.Service.QuoteSubscribeSvc"); }

    virtual bool RegisterSubscriber(Utility::Handle<QuoteSubscriberI> subscriber) = 0;
    virtual bool UnregisterSubscriber(Utility::Handle<QuoteSubscriberI> subscriber) = 0;
    // Asks for history of a kind ("KLine_Day", "WeightData") over a range (null: all); the answer
    // is pushed to the subscriber. False when the request cannot be taken.
    virtual bool RequestHistory(Utility::Handle<QuoteSubscriberI> subscriber, const QuoteKey& key,
                                const QString& kind, const Json::Value& range) = 0;
};

}  // namespace Kora::Interface
