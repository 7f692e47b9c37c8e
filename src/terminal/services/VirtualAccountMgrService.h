#pragma once

#include "host/ServiceBase.h"
#include "kora/interface/AccountI.h"
#include "market/Simulator.h"

namespace Terminal::Services {

// "Kora.Platform.Service.VirtualAccountMgr": for the trading accounts given (an array of account
// records or ids, or one of them), their virtual accounts as account records ("EAccountID",
// "VAccountID", "249", "Category", "Identity" ...), in the order given. Unknown accounts are
// left out; a null argument answers every logged-in account.
class VirtualAccountMgrService : public ServiceBase<Kora::Interface::VirtualAccountMgrI> {
public:
    explicit VirtualAccountMgrService(Market::Simulator& market);

    Json::Value GetVirtualAccounts(const Json::Value& accounts) override;

private:
    Market::Simulator& m_market;
};

}  // namespace Terminal::Services
