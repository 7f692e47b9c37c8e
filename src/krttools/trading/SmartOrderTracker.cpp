#include "trading/SmartOrderTracker.h"

#include "kora/utility/JsonAccess.h"

using Kora::Utility::JsonInt;
using Kora::Utility::JsonWText;
using Kora::Utility::Member;

namespace {
constexpr int kRunning = 1;
constexpr int kFilled = 2;
constexpr int kCancelled = 3;
constexpr int kFailed = 4;
constexpr int kSubAccepted = 2;
constexpr int kSubPartlyFilled = 3;
constexpr int kSubFailed = 4;
}  // namespace

QStringList SmartOrderTracker::Keep(const Json::Value& answer) {
    QStringList kept;
    const Json::Value& ids = Member(answer, "SmartOrderIdList");
    const Json::Value& accounts = Member(answer, "AccountIdList");
    if (ids.isArray() && !ids.empty()) {
        for (Json::ArrayIndex i = 0; i < ids.size(); ++i) {
            const QString id = JsonWText(ids[i]);
            if (!id.isEmpty()) {
                m_accounts[id] =
                    accounts.isArray() && i < accounts.size() ? JsonWText(accounts[i]) : QString();
                kept << id;
            }
        }
        return kept;
    }
    const QString id = JsonWText(answer, "OrderId");
    if (!id.isEmpty()) {
        m_accounts[id] = JsonWText(answer, "AccountId");
        kept << id;
    }
    return kept;
}

SmartOrderTracker::Report SmartOrderTracker::Follow(const Json::Value& notice) {
    Report report;
    report.smartOrderId = JsonWText(notice, "SmartOrderId");
    if (report.smartOrderId.isEmpty() || !Tracks(report.smartOrderId)) {
        return report;
    }
    report.ours = true;
    report.state = static_cast<int>(JsonInt(notice, "State", 0));
    const int subState = static_cast<int>(JsonInt(notice, "SubState", 0));
    report.failed = report.state == kFailed || subState == kSubFailed;
    report.accepted =
        !report.failed &&
        (report.state == kFilled ||
         (report.state == kRunning && (subState == kSubAccepted || subState == kSubPartlyFilled)));
    report.cancelled = report.state == kCancelled;
    if (report.failed) {
        report.error = JsonWText(notice, "ErrorMsg");
        if (report.error.isEmpty()) {
            report.error = JsonWText(notice, "ResultMsg");
        }
    }
    if (report.failed || report.cancelled || report.state == kFilled) {
        m_accounts.erase(report.smartOrderId);
    }
    return report;
}

QStringList SmartOrderTracker::Ids() const {
    QStringList ids;
    for (const auto& [id, account] : m_accounts) {
        ids << id;
    }
    return ids;
}

QString SmartOrderTracker::AccountOf(const QString& smartOrderId) const {
    auto it = m_accounts.find(smartOrderId);
    return it == m_accounts.end() ? QString() : it->second;
}
