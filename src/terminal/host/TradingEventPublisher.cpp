#include "host/TradingEventPublisher.h"

#include "host/ErrorCodes.h"
#include "host/Records.h"
#include "kora/interface/Topics.h"

namespace Terminal {

using namespace Kora::Interface;
namespace Status = Market::OrderStatus;

namespace {

struct SmartState {
    int state;
    int subState;
};

SmartState StateOf(char status) {
    switch (status) {
        case Status::kWorking:
            return {1, 2};
        case Status::kPartlyFilled:
            return {1, 3};
        case Status::kFilled:
            return {2, 0};
        case Status::kCancelled:
            return {3, 0};
        default:
            return {4, 4};
    }
}

}  // namespace

TradingEventPublisher::TradingEventPublisher(const Market::Simulator& market, NormalMsgCenter& messages,
                                             Services::QuoteSubscribeService& quotes,
                                             Services::KRTAddinConditionService& conditions)
    : m_market(market), m_messages(messages), m_quotes(quotes), m_conditions(conditions) {}

void TradingEventPublisher::OnOrderUpdated(const Market::OrderView& order, const Market::Fill* fill) {
    const auto account = m_market.Account(order.ticket.accountId);
    const Market::Instrument* instrument = m_market.Catalogue().At(order.ticket.instrument);
    if (!account || !instrument) {
        return;
    }
    Json::Value record = Records::Order(order, *instrument, *account);
    if (fill) {
        record["LastTradePrice"] = Records::PriceText(*instrument, fill->price);
        record["LastTradeVolume"] = std::to_string(fill->volume);
    }
    Json::Value callback(Json::objectValue);
    callback["EAccountID"] = account->eAccountId;
    callback["VAccountID"] = account->vAccountId;
    callback["RawContent"].append(std::move(record));
    m_messages.Post(Topic::kSTEPRequestCallBack, std::move(callback));

    if (order.ticket.smartOrderId.empty()) {
        return;
    }
    const SmartState state = StateOf(order.status);
    const bool failed = order.status == Status::kRejected;
    Json::Value notice(Json::objectValue);
    notice["SmartOrderId"] = order.ticket.smartOrderId;
    notice["ReorderId"] = order.id;
    notice["EAccountID"] = account->eAccountId;
    notice["OrderID"] = order.id;
    notice["State"] = state.state;
    notice["SubState"] = state.subState;
    notice["ErrorMsg"] = order.rejectReason;
    m_messages.Post(Topic::kReorderNotifyInfo, std::move(notice));

    Json::Value change(Json::objectValue);
    change["SmartOrderId"] = order.ticket.smartOrderId;
    change["State"] = state.state;
    change["ResultCode"] = failed ? ErrorCode::kMarketRejected : 0;
    change["ResultMsg"] = order.rejectReason;
    m_messages.Post(Topic::kSmartOrderChangeState, Json::Value(change));
    m_messages.Post(Topic::kReorderChangeState, std::move(change));
}

void TradingEventPublisher::OnPositionsChanged(const std::string& accountId) {
    Json::Value payload(Json::objectValue);
    payload["AccountID"] = accountId;
    payload["EAccountID"] = accountId;
    m_messages.Post(Topic::kPositionChanged, std::move(payload));
}

void TradingEventPublisher::OnQuote(const Market::QuoteEvent& quote) {
    m_quotes.PushQuote(quote);
    m_conditions.OnQuote(quote);
}

void TradingEventPublisher::OnStaticChanged(int instrument) {
    m_quotes.PushStatic(instrument);
}

}  // namespace Terminal
