#pragma once

#include <json/value.h>

#include <QString>
#include <functional>
#include <map>
#include <vector>

#include "kernel/QuoteFrameThrottle.h"
#include "kora/interface/AccountI.h"
#include "trading/CategoryPolicy.h"
#include "trading/OrderSender.h"
#include "trading/TradingCodes.h"

class TradePrompter;

// What a price-ladder order window does besides its controls and layout: which account and
// contract it trades, what the ladder's four requests (place, cancel, move, change volume) send
// to the host, what the host's answers mean, which positions and working orders it shows, and
// when a quote is shown. The futures window uses it with Setup::Futures(); the option and stock
// windows give their own Setup. The window owns the presenter, wires its controls to Choices()
// and the request methods, and draws what the presenter answers.
//
// Questions, refusals and the trading password reach the trader through the prompter given at
// construction, never through a box opened here. Orders go out through Sender() (one log
// source per window), so every one of them writes the order-log line and is tracked.
//
// Without an account (unknown, logged out, no account service) the requests send nothing.
// Calls come on the UI thread, except Quotes().Store, which the host's delivery thread calls.
class LadderWindowPresenter {
public:
    // What differs between the windows built on the presenter.
    struct Setup {
        // The account categories the window trades, in order of preference, for a window
        // opened without an account of its own.
        std::vector<int> accountCategories;
        // Options only (the option window), or everything but options.
        bool tradesOptions = false;
        // The source of the window's log lines, and what its cancel and move lines end with.
        QString logSource;
        QString cancelLogSuffix;
        QString moveLogSuffix;
        // Members every order ticket of the window carries ("OrderMode": 0 ...).
        Json::Value ticketFields = Json::Value(Json::objectValue);
        // Members of the engine's order object that the re-orders of a move carry besides the
        // window's usual ones ("SplitOrderEnable": false ...).
        Json::Value reorderMembers = Json::Value(Json::objectValue);
        // The question before a volume change, given the group's order records and the new
        // volume; "改单确认" when not set.
        std::function<QString(const std::vector<Json::Value>& orders, int volume)> changeVolumeQuestion;

        // The futures window: futures accounts (category 8), no options, "快鼠下单板".
        static Setup Futures();
    };

    // What the controls beside the ladder choose for every order the window sends.
    struct OrderChoices {
        QChar offset = TradingCodes::Offset::kOpen;  // the checked radio's flag
        bool netPosition = false;                    // "自动": the engine nets each order
        QChar hedge = TradingCodes::Hedge::kSpeculation;
        QChar covered = TradingCodes::Covered::kUncovered;
        OrderTicket::Duration duration = OrderTicket::Duration::kDay;  // FAK, FOK
        QString volumeText;

        QChar EffectiveOffset() const { return netPosition ? TradingCodes::Offset::kNetPosition : offset; }
    };

    // A working order as the ladder shows it: its remaining volume at its price. Its direction
    // is one of a ladder side (TradingCodes::IsBuyDirection, IsSellDirection), margin
    // directions included.
    struct WorkingOrder {
        QString id;
        QChar direction;
        double price = 0;
        int volume = 0;
    };

    struct Openable {
        QString buy;
        QString sell;
    };

    LadderWindowPresenter(Setup setup, TradePrompter& prompter);

    // ---- Account ----
    // The window's own account when it names one; else the terminal's current account when it
    // is of one of the window's categories; else the first logged-in account of those
    // categories, in their order; else none.
    void ChooseAccount(const QString& ownAccountId);
    const QString& AccountId() const { return m_accountId; }
    // The policy of the account's category (futures without an account).
    const CategoryPolicy& Policy() const { return m_policy; }
    // The account object; empty when there is none.
    Kora::Utility::Handle<Kora::Interface::EntityAccountI> Account() const;

    // ---- Contract ----
    // Whether the window may trade a contract record: one of its kind (an option, or not) with
    // a code, that the account trades; without an account, one of the category's product
    // class ("期货").
    bool IsEligible(const Json::Value& contract) const;
    // The account's contracts the window may trade, in the contract service's order.
    std::vector<Json::Value> EligibleContracts() const;
    // A contract record ("54", "63", "244", ...); null for none.
    void SetContract(const Json::Value& contract) { m_contract = contract; }
    const Json::Value& Contract() const { return m_contract; }

    OrderChoices& Choices() { return m_choices; }
    const OrderChoices& Choices() const { return m_choices; }

    // ---- The ladder's requests ----
    // A limit order at a row's price text in a direction, after the trading password where the
    // settings ask for it. True when the engine took it.
    bool PlaceOrder(const QString& priceText, QChar direction);
    void CancelOrder(const QString& orderId);
    // Cancels the order and keeps its re-order at the new price until the cancel is confirmed.
    void MoveOrder(const QString& orderId, const QString& priceText) { MoveOrders({orderId}, priceText); }
    // Moves a group of orders to a price: each is cancelled, and its re-order for what is still
    // working waits for its cancel to be confirmed. When the host refuses any cancel of the
    // group, no re-order of the group is kept and the trader is told: an order that filled
    // meanwhile must not be bought or sold a second time at the new price.
    void MoveOrders(const std::vector<QString>& orderIds, const QString& priceText);
    // Replaces a group of orders by one order of the volume entered, once the trader confirms
    // and every cancel of the group was accepted; otherwise nothing new is sent.
    void ChangeVolume(const std::vector<QString>& orderIds, const QString& volumeText);

    // ---- The host's answers ----
    // A request callback ({"RawContent": [order records]}): each record that confirms the cancel
    // of a moved order sends its re-order for what was still working; one that shows the order
    // finished otherwise drops it.
    void OnOrderAnswers(const Json::Value& payload);
    // A smart-order notification: a failure of one of the window's smart orders is told.
    void OnSmartOrderNotice(const Json::Value& payload);

    // ---- What the window shows ----
    // The working orders of the contract and the chosen hedge type, read from the account.
    std::vector<WorkingOrder> WorkingOrders() const;
    // Reads the positions of the contract and the chosen hedge type from the account.
    void RefreshPositions();
    // Those positions, each with the current price as "NowPrice" (the ladder's markers and the
    // panels value them at it).
    Json::Value PricedPositions(double nowPrice) const;
    const Json::Value& Positions() const { return m_positions; }
    // What the engine says could still be opened on each side; empty texts without an engine.
    Openable OpenableVolumes() const;
    // Hands the contract to the host's conditional orders ({"ExchangeCode", "ContractCode",
    // ["Volume"], "PriceType": "对手价", "Direction": '0', "OffsetFlag"}); false when there is
    // nothing to hand over or no one to take it.
    bool OpenConditionalOrder() const;

    // Quotes of the window's contract, shown at most once a frame.
    Kora::Kernel::QuoteFrameThrottle& Quotes() { return m_quotes; }
    const Kora::Kernel::QuoteFrameThrottle& Quotes() const { return m_quotes; }
    void SetQuoteShow(Kora::Kernel::QuoteFrameThrottle::Show show) { m_show = std::move(show); }

    // Re-orders waiting for their cancel, by the identifier of the order cancelled.
    const std::map<QString, OrderTicket>& PendingReorders() const { return m_reorders; }
    OrderSender& Sender() { return m_sender; }

private:
    Json::Value AccountQuery() const;
    // A ticket of the window's kind for a contract (or an order record of it), of that hedge or
    // covered flag, with the window's own fields.
    OrderTicket NewTicket(const Json::Value& contract, QChar hedge, QChar covered) const;
    // A day order like an order record (its contract, direction, offset and hedge) at a price.
    OrderTicket TicketLike(const Json::Value& order, const QString& priceText, int64_t volume) const;
    bool Send(const OrderTicket& ticket, const Json::Value& extraMembers = Json::Value());
    bool SendCancel(Kora::Interface::EntityAccountI& account, const QString& orderId,
                    const Json::Value& order, const QString& logText);
    bool IsOfWindow(const Json::Value& record) const;
    void Log(int level, const QString& text, int code = 0) const;

    Setup m_setup;
    TradePrompter& m_prompter;
    OrderSender m_sender;
    QString m_accountId;
    CategoryPolicy m_policy = CategoryPolicy::OfCategory(-1);
    Json::Value m_contract;
    OrderChoices m_choices;
    Json::Value m_positions = Json::Value(Json::arrayValue);
    std::map<QString, OrderTicket> m_reorders;
    Kora::Kernel::QuoteFrameThrottle::Show m_show;
    Kora::Kernel::QuoteFrameThrottle m_quotes;
};
