#pragma once

#include <json/value.h>

#include <QString>
#include <QStringList>
#include <functional>

#include "trading/OrderTicket.h"
#include "trading/SmartOrderTracker.h"

class TradePrompter;

// The one way orders leave the component. Each window keeps one, named by the source its log
// lines go under ("快鼠下单板", "键盘下单" ...), and checks the trading password itself before
// it sends (CategoryPolicy::PasswordAccepted), since when to ask is the window's to decide.
//
// Send, in order:
//  1. a net-position ticket (offset '3') is first resolved by the engine's "ResolveNetPosition";
//     an answer with a non-zero "ErrorCode" stops it;
//  2. the engine turns the request into its order object ("CreateOrder"), into which the
//     caller's members are merged ({"ReorderEnable": false, "SoftwareType": "键盘下单", ...});
//  3. `beforeInsert` sees the finished object (for the window's own log lines), then the
//     order-log line is written at level 103 (OrderLog);
//  4. the object goes to the engine's "InsertSmartOrder"; the smart orders of the answer are
//     kept in Tracker() for the notifications.
// A refusal at any step (no engine, the engine's "ErrorMsg") is told to the trader through the
// prompter and logged at level 1 as "错误|<text>|"; nothing more is sent.
class OrderSender {
public:
    struct Outcome {
        bool sent = false;
        QStringList smartOrderIds;
        Json::Value order;  // the engine's order object, as inserted
        QString error;      // why nothing was sent
    };
    using BeforeInsert = std::function<void(const Json::Value& order)>;

    OrderSender(QString logSource, TradePrompter& prompter);

    Outcome Send(const OrderTicket& ticket, const Json::Value& orderMembers = Json::Value(),
                 const BeforeInsert& beforeInsert = {});

    SmartOrderTracker& Tracker() { return m_tracker; }
    const SmartOrderTracker& Tracker() const { return m_tracker; }

private:
    Outcome Refuse(Outcome outcome, const QString& error);

    QString m_logSource;
    TradePrompter& m_prompter;
    SmartOrderTracker m_tracker;
};
