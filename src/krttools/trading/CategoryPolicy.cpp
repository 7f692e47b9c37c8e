#include "trading/CategoryPolicy.h"

#include "kernel/HostAccess.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/KRTConfigI.h"
#include "kora/interface/KRTEngineI.h"
#include "kora/utility/JsonAccess.h"
#include "trading/TradePrompter.h"

using Kora::Kernel::GetService;
using Kora::Utility::Handle;
using Kora::Utility::JsonWText;
namespace I = Kora::Interface;

namespace {

Json::Value AccountQuery(const QString& accountId) {
    Json::Value query(Json::objectValue);
    query["EAccountID"] = accountId.toStdString();
    return query;
}

}  // namespace

CategoryPolicy CategoryPolicy::OfCategory(int category) {
    switch (category) {
        case 0:
        case 5:
            return CategoryPolicy(Kind::kStock);
        case kStockOptionCategory:
            return CategoryPolicy(Kind::kStockOption);
        default:
            return CategoryPolicy(Kind::kFutures);
    }
}

CategoryPolicy CategoryPolicy::OfAccount(const QString& accountId) {
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    return OfCategory(engine && !accountId.isEmpty() ? engine->GetAccountCategory(AccountQuery(accountId))
                                                     : -1);
}

QString CategoryPolicy::ConfigCategory() const {
    switch (m_kind) {
        case Kind::kStock:
            return QStringLiteral("股票");
        case Kind::kStockOption:
            return QStringLiteral("个股期权");
        case Kind::kFutures:
            break;
    }
    return QStringLiteral("期货");
}

Json::Value CategoryPolicy::OrderSettings(const QString& accountId) const {
    Handle<I::KRTConfigI> config = GetService<I::KRTConfigI>();
    Json::Value settings =
        config ? config->GetOrderSettings(ConfigCategory(), AccountQuery(accountId)) : Json::Value();
    return settings.isObject() ? settings : Json::Value(Json::objectValue);
}

QChar CategoryPolicy::DefaultHedge(const QString& accountId) const {
    const QChar hedge = TradingCodes::CodeOf(JsonWText(OrderSettings(accountId), "DefaultHedge"));
    return TradingCodes::HedgeFlagText(hedge).isEmpty() ? TradingCodes::Hedge::kSpeculation : hedge;
}

OrderTicket CategoryPolicy::NewTicket(const QString& accountId, const Json::Value& contract) const {
    OrderTicket ticket;
    ticket.accountId = accountId;
    ticket.exchangeCode = JsonWText(contract, Field::kExchangeCode);
    ticket.contractCode = JsonWText(contract, Field::kContractCode);
    switch (m_kind) {
        case Kind::kFutures:
            ticket.hedge = TradingCodes::Hedge::kSpeculation;
            break;
        case Kind::kStockOption:
            ticket.covered = TradingCodes::Covered::kUncovered;
            break;
        case Kind::kStock:
            ticket.hedge = TradingCodes::Hedge::kSpeculation;
            ticket.fields["MiniTradeUnitVol"] =
                JsonWText(contract, Field::kMinTradeUnit, QStringLiteral("100")).toStdString();
            break;
    }
    return ticket;
}

bool CategoryPolicy::PasswordAccepted(const QString& accountId, TradePrompter& prompter) const {
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    const bool everyOrder = Kora::Utility::JsonBool(OrderSettings(accountId), "NeedPassword");
    return prompter.CheckPassword(engine.Get(), AccountQuery(accountId), everyOrder);
}
