#pragma once

#include <json/value.h>

#include "kora/interface/ServiceInterfaceI.h"

namespace Kora::Interface {

// One trading account of the host.
class KORA_API EntityAccountI : public virtual Utility::Shared {
public:
    virtual Json::Value GetAccountInfo() = 0;
    virtual Json::Value GetOrders() = 0;
    // The order of {"OrderID": id}; null when unknown.
    virtual Json::Value QueryOrder(const Json::Value& query) = 0;
    // Sends a cancel for the order; answers {"ErrorCode": 0} or the refusal.
    virtual Json::Value CancelOrder(const Json::Value& order) = 0;
    virtual Json::Value GetPositions() = 0;
    virtual Json::Value GetMoney() = 0;
};

class KORA_API EntityAccountMgrI : public virtual ServiceInterfaceI {
public:
    static QString ServiceName() { return QStringLiteral("Kora.Platform.Service.EntityAccountMgr"); }

    // The account of {"EAccountID": id}; empty when there is none.
    virtual Utility::Handle<EntityAccountI> GetAccount(const Json::Value& query) = 0;
    virtual Json::Value GetAccounts() = 0;
};

class KORA_API VirtualAccountMgrI : public virtual ServiceInterfaceI {
public:
    static QString ServiceName() { return QStringLiteral("Kora.Platform.Service.VirtualAccountMgr"); }

    // For the given trading accounts (an array of records or of ids), their virtual accounts:
    // records with "EAccountID", "VAccountID" and "249" (account number).
    virtual Json::Value GetVirtualAccounts(const Json::Value& accounts) = 0;
};

}  // namespace Kora::Interface
