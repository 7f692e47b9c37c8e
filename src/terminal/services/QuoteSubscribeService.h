#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "host/HPMsgCenter.h"
#include "host/NormalMsgCenter.h"
#include "host/ServiceBase.h"
#include "kora/interface/QuoteSubscribeSvcI.h"
#include "market/Simulator.h"

namespace Terminal::Services {

// "Kora.Platform.Service.QuoteSubscribeSvc". A registered subscriber is also its own key sets
// (QuoteProxyI) and message handler (MsgHandlerI). Pushes are targeted: each goes through the
// high-performance centre only to the subscribers whose sets hold the contract (quote set for
// 30001 and 30005, tick set for 30002) and that subscribed that number there. Keys compare
// whole: the terminal's keys carry Market and Serial -1, as does a key read from its text form.
//
// History requests answer the requesting subscriber alone: "KLine_Day" with push 30003 and
// "WeightData" with push 30004 (record.historyType says which; the data itself is read from the
// base quote data service), and announce "Kora.Message.StgyHisDataDownload.OnDownloadItemOver"
// {"MarketID", "KRCode", "Type"} on the normal centre. Unknown contracts, kinds and subscribers
// are refused (false).
class QuoteSubscribeService : public ServiceBase<Kora::Interface::QuoteSubscribeSvcI> {
public:
    QuoteSubscribeService(Market::Simulator& market, HPMsgCenter& highPerformance, NormalMsgCenter& messages);

    bool RegisterSubscriber(Kora::Utility::Handle<Kora::Interface::QuoteSubscriberI> subscriber) override;
    bool UnregisterSubscriber(Kora::Utility::Handle<Kora::Interface::QuoteSubscriberI> subscriber) override;
    bool RequestHistory(Kora::Utility::Handle<Kora::Interface::QuoteSubscriberI> subscriber,
                        const Kora::Interface::QuoteKey& key, const QString& kind,
                        const Json::Value& range) override;

    // Pushes a quote (30001, and 30002 when it carries a trade) to its followers.
    void PushQuote(const Market::QuoteEvent& quote);
    // Pushes 30005 (static data changed) to the contract's followers.
    void PushStatic(int instrument);
    // Pushes a flash quote (30001 with the flash flag set).
    void PushFlash(int instrument, int32_t flashFlag);
    size_t SubscriberCount() const;
    void Clear();

private:
    struct Subscriber {
        Kora::Utility::Handle<Kora::Interface::QuoteSubscriberI> subscriber;
        Kora::Utility::Handle<Kora::Interface::QuoteProxyI> proxy;
        HPMsgCenter::HandlerHandle handler;
    };
    using Subscribers = std::vector<Subscriber>;

    std::shared_ptr<const Subscribers> Registered() const;
    std::vector<HPMsgCenter::HandlerHandle> Followers(const Kora::Interface::QuoteKey& key, bool ticks) const;
    std::shared_ptr<Kora::Interface::QuotePushRecord> BuildRecord(
        const Market::Instrument& instrument, const Kora::Interface::QuoteSnapshot& snapshot) const;

    Market::Simulator& m_market;
    HPMsgCenter& m_highPerformance;
    NormalMsgCenter& m_messages;
    mutable std::mutex m_lock;
    std::shared_ptr<const Subscribers> m_subscribers;  // replaced, never edited in place
};

}  // namespace Terminal::Services
