#pragma once

#include <json/value.h>

#include "kora/interface/ServiceInterfaceI.h"
#include "kora/interface/WindowTypes.h"

namespace Kora::Interface {

// The trading engine: accounts, orders, positions, money, the lock state and the log.
// Records are Json objects keyed by the host's decimal field numbers ("63" contract code ...).
// Unknown accounts answer null or empty arrays, never throw.
class KORA_API KRTEngineI : public virtual ServiceInterfaceI {
public:
    static QString ServiceName() { return QStringLiteral("Kora.Platform.Service.KRTEngine"); }

    // Logged-in trading accounts: an array of account records ("EAccountID", "VAccountID",
    // "249" account number, "Category", "Identity", ...).
    virtual Json::Value GetLoggedInAccounts() = 0;
    // The account the terminal currently trades on (null when none).
    virtual Json::Value GetCurrentAccount() = 0;
    // Named engine values: "Lock" (bool), "SoftwareType" (text).
    virtual Json::Value GetProperty(const QString& name) = 0;
    // Category of {"EAccountID": id}: 0 and 5 securities, 6 stock options, 8 futures ... (-1 unknown).
    virtual int32_t GetAccountCategory(const Json::Value& account) = 0;
    virtual Json::Value GetAccountsByCategory(int32_t category) = 0;
    virtual Json::Value GetPositions(const Json::Value& account) = 0;
    virtual Json::Value GetMoney(const Json::Value& account) = 0;
    virtual Json::Value GetOrders(const Json::Value& account) = 0;
    virtual Json::Value GetCancellableOrders(const Json::Value& account) = 0;

    // Turns an order request (numbered fields, with "EAccountID") into the engine's order
    // object: {"EAccountID", "Order": {"Contract", "Direction", "OffsetFlag", "HedgeFlag",
    // "PriceType", "LimitPriceType", "LimitPrice", "Volume", "ExtRawData"}}. Null when malformed.
    virtual Json::Value CreateOrder(const Json::Value& request) = 0;
    // Named operations: "InsertSmartOrder" (answers {"OrderId"} or {"ErrorCode", "ErrorMsg"}) ...
    virtual Json::Value Invoke(const QString& function, const Json::Value& params) = 0;
    // {"MaxVolume": n} for an opening request of a contract.
    virtual Json::Value GetMaxOpenVolume(const Json::Value& request) = 0;
    // Asks the user to confirm an order; false when declined.
    virtual bool ConfirmOrder(const Json::Value& order, WindowHandle owner) = 0;
    // Whether orders of the account need the trading password, and checking one.
    virtual bool IsTradePasswordRequired(const Json::Value& account) = 0;
    virtual bool CheckTradePassword(const Json::Value& account, const QString& password) = 0;
    // A numbered request (6022 quote interaction ...) on an account.
    virtual Json::Value SendRequest(int32_t requestNo, const Json::Value& request,
                                    const Json::Value& account) = 0;
    // Cancels the order that the request names ("EAccountID", "OrderID" or the order's fields).
    virtual Json::Value CancelOrder(const Json::Value& request) = 0;

    virtual void Log(int32_t level, const QString& text, const QString& extra1, const QString& extra2,
                     const QString& source) = 0;
};

}  // namespace Kora::Interface
