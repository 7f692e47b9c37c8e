#include "trading/CombinationOrderFollower.h"

#include <QStringList>

#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "trading/CombinationOrder.h"
#include "trading/TradePrompter.h"

using Kora::Utility::JsonInt;
using Kora::Utility::JsonWText;
using Kora::Utility::Member;
namespace Topic = Kora::Interface::Topic;

namespace {
constexpr size_t kMostHeldNotices = 512;
}  // namespace

CombinationOrderFollower::CombinationOrderFollower(TradePrompter& prompter) : m_prompter(prompter) {}

bool CombinationOrderFollower::Open(const Json::Value& request, QWidget* owner) {
    m_opening = true;
    QWidget* page = CombinationOrder::OpenPage(request, owner);
    m_opening = false;
    if (!page) {
        m_prompter.Tell(QStringLiteral("组合委托未被受理，未下单！"));
    } else if (const std::optional<int64_t> id = CombinationOrder::PageIdOf(page)) {
        m_pages.insert(*id);
    } else {
        ++m_unnamedPages;
    }
    std::vector<std::pair<QString, Json::Value>> held;
    held.swap(m_heldWhileOpening);
    for (const auto& [topic, payload] : held) {
        OnMessage(topic, payload);
    }
    return page != nullptr;
}

bool CombinationOrderFollower::OnMessage(const QString& topic, const Json::Value& payload) {
    const bool answer =
        topic == Topic::kCombinationOrderConfirmed || topic == Topic::kCombinationOrderCancelled;
    if (!answer && topic != Topic::kReorderNotifyInfo) {
        return false;
    }
    if (m_opening) {
        m_heldWhileOpening.emplace_back(topic, payload);
    } else if (answer) {
        OnAnswer(topic, payload);
    } else {
        OnNotice(payload);
    }
    return true;
}

void CombinationOrderFollower::OnAnswer(const QString& topic, const Json::Value& payload) {
    const Json::Value& named = Member(payload, "PageID");
    if (!named.isNull()) {
        if (m_pages.erase(JsonInt(named, -1)) == 0) {
            return;  // a page someone else opened
        }
    } else if (m_unnamedPages > 0) {
        --m_unnamedPages;
    } else {
        return;
    }
    if (topic == Topic::kCombinationOrderConfirmed) {
        QStringList refusals;
        const Json::Value& results = Member(payload, "Results");
        if (results.isArray()) {
            for (const Json::Value& result : results) {
                if (JsonInt(result, "ErrorCode", 0) != 0) {
                    refusals << JsonWText(result, "ErrorMsg", QStringLiteral("委托失败"));
                } else {
                    m_tracker.Keep(result);
                }
            }
        }
        if (!refusals.isEmpty()) {
            m_prompter.Tell(refusals.join(u'\n'));
        }
    }
    std::vector<Json::Value> notices;
    notices.swap(m_heldNotices);
    for (const Json::Value& notice : notices) {
        OnNotice(notice);
    }
}

void CombinationOrderFollower::OnNotice(const Json::Value& payload) {
    if (!m_tracker.Tracks(JsonWText(payload, "SmartOrderId"))) {
        if (IsAwaitingAnswer()) {
            if (m_heldNotices.size() >= kMostHeldNotices) {
                m_heldNotices.erase(m_heldNotices.begin());
            }
            m_heldNotices.push_back(payload);
        }
        return;
    }
    const SmartOrderTracker::Report report = m_tracker.Follow(payload);
    if (report.failed) {
        m_prompter.Tell(report.error.isEmpty() ? QStringLiteral("委托失败") : report.error);
    }
}
