#pragma once

#include <json/value.h>

#include <QString>
#include <QStringList>
#include <optional>

#include "kora/interface/KRTEngineI.h"
#include "shortcut/ShortcutSettings.h"

class QWidget;

// The trading behind the keyboard actions, on the current account and contract: one-key orders,
// the four cancels, close-all, lock and reverse. Questions and refusals are message boxes
// titled "提示" owned by the strip; every outcome is logged as "kind|text|".
class ShortcutTrader {
public:
    enum CancelKind { kCancelBuys = 8, kCancelSells = 9, kCancelAll = 10, kCancelLast = 11 };

    explicit ShortcutTrader(QWidget* owner) : m_owner(owner) {}

    void SetAccount(const Json::Value& account) { m_account = account; }
    void SetContract(const Json::Value& contract) { m_contract = contract; }
    void SetSettings(const ShortcutSettings& settings) { m_settings = settings; }
    const Json::Value& Account() const { return m_account; }
    const Json::Value& Contract() const { return m_contract; }

    // The checks every trading action starts with; false after telling the user why.
    bool CheckAccount(const QString& failureLog);

    // A one-key order of volume lots described by the key's Option ("买卖", "开平", "价格",
    // "超价"). The account has been checked.
    void PlaceOrder(const Json::Value& option, int volume);
    void Cancel(CancelKind kind);
    void CloseAll();
    void Lock();
    void Reverse();

    // Why the contract's exchange takes no market orders (empty when it takes them), and the
    // price type of a market order there.
    static QString MarketOrderRefusal(const Json::Value& contract);
    static QString MarketPriceType(const QString& exchange);

    // Smart orders sent, to follow their results.
    const QStringList& SmartOrderIds() const { return m_smartOrderIds; }

    void Log(const QString& kind, const QString& text);
    void Tell(const QString& text);
    bool Ask(const QString& question);

private:
    struct Leg {
        QChar direction;
        QChar offset;
        int volume;
    };
    // A price as an order carries it: a limit price, a market order, or none (the engine's
    // own rule).
    struct OrderPrice {
        enum Kind { kLimit, kMarket, kNone } kind = kNone;
        double price = 0;
    };

    std::optional<OrderPrice> PriceOfChoice(const Json::Value& contract, QChar choice, bool buy);
    std::optional<double> SnapshotPrice(const Json::Value& contract, int which, bool buy);
    Json::Value Request(const Json::Value& contract, const Leg& leg, const OrderPrice& price) const;
    bool Send(const Json::Value& request, const Json::Value& members = Json::Value());
    // The legs that close volume lots of a position side, today's lots first where the
    // exchange tells them apart; empty after "可用数量不足！".
    std::optional<std::vector<Leg>> ClosingLegs(const Json::Value& contract, QChar positionSide, int volume);
    Json::Value PositionsOf(const Json::Value& contract);
    // The net long position (negative: net short) of the current contract for lock ("锁仓") or
    // reverse ("反手"), once the account, the position, the user and the password agree;
    // nothing after saying or logging why not.
    std::optional<int> NetPositionForAction(const QString& action);
    bool IsStockAccount() const;
    Kora::Utility::Handle<Kora::Interface::KRTEngineI> Engine() const;

    QWidget* m_owner;
    Json::Value m_account;
    Json::Value m_contract;
    ShortcutSettings m_settings;
    QStringList m_smartOrderIds;
};
