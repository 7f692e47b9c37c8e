#pragma once

#include <json/value.h>

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

#include "kora/interface/AccountI.h"
#include "ladder/LadderTypes.h"
#include "trading/FutureOrderRequest.h"

class QWidget;

// The trading of the futures quick-mouse window without its controls: the account, the contract
// and the order choices, what the ladder's four requests send to the host, and what the host's
// answers mean for the window. Questions and refusals are message boxes titled "提示" owned by
// the window; orders and cancels are logged through the engine under "快鼠下单板".
//
// Without an account (unknown, logged out, or no account service) the requests send nothing.
class FutureQuickMouseTrader {
public:
    static inline const QString kLogSource = QStringLiteral("快鼠下单板");
    static inline const QString kMixedOffsets = QStringLiteral("存在开平标志不一致的挂单,不允许更改挂单数量");
    static inline const QString kConfirmChange = QStringLiteral("改单确认");
    static inline const QString kBadVolume = QStringLiteral("请输入正确的委托数量");

    explicit FutureQuickMouseTrader(QWidget* owner) : m_owner(owner) {}

    void SetAccountId(const QString& accountId) { m_accountId = accountId; }
    const QString& AccountId() const { return m_accountId; }
    // The account object; empty when there is none.
    Kora::Utility::Handle<Kora::Interface::EntityAccountI> Account() const;

    // A contract record ("54", "63", "244", ...); null for none.
    void SetContract(const Json::Value& contract) { m_contract = contract; }
    const Json::Value& Contract() const { return m_contract; }
    FutureOrderChoices& Choices() { return m_choices; }
    const FutureOrderChoices& Choices() const { return m_choices; }

    // The ladder's requests.
    // A limit order at a row's price text in a direction ('0' buy, '1' sell), after the trading
    // password where the settings ask for it. True when the engine took it.
    bool PlaceOrder(const QString& priceText, QChar direction);
    void CancelOrder(const QString& orderId);
    // Cancels the order and keeps its re-order at the new price until the cancel is confirmed.
    void MoveOrder(const QString& orderId, const QString& priceText);
    // Replaces a group of orders by one order of the volume entered, once the user confirms.
    void ChangeVolume(const std::vector<QString>& orderIds, const QString& volumeText);

    // The host's answers.
    // A request callback ({"RawContent": [order records]}): each record that confirms the cancel
    // of a moved order sends its re-order; one that shows the order finished otherwise drops it.
    void OnOrderAnswers(const Json::Value& payload);
    // A smart-order report ({"SmartOrderId", "State", "ErrorMsg"}): the error to show when one of
    // this window's smart orders failed (state 4), else an empty text.
    QString OnSmartOrderReport(const Json::Value& payload);

    // What the window shows, read from the account each time.
    // The working orders of the contract and the chosen hedge type, with their remaining volume.
    std::vector<LadderOrder> WorkingOrders() const;
    // The positions of the contract and the chosen hedge type (an array of records).
    Json::Value Positions() const;
    struct Openable {
        QString buy;
        QString sell;
    };
    // What the engine says could still be opened on each side; empty texts without an engine.
    Openable OpenableVolumes() const;
    // Hands the contract to the host's conditional orders; false when there is nothing to hand
    // over or no one to take it.
    bool OpenConditionalOrder() const;

    // Re-orders waiting for their cancel, by the identifier of the order cancelled.
    const std::map<QString, Json::Value>& PendingReorders() const { return m_reorders; }
    const QStringList& SmartOrderIds() const { return m_smartOrderIds; }

private:
    bool PasswordAccepted() const;
    // The order request as an order object, logged and inserted; true when the engine took it.
    bool Send(const Json::Value& request);
    // Logs and sends a cancel of the order record; true when the host accepted it.
    bool SendCancel(Kora::Interface::EntityAccountI& account, const QString& orderId,
                    const Json::Value& order, const QString& logText);
    bool IsOfWindow(const Json::Value& record) const;
    Json::Value AccountQuery() const;

    QWidget* m_owner;
    QString m_accountId;
    Json::Value m_contract;
    FutureOrderChoices m_choices;
    std::map<QString, Json::Value> m_reorders;
    QStringList m_smartOrderIds;
};
