#include "services/VirtualAccountMgrService.h"

#include "host/Records.h"
#include "services/AccountRecords.h"

namespace Terminal::Services {

VirtualAccountMgrService::VirtualAccountMgrService(Market::Simulator& market)
    : ServiceBase(QStringLiteral("虚拟账户管理")), m_market(market) {}

Json::Value VirtualAccountMgrService::GetVirtualAccounts(const Json::Value& accounts) {
    Json::Value records(Json::arrayValue);
    Json::Value queries(Json::arrayValue);
    if (accounts.isNull()) {
        for (const Market::TradingAccount& account : m_market.Accounts()) {
            if (m_market.IsLoggedIn(account.eAccountId)) {
                queries.append(account.eAccountId);
            }
        }
    } else if (accounts.isArray()) {
        queries = accounts;
    } else if (accounts.isObject() && !accounts.isMember("EAccountID") && !accounts.isMember("VAccountID")) {
        for (const std::string& name : accounts.getMemberNames()) {
            queries.append(accounts[name]);
        }
    } else {
        queries.append(accounts);
    }
    for (const Json::Value& query : queries) {
        if (const auto account = AccountRecords::AccountOf(m_market, query)) {
            records.append(Records::Account(*account, m_market.IsLoggedIn(account->eAccountId)));
        }
    }
    return records;
}

}  // namespace Terminal::Services
