#include "services/QuoteSubscribeService.h"

#include <algorithm>

#include "host/Records.h"
#include "kora/interface/Topics.h"

namespace Terminal::Services {

using namespace Kora::Interface;
using Kora::Utility::Handle;

QuoteSubscribeService::QuoteSubscribeService(Market::Simulator& market, HPMsgCenter& highPerformance,
                                             NormalMsgCenter& messages)
    : ServiceBase(QStringLiteral("行情订阅")),
      m_market(market),
      m_highPerformance(highPerformance),
      m_messages(messages),
      m_subscribers(std::make_shared<Subscribers>()) {}

bool QuoteSubscribeService::RegisterSubscriber(Handle<QuoteSubscriberI> subscriber) {
    Subscriber entry{subscriber, subscriber.Cast<QuoteProxyI>(), subscriber.Cast<MsgHandlerI>()};
    if (!subscriber || !entry.proxy || !entry.handler) {
        return false;
    }
    std::shared_ptr<const Subscribers> previous;
    std::lock_guard lock(m_lock);
    for (const Subscriber& s : *m_subscribers) {
        if (s.subscriber == subscriber) {
            return true;
        }
    }
    auto next = std::make_shared<Subscribers>(*m_subscribers);
    next->push_back(std::move(entry));
    previous = std::exchange(m_subscribers, std::move(next));
    return true;
}

bool QuoteSubscribeService::UnregisterSubscriber(Handle<QuoteSubscriberI> subscriber) {
    std::shared_ptr<const Subscribers> previous;
    std::lock_guard lock(m_lock);
    auto next = std::make_shared<Subscribers>(*m_subscribers);
    auto removed = std::remove_if(next->begin(), next->end(),
                                  [&](const Subscriber& s) { return s.subscriber == subscriber; });
    if (removed == next->end()) {
        return false;
    }
    next->erase(removed, next->end());
    previous = std::exchange(m_subscribers, std::move(next));
    return true;
}

std::shared_ptr<const QuoteSubscribeService::Subscribers> QuoteSubscribeService::Registered() const {
    std::lock_guard lock(m_lock);
    return m_subscribers;
}

size_t QuoteSubscribeService::SubscriberCount() const {
    return Registered()->size();
}

void QuoteSubscribeService::Clear() {
    std::shared_ptr<const Subscribers> previous;
    std::lock_guard lock(m_lock);
    previous = std::exchange(m_subscribers, std::make_shared<Subscribers>());
}

std::vector<HPMsgCenter::HandlerHandle> QuoteSubscribeService::Followers(const QuoteKey& key,
                                                                         bool ticks) const {
    // The subscribers' own locks are taken here, with none of ours held.
    const std::shared_ptr<const Subscribers> subscribers = Registered();
    std::vector<HPMsgCenter::HandlerHandle> followers;
    for (const Subscriber& s : *subscribers) {
        if (ticks ? s.proxy->HasTickKey(key) : s.proxy->HasQuoteKey(key)) {
            followers.push_back(s.handler);
        }
    }
    return followers;
}

std::shared_ptr<QuotePushRecord> QuoteSubscribeService::BuildRecord(const Market::Instrument& instrument,
                                                                    const QuoteSnapshot& snapshot) const {
    auto record = std::make_shared<QuotePushRecord>();
    record->key = Records::KeyOf(instrument);
    record->isNewQuote = true;
    record->hasExtData = true;
    record->ext.volume = snapshot.volume;
    record->ext.now = snapshot.last;
    record->ext.buyPrice = snapshot.book[0].bid.price;
    record->ext.sellPrice = snapshot.book[0].ask.price;
    record->ext.buyVolume = snapshot.book[0].bid.volume;
    record->ext.sellVolume = snapshot.book[0].ask.volume;
    record->priceDivisor = instrument.priceDivisor;
    record->snapshot = snapshot;
    return record;
}

void QuoteSubscribeService::PushQuote(const Market::QuoteEvent& quote) {
    const Market::Instrument* instrument = m_market.Catalogue().At(quote.instrument);
    if (!instrument) {
        return;
    }
    // Followers first: a record is built only for a contract someone follows.
    const QuoteKey key = Records::KeyOf(*instrument);
    auto tickFollowers = quote.traded ? Followers(key, true) : std::vector<HPMsgCenter::HandlerHandle>();
    auto quoteFollowers = Followers(key, false);
    if (tickFollowers.empty() && quoteFollowers.empty()) {
        return;
    }
    auto record = BuildRecord(*instrument, quote.snapshot);
    record->isNewTick = quote.traded;
    if (!tickFollowers.empty()) {
        m_highPerformance.DeliverQuote(kPushTick, std::make_shared<QuotePushRecord>(*record),
                                       std::move(tickFollowers));
    }
    m_highPerformance.DeliverQuote(kPushQuote, std::move(record), std::move(quoteFollowers));
}

void QuoteSubscribeService::PushStatic(int instrument) {
    const Market::Instrument* subject = m_market.Catalogue().At(instrument);
    if (!subject) {
        return;
    }
    auto record = BuildRecord(*subject, m_market.Snapshot(instrument));
    record->isNewQuote = false;
    record->isNewStatic = true;
    auto followers = Followers(record->key, false);
    m_highPerformance.DeliverQuote(kPushStatic, std::move(record), std::move(followers));
}

void QuoteSubscribeService::PushFlash(int instrument, int32_t flashFlag) {
    const Market::Instrument* subject = m_market.Catalogue().At(instrument);
    if (!subject || flashFlag == 0) {
        return;
    }
    auto record = BuildRecord(*subject, m_market.Snapshot(instrument));
    record->flashFlag = flashFlag;
    auto followers = Followers(record->key, false);
    m_highPerformance.DeliverQuote(kPushQuote, std::move(record), std::move(followers));
}

bool QuoteSubscribeService::RequestHistory(Handle<QuoteSubscriberI> subscriber, const QuoteKey& key,
                                           const QString& kind, const Json::Value&) {
    const Market::Instrument* instrument =
        m_market.Catalogue().FindByKey(key.marketId, key.code.toStdString());
    const Handle<MsgHandlerI> handler = subscriber.Cast<MsgHandlerI>();
    const bool klines = kind == QStringLiteral("KLine_Day");
    if (!instrument || !handler || (!klines && kind != QStringLiteral("WeightData"))) {
        return false;
    }
    auto record = BuildRecord(*instrument, m_market.Snapshot(instrument->index));
    record->isNewQuote = false;
    record->historyType = kind;
    m_highPerformance.DeliverQuote(klines ? kPushHistory : kPushWeightData, std::move(record), {handler});

    Json::Value announcement(Json::objectValue);
    announcement["MarketID"] = instrument->marketId;
    announcement["KRCode"] = instrument->code;
    announcement["Type"] = kind.toStdString();
    m_messages.Post(Topic::kHisDataDownloadItemOver, announcement, 0);
    return true;
}

}  // namespace Terminal::Services
