#pragma once

#include <json/value.h>

#include <QString>
#include <QStringList>
#include <map>

// The smart orders a window sent, and what the engine's notifications about them mean.
//
// The engine answers "InsertSmartOrder" with the smart-order identifier as "OrderId", or, for
// a request it splits into several orders, with "SmartOrderIdList" and the matching
// "AccountIdList". It then reports each smart order's progress as
// "Kora.Message.StgyReorder.NotifyInfo" {"SmartOrderId", "State", "SubState", "ErrorMsg"} and
// "Kora.Message.StgySmartorder.ChangeSmartOrderState" {"SmartOrderId", "State", "ResultCode",
// "ResultMsg"}. States: 1 running (SubState 2 accepted, 3 partly filled, 4 failed), 2 filled,
// 3 cancelled, 4 failed.
class SmartOrderTracker {
public:
    // What a notification says about one of the tracked smart orders.
    struct Report {
        bool ours = false;  // false: another window's smart order; ignore the rest
        QString smartOrderId;
        int state = 0;
        bool accepted = false;   // running or filled: the market took it
        bool failed = false;     // the engine or the market refused it
        bool cancelled = false;  // withdrawn before it filled completely
        QString error;           // the refusal's text ("ErrorMsg", else "ResultMsg")
    };

    // Keeps the smart orders of an "InsertSmartOrder" answer; answers their identifiers (empty
    // when the answer names none).
    QStringList Keep(const Json::Value& answer);
    // Follows a notification; a smart order that finished (filled, cancelled, failed) is
    // forgotten, so the tracker holds only what still runs.
    Report Follow(const Json::Value& notice);

    bool Tracks(const QString& smartOrderId) const { return m_accounts.count(smartOrderId) != 0; }
    QStringList Ids() const;
    // The account of a tracked smart order (empty when the answer named none).
    QString AccountOf(const QString& smartOrderId) const;

private:
    std::map<QString, QString> m_accounts;
};
