#include "kernel/QuoteSubscriber.h"

#include "kernel/HostAccess.h"
#include "kernel/QuoteInformation.h"
#include "platform/EntryGuard.h"

namespace Kora::Kernel {

namespace {

Handle<Interface::QuoteSubscribeSvcI> QuoteService() {
    // The quote service is looked up through the host's registry on every start and stop, so a
    // service registered late is still found.
    Handle<Interface::APIMgrI> registry = GetAPIMgr();
    if (!registry) {
        return Handle<Interface::QuoteSubscribeSvcI>();
    }
    return registry->GetService(Interface::QuoteSubscribeSvcI::ServiceName(), true)
        .Cast<Interface::QuoteSubscribeSvcI>();
}

constexpr uint32_t kFirstPush = Interface::kPushQuote;
constexpr uint32_t kLastPush = Interface::kPushStatic;

}  // namespace

QuoteSubscriber::QuoteSubscriber() : m_hpSubscriptions(this) {}

QuoteSubscriber::~QuoteSubscriber() = default;

Interface::QuoteKeySet QuoteSubscriber::CopyQuoteKeys() {
    std::lock_guard lock(m_lock);
    return m_quoteKeys;
}

Interface::QuoteKeySet QuoteSubscriber::CopyTickKeys() {
    std::lock_guard lock(m_lock);
    return m_tickKeys;
}

void QuoteSubscriber::Start() {
    std::lock_guard lock(m_lock);
    for (uint32_t number = kFirstPush; number <= kLastPush; ++number) {
        m_hpSubscriptions.SubscribeHP(number);
    }
    if (Handle<Interface::QuoteSubscribeSvcI> service = QuoteService()) {
        service->RegisterSubscriber(Handle<Interface::QuoteSubscriberI>(this));
    }
    m_started = true;
}

void QuoteSubscriber::Stop() {
    std::lock_guard lock(m_lock);
    if (Handle<Interface::QuoteSubscribeSvcI> service = QuoteService()) {
        service->UnregisterSubscriber(Handle<Interface::QuoteSubscriberI>(this));
    }
    m_hpSubscriptions.UnsubscribeAll();
    m_started = false;
}

QString QuoteSubscriber::ReceiverName() const {
    return Win::TypeName(typeid(*this));
}

bool QuoteSubscriber::IsStarted() const {
    std::lock_guard lock(m_lock);
    return m_started;
}

Interface::QuoteKeySet QuoteSubscriber::GetQuoteKeys() {
    return CopyQuoteKeys();
}

void QuoteSubscriber::AddQuoteKeys(const Interface::QuoteKeySet& keys) {
    std::lock_guard lock(m_lock);
    m_quoteKeys.insert(keys.begin(), keys.end());
}

void QuoteSubscriber::ClearQuoteKeys() {
    std::lock_guard lock(m_lock);
    m_quoteKeys.clear();
}

bool QuoteSubscriber::HasQuoteKey(const Interface::QuoteKey& key) {
    std::lock_guard lock(m_lock);
    return m_quoteKeys.count(key) > 0;
}

Interface::QuoteKeySet QuoteSubscriber::GetTickKeys() {
    return CopyTickKeys();
}

void QuoteSubscriber::AddTickKeys(const Interface::QuoteKeySet& keys) {
    std::lock_guard lock(m_lock);
    m_tickKeys.insert(keys.begin(), keys.end());
}

void QuoteSubscriber::ClearTickKeys() {
    std::lock_guard lock(m_lock);
    m_tickKeys.clear();
}

bool QuoteSubscriber::HasTickKey(const Interface::QuoteKey& key) {
    std::lock_guard lock(m_lock);
    return m_tickKeys.count(key) > 0;
}

void QuoteSubscriber::OnHPMessage(uint32_t number, const void* record, intptr_t) {
    if (!record || number < kFirstPush || number > kLastPush) {
        return;
    }
    const auto& push = *static_cast<const Interface::QuotePushRecord*>(record);
    const int kind = static_cast<int>(number - kFirstPush) + 1;
    // Pushes come straight from the host's delivery loop: a receiver that throws must not
    // unwind into it.
    Win::GuardEntry(
        [&] {
            Dispatch(kind, push,
                     number == Interface::kPushQuote ? BuildQuoteInformation(push) : Json::Value());
        },
        [&] { return QStringLiteral("%1|行情推送%2").arg(ReceiverName()).arg(number); });
}

}  // namespace Kora::Kernel
