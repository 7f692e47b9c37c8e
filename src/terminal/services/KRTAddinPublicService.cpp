#include "services/KRTAddinPublicService.h"

#include <QApplication>

#include "host/ErrorCodes.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"

namespace Terminal::Services {

using Kora::Utility::JsonInt;
using Kora::Utility::JsonText;
using Kora::Utility::Member;

KRTAddinPublicService::KRTAddinPublicService(Market::Simulator& market, OrderDesk& orders,
                                             NormalMsgCenter& messages, Journal& journal, bool autoConfirm)
    : ServiceBase(QStringLiteral("插件公共服务")),
      m_market(market),
      m_orders(orders),
      m_messages(messages),
      m_journal(journal),
      m_autoConfirm(autoConfirm) {}

std::vector<KRTAddinPublicService::Leg> KRTAddinPublicService::Legs(const Json::Value& request,
                                                                    std::string& error) const {
    std::vector<Leg> legs;
    const Json::Value& list = Member(request, "OrderList");
    if (!list.isArray()) {
        error = "组合委托缺少OrderList";
        return legs;
    }
    const int64_t combinationVolume = std::max<int64_t>(1, JsonInt(request, "CombinationVolume", 1));
    const std::string rule = JsonText(request, "PriceType", "对手价");
    for (Json::ArrayIndex i = 0; i < list.size(); ++i) {
        const Json::Value& leg = list[i];
        Json::Value order(Json::objectValue);
        order["EAccountID"] = JsonText(leg, "EAccountID", JsonText(request, "EAccountID"));
        order["VAccountID"] = JsonText(request, "VAccountID");
        Json::Value& o = order["Order"];
        o["Contract"] = Member(leg, "Contract");
        o["Direction"] = std::string(1, CodeOf(Member(leg, "BS"), '?'));
        o["OffsetFlag"] = std::string(1, CodeOf(Member(leg, "OC"), '0'));
        o["HedgeFlag"] = "1";
        o["PriceType"] = "限价";
        o["LimitPriceType"] = rule;
        o["Volume"] = Json::Int64(JsonInt(leg, "Volume", 0) * combinationVolume);
        o["ExtRawData"][Field::kCoveredFlag] = std::string(1, CodeOf(Member(leg, "BD"), '0'));
        ParsedOrder parsed = ParseOrderRequest(order, m_market, std::string());
        if (parsed.Ok() && parsed.ticket.direction != '0' && parsed.ticket.direction != '1') {
            parsed.errorCode = ErrorCode::kBadDirection;
            parsed.errorMessage = "委托方向无效";
        }
        if (!parsed.Ok()) {
            error = "第" + std::to_string(i + 1) + "腿: " + parsed.errorMessage;
            return {};
        }
        legs.push_back({order, parsed});
    }
    return legs;
}

Kora::Interface::WindowHandle KRTAddinPublicService::OpenPage(int32_t pageId, const QString& callerTag,
                                                              const QString& pageName,
                                                              Kora::Interface::WindowHandle owner,
                                                              const Json::Value& request) {
    Json::Value extra(Json::objectValue);
    extra["PageID"] = pageId;
    extra["Caller"] = callerTag.toStdString();
    extra["PageName"] = pageName.toStdString();
    std::string error;
    if (pageId != kCombinationPage || pageName != QStringLiteral("多品种")) {
        error = "不支持的页面";
    } else if (!request.isObject()) {
        error = "组合委托格式错误";
    } else {
        Legs(request, error);
    }
    if (!error.empty()) {
        m_journal.Append(Journal::kCombination, request, ErrorAnswer(ErrorCode::kBadCombination, error),
                         extra);
        return nullptr;
    }
    m_journal.Append(Journal::kCombination, request, Json::Value(), extra);

    PendingCombination pending{0, request, callerTag, nullptr};
    PagePresenter presenter;
    {
        std::lock_guard lock(m_lock);
        pending.id = m_nextId++;
        presenter = m_presenter;
    }
    if (presenter) {
        pending.page = presenter(pending.id, request, owner);
    } else if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        auto* page = new QWidget(owner);
        page->setObjectName(QStringLiteral("CombinationOrderPage"));
        page->setWindowTitle(pageName);
        page->setProperty("CombinationId", pending.id);
        pending.page = page;
    }
    QWidget* page = pending.page.data();
    if (page) {
        page->setProperty("PageID", pending.id);  // the answers name their page by it
    }
    {
        std::lock_guard lock(m_lock);
        m_pending.push_back(pending);
    }
    if (m_autoConfirm) {
        Confirm(pending.id);
    }
    return page;
}

std::optional<KRTAddinPublicService::PendingCombination> KRTAddinPublicService::Take(int id) {
    std::lock_guard lock(m_lock);
    auto it = std::find_if(m_pending.begin(), m_pending.end(), [id](const auto& p) { return p.id == id; });
    if (it == m_pending.end()) {
        return std::nullopt;
    }
    PendingCombination taken = *it;
    m_pending.erase(it);
    return taken;
}

bool KRTAddinPublicService::Confirm(int id) {
    const auto pending = Take(id);
    if (!pending) {
        return false;
    }
    std::string error;
    Json::Value results(Json::arrayValue);
    Json::Value combination(Json::objectValue);
    combination["CombinationID"] = id;
    for (const Leg& leg : Legs(pending->request, error)) {
        m_journal.Append(Journal::kOrder, leg.order, Json::Value(), combination);
        results.append(m_orders.Submit(leg.parsed));
    }
    if (!error.empty()) {
        results.append(ErrorAnswer(ErrorCode::kBadCombination, error));
    }
    if (pending->page) {
        pending->page->deleteLater();
    }
    Json::Value payload(Json::objectValue);
    payload["PageID"] = id;
    payload["Results"] = results;
    m_messages.Post(Kora::Interface::Topic::kCombinationOrderConfirmed, payload, 0);
    return true;
}

bool KRTAddinPublicService::Cancel(int id) {
    const auto pending = Take(id);
    if (!pending) {
        return false;
    }
    if (pending->page) {
        pending->page->deleteLater();
    }
    Json::Value payload(Json::objectValue);
    payload["PageID"] = id;
    m_messages.Post(Kora::Interface::Topic::kCombinationOrderCancelled, payload, 0);
    return true;
}

std::vector<KRTAddinPublicService::PendingCombination> KRTAddinPublicService::Pending() const {
    std::lock_guard lock(m_lock);
    return m_pending;
}

void KRTAddinPublicService::SetPagePresenter(PagePresenter presenter) {
    std::lock_guard lock(m_lock);
    m_presenter = std::move(presenter);
}

}  // namespace Terminal::Services
