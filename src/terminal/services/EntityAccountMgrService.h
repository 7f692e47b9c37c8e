#pragma once

#include <map>
#include <mutex>

#include "host/OrderDesk.h"
#include "host/ServiceBase.h"
#include "kora/interface/AccountI.h"
#include "market/Simulator.h"

namespace Terminal::Services {

// One logged-in account as an object: its record, orders (QueryOrder by {"OrderID"}), cancels
// (through the OrderDesk, journalled), positions and money.
class EntityAccount : public Kora::Interface::EntityAccountI {
public:
    EntityAccount(Market::Simulator& market, OrderDesk& orders, std::string accountId);

    Json::Value GetAccountInfo() override;
    Json::Value GetOrders() override;
    Json::Value QueryOrder(const Json::Value& query) override;
    Json::Value CancelOrder(const Json::Value& order) override;
    Json::Value GetPositions() override;
    Json::Value GetMoney() override;

private:
    Market::Simulator& m_market;
    OrderDesk& m_orders;
    const std::string m_accountId;
};

// "Kora.Platform.Service.EntityAccountMgr": the account object of {"EAccountID"} (one object per
// account, kept), empty for an unknown or logged-out account.
class EntityAccountMgrService : public ServiceBase<Kora::Interface::EntityAccountMgrI> {
public:
    EntityAccountMgrService(Market::Simulator& market, OrderDesk& orders);

    Kora::Utility::Handle<Kora::Interface::EntityAccountI> GetAccount(const Json::Value& query) override;
    Json::Value GetAccounts() override;

private:
    Market::Simulator& m_market;
    OrderDesk& m_orders;
    std::mutex m_lock;
    std::map<std::string, Kora::Utility::Handle<Kora::Interface::EntityAccountI>> m_accounts;
};

}  // namespace Terminal::Services
