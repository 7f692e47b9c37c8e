#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "host/ConfigStore.h"
#include "host/NormalMsgCenter.h"
#include "host/OrderDesk.h"
#include "host/RecentWindow.h"
#include "host/ServiceBase.h"
#include "kora/interface/KRTEngineI.h"
#include "market/Simulator.h"

namespace Terminal::Services {

// "Kora.Platform.Service.KRTEngine": accounts, orders, positions, money, the lock state and the
// log of the simulated terminal. Records are those of host/Records.h; accounts are named by
// {"EAccountID"} (or {"VAccountID"}, or the id as text) and may name a contract too, which
// narrows orders and positions to it. Unknown accounts answer null, -1 or empty arrays.
//
// Orders ("InsertSmartOrder", CancelOrder) go through the OrderDesk and are journalled there.
// Their answers come back on the normal centre, in this order for each event of an order:
//   "Kora.Message.EntityAccount.Account.STEPRequestCallBack"
//       {"EAccountID", "VAccountID", "RawContent": [<the order record>]}
//   "Kora.Message.StgyReorder.NotifyInfo"
//       {"SmartOrderId", "ReorderId" (the order's "OrderID"), "EAccountID", "OrderID", "State",
//        "SubState", "ErrorMsg"}
//   "Kora.Message.StgySmartorder.ChangeSmartOrderState" and "Kora.Message.StgyReorder.ChangeState"
//       {"SmartOrderId", "State", "ResultCode", "ResultMsg"}
// followed, when the event moved positions (a fill, or a closing order holding back or giving
// back position), by "Kora.Message.EntityAccount.PositionChanged" {"AccountID", "EAccountID"}.
//
// Order statuses ("156"): "2" working, nothing filled; "1" partly filled, the rest working;
// "0" filled; "4" cancelled (also what remains of a fill-and-kill or market order); "5"
// rejected by the market's checks ("ErrorMsg" says why). The working statuses are "1" and "2".
// Smart-order states: 1 running (SubState 2 accepted, 3 partly filled), 2 filled, 3 cancelled,
// 4 failed (SubState 4, ErrorMsg, ResultCode 1100).
//
// Named operations (Invoke):
//   "InsertSmartOrder"   an order request (see OrderRequest.h) → OrderDesk::InsertSmartOrder
//   "ResolveNetPosition" a net-position request (offset '3') → {"ErrorCode": 0, "OrderList": [the
//                        orders as numbered records: closes of the opposite position first (on
//                        SHFE yesterday's with "117" '1', then today's with '2'), then an opening
//                        for the rest]}, or {"ErrorCode": 1009, "ErrorMsg"} when it cannot be
//                        resolved (the opening part more than the money pays: "可用资金不足"; a
//                        direction other than buy or sell: "不支持的委托方向"), or the request's
//                        own ErrorCode when malformed
//   "CancelOrder"        as CancelOrder
//   "KRTEngineOption"    the logged-in accounts that trade options (categories 6 and 8)
//   "GetAccount"         the account record of {"EAccountID"} or {"VAccountID"}; null if unknown
// Any other name answers {"ErrorCode": 1007, "ErrorMsg": "不支持的操作"}.
//
// GetMaxOpenVolume answers {"ErrorCode": 0, "MaxVolume"}: what the money pays for an opening
// request (at its price, or the last price when it names none), what is closable for a closing
// one; the request needs no volume. A malformed one answers MaxVolume 0 with its ErrorCode.
//
// Properties: "Lock" (bool), "SoftwareType" (the "Engine" setting), "CurrentAccount" (id),
// "TradingDay" (yyyymmdd). Order confirmation asks through the message-box responder ("确认下单",
// OK and Cancel) unless the terminal confirms automatically. The trading password is required
// when the "Engine" setting "PasswordRequired" (or SetPasswordRequired) says so; it is checked
// against the account's password unless a check is installed.
class KRTEngineService : public ServiceBase<Kora::Interface::KRTEngineI> {
public:
    struct LogEntry {
        int32_t level = 0;
        QString text, extra1, extra2, source;
    };
    struct SentRequest {
        int32_t requestNo = 0;
        Json::Value request;
        Json::Value account;
    };
    using PasswordCheck = std::function<bool(const Json::Value& account, const QString& password)>;
    // The log lines and sent requests kept in memory: the latest ones.
    static constexpr size_t kKeptLines = 10000;

    KRTEngineService(Market::Simulator& market, OrderDesk& orders, NormalMsgCenter& messages,
                     const ConfigStore& config, bool autoConfirm);

    Json::Value GetLoggedInAccounts() override;
    Json::Value GetCurrentAccount() override;
    Json::Value GetProperty(const QString& name) override;
    int32_t GetAccountCategory(const Json::Value& account) override;
    Json::Value GetAccountsByCategory(int32_t category) override;
    Json::Value GetPositions(const Json::Value& account) override;
    Json::Value GetMoney(const Json::Value& account) override;
    Json::Value GetOrders(const Json::Value& account) override;
    Json::Value GetCancellableOrders(const Json::Value& account) override;
    Json::Value CreateOrder(const Json::Value& request) override;
    Json::Value Invoke(const QString& function, const Json::Value& params) override;
    Json::Value GetMaxOpenVolume(const Json::Value& request) override;
    bool ConfirmOrder(const Json::Value& order, Kora::Interface::WindowHandle owner) override;
    bool IsTradePasswordRequired(const Json::Value& account) override;
    bool CheckTradePassword(const Json::Value& account, const QString& password) override;
    Json::Value SendRequest(int32_t requestNo, const Json::Value& request,
                            const Json::Value& account) override;
    Json::Value CancelOrder(const Json::Value& request) override;
    void Log(int32_t level, const QString& text, const QString& extra1, const QString& extra2,
             const QString& source) override;

    // The terminal's side.
    // Locks or unlocks the terminal and announces it: "Kora.Message.LockUI" {"Lock": bool}.
    void SetLocked(bool locked);
    bool IsLocked() const { return m_locked.load(); }
    bool SetCurrentAccount(const std::string& accountId);
    std::string CurrentAccountId() const;
    void SetPasswordRequired(bool required) { m_passwordRequired.store(required); }
    void SetPasswordCheck(PasswordCheck check);
    // Logged lines also go to stderr when echoing.
    void SetEchoLog(bool echo) { m_echoLog.store(echo); }
    // The latest kKeptLines of each.
    std::vector<LogEntry> LogEntries() const;
    std::vector<SentRequest> SentRequests() const;

private:
    Json::Value AccountsWhere(const std::function<bool(const Market::TradingAccount&)>& keep) const;

    Market::Simulator& m_market;
    OrderDesk& m_orders;
    NormalMsgCenter& m_messages;
    const ConfigStore& m_config;
    const bool m_autoConfirm;
    std::atomic<bool> m_locked{false};
    std::atomic<bool> m_passwordRequired{false};
    std::atomic<bool> m_echoLog{false};
    mutable std::mutex m_lock;
    std::string m_currentAccount;
    PasswordCheck m_passwordCheck;
    RecentWindow<LogEntry> m_log{kKeptLines};
    RecentWindow<SentRequest> m_requests{kKeptLines};
};

}  // namespace Terminal::Services
