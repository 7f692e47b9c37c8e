#pragma once

#include <json/value.h>

#include <QString>
#include <deque>
#include <optional>
#include <vector>

#include "shortcut/OrderKey.h"
#include "shortcut/ShortcutSettings.h"
#include "trading/CloseTodayRule.h"
#include "trading/OrderSender.h"

class TradePrompter;

// The trading behind the keyboard actions, on the current account and contract: one-key orders,
// the four cancels, close-all, lock and reverse. Questions and refusals reach the trader through
// the prompter (titled "提示"); every outcome is logged as "kind|text|" under "键盘下单", and
// every order goes out through the one send path (with its order-log line).
//
// Each action takes the account and contract as they are when it starts and sends exactly what
// it asked about: what changes while a question is open applies to the next action.
class ShortcutTrader {
public:
    enum CancelKind { kCancelBuys = 8, kCancelSells = 9, kCancelAll = 10, kCancelLast = 11 };

    explicit ShortcutTrader(TradePrompter& prompter);

    void SetAccount(const Json::Value& account) { m_account = account; }
    void SetContract(const Json::Value& contract) { m_contract = contract; }
    void SetSettings(const ShortcutSettings& settings) { m_settings = settings; }
    const Json::Value& Account() const { return m_account; }
    const Json::Value& Contract() const { return m_contract; }

    // The checks every trading action starts with; false after telling the user why.
    bool CheckAccount(const QString& failureLog);

    // A one-key order of volume lots. The account has been checked.
    void PlaceOrder(const OrderKey& key, int64_t volume);
    void Cancel(CancelKind kind);
    void CloseAll();
    void Lock();
    // Closes the net position and opens as much on the other side. The legs go one after the
    // other: each only once the engine accepted the one before it (OnSmartOrderNotice); a refused
    // leg stops the rest, so a refused close never leaves the position locked.
    void Reverse();

    // A smart-order notification: a failure of one of the strip's orders is told; the reverse
    // waiting for that order sends its next leg or stops.
    void OnSmartOrderNotice(const Json::Value& notice);

    // Why the contract's exchange takes no market orders (empty when it takes them).
    static QString MarketOrderRefusal(const Json::Value& contract);

    void Log(const QString& kind, const QString& text);
    void Tell(const QString& text);
    bool Ask(const QString& question);

private:
    // A price as an order carries it: a limit price, a market order, or none (the engine's
    // own rule).
    struct OrderPrice {
        OrderTicket::Pricing pricing = OrderTicket::Pricing::kEngineRule;
        double price = 0;
    };

    std::optional<OrderPrice> PriceOfChoice(const Json::Value& contract, QChar choice, bool buy);
    // The snapshot's price moved by extra ticks in the order's direction; nothing, after telling
    // why, when the quote has no price there or the result is not above zero.
    std::optional<double> TickedPrice(const Json::Value& contract, int which, bool buy, int extraTicks);
    OrderTicket Ticket(const Json::Value& account, const Json::Value& contract, QChar direction, QChar offset,
                       int64_t volume, const OrderPrice& price) const;
    OrderSender::Outcome Send(const OrderTicket& ticket);
    // The legs that close volume lots of a position side, today's lots first where the
    // exchange tells them apart; nothing after "可用数量不足！".
    std::optional<std::vector<CloseTodayRule::ClosingLeg>> ClosingLegs(const Json::Value& account,
                                                                       const Json::Value& contract,
                                                                       QChar positionSide, int64_t volume);
    Json::Value PositionsOf(const Json::Value& account, const Json::Value& contract);
    // The net long position (negative: net short) of the contract for lock ("锁仓") or
    // reverse ("反手"), once the account, the position, the user and the password agree;
    // nothing after saying or logging why not.
    std::optional<int64_t> NetPositionForAction(const QString& action, const Json::Value& account,
                                                const Json::Value& contract);
    bool PasswordAccepted(const Json::Value& account);
    bool IsStockAccount() const;
    void SendNextReverseLeg();

    TradePrompter& m_prompter;
    OrderSender m_sender;
    Json::Value m_account;
    Json::Value m_contract;
    ShortcutSettings m_settings;
    // The legs of a reverse still to go, and the smart order whose acceptance the next waits for.
    std::deque<OrderTicket> m_reverseLegs;
    QString m_reverseWaitsFor;
};
