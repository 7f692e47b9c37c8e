#include "services/EntityAccountMgrService.h"

#include "host/Records.h"
#include "kora/utility/JsonAccess.h"
#include "services/AccountRecords.h"

namespace Terminal::Services {

using Kora::Utility::Handle;
using Kora::Utility::JsonText;

EntityAccount::EntityAccount(Market::Simulator& market, OrderDesk& orders, std::string accountId)
    : m_market(market), m_orders(orders), m_accountId(std::move(accountId)) {}

Json::Value EntityAccount::GetAccountInfo() {
    const auto account = m_market.Account(m_accountId);
    return account ? Records::Account(*account, m_market.IsLoggedIn(m_accountId)) : Json::Value();
}

Json::Value EntityAccount::GetOrders() {
    return AccountRecords::Orders(m_market, Json::Value(m_accountId), false);
}

Json::Value EntityAccount::QueryOrder(const Json::Value& query) {
    return AccountRecords::Order(m_market, m_accountId, JsonText(query, "OrderID"));
}

Json::Value EntityAccount::CancelOrder(const Json::Value& order) {
    Json::Value request = order;
    if (!request.isObject()) {
        request = Json::Value(Json::objectValue);
    }
    if (JsonText(request, "EAccountID").empty()) {
        request["EAccountID"] = m_accountId;
    }
    return m_orders.Cancel(request, m_accountId);
}

Json::Value EntityAccount::GetPositions() {
    return AccountRecords::Positions(m_market, Json::Value(m_accountId));
}

Json::Value EntityAccount::GetMoney() {
    return AccountRecords::Money(m_market, Json::Value(m_accountId));
}

EntityAccountMgrService::EntityAccountMgrService(Market::Simulator& market, OrderDesk& orders)
    : ServiceBase(QStringLiteral("交易账户管理")), m_market(market), m_orders(orders) {}

Handle<Kora::Interface::EntityAccountI> EntityAccountMgrService::GetAccount(const Json::Value& query) {
    const auto account = AccountRecords::AccountOf(m_market, query);
    if (!account || !m_market.IsLoggedIn(account->eAccountId)) {
        return Handle<Kora::Interface::EntityAccountI>();
    }
    std::lock_guard lock(m_lock);
    auto& object = m_accounts[account->eAccountId];
    if (!object) {
        object = Handle<Kora::Interface::EntityAccountI>(
            new EntityAccount(m_market, m_orders, account->eAccountId));
    }
    return object;
}

Json::Value EntityAccountMgrService::GetAccounts() {
    Json::Value records(Json::arrayValue);
    for (const Market::TradingAccount& account : m_market.Accounts()) {
        if (m_market.IsLoggedIn(account.eAccountId)) {
            records.append(Records::Account(account, true));
        }
    }
    return records;
}

}  // namespace Terminal::Services
