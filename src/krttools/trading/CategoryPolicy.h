#pragma once

#include <json/value.h>

#include <QString>

#include "trading/OrderTicket.h"

class TradePrompter;

// What an account's category decides for every order of it, whichever window sends it: the
// category under which the terminal's configuration keeps the order settings and trigger mode
// ("期货", "个股期权", "股票"), what an order ticket carries besides side, offset, price and
// volume, and when the trading password is asked.
//
// Account categories (as the engine reports them): 0 and 5 securities, 6 stock options, any
// other number futures.
class CategoryPolicy {
public:
    enum class Kind { kFutures, kStockOption, kStock };

    // The engine's category of individual stock-option accounts.
    static constexpr int kStockOptionCategory = 6;

    static CategoryPolicy OfCategory(int category);
    // The policy of an account ({"EAccountID"}) by the engine's category; futures without an
    // engine or for an account it does not know.
    static CategoryPolicy OfAccount(const QString& accountId);

    Kind kind() const { return m_kind; }
    // "期货", "个股期权" or "股票".
    QString ConfigCategory() const;

    // The order settings of the category for the account ({"NeedPassword", "DefaultHedge",
    // "DefaultVolume", ...}); an empty object without the configuration service.
    Json::Value OrderSettings(const QString& accountId) const;
    // The hedge flag the account's settings choose ("DefaultHedge"); speculation when none.
    QChar DefaultHedge(const QString& accountId) const;

    // A ticket of the contract record ("54", "63"; "1008" of a stock) on the account: a futures
    // ticket carries the hedge flag speculation, a stock-option ticket the covered flag
    // "not covered", a stock ticket hedge speculation and its lot size as "MiniTradeUnitVol"
    // ("100" when the record has none). Side open buy, limit, day, no price and no volume yet.
    OrderTicket NewTicket(const QString& accountId, const Json::Value& contract) const;

    // Whether an order of the account may go: the category's settings may ask for the trading
    // password on every order ("NeedPassword"); otherwise the engine decides whether to ask.
    bool PasswordAccepted(const QString& accountId, TradePrompter& prompter) const;

private:
    explicit CategoryPolicy(Kind kind) : m_kind(kind) {}

    Kind m_kind;
};
