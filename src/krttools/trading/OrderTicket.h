#pragma once

#include <json/value.h>

#include <QChar>
#include <QString>
#include <cstdint>

#include "trading/TradingCodes.h"

// One order as every order window describes it, and the request of numbered fields the engine
// turns into its order object. Tickets are made by CategoryPolicy::NewTicket, which fills in
// what the account's category carries (the hedge flag of futures, the covered flag of stock
// options, the lot size of stocks); the window then sets the side, offset, price and volume,
// and adds the fields only it sends (its "OrderMode", say) to `fields`.
//
//   OrderTicket ticket = policy.NewTicket(accountId, contract);
//   ticket.direction = TradingCodes::Direction::kSell;
//   ticket.priceText = QStringLiteral("3001");
//   ticket.volume = 2;
//   sender.Send(ticket);
struct OrderTicket {
    // How the order is priced: at `priceText`, at the market (the exchange's market price
    // type), or by the engine's own price rule (no price fields at all).
    enum class Pricing { kLimit, kMarket, kEngineRule };
    // How long a limit order works: the day, or at once (fill-and-kill, fill-or-kill).
    enum class Duration { kDay, kFillAndKill, kFillOrKill };

    // The largest volume one order may carry; what a trader types beyond it is refused before
    // anything is built.
    static constexpr int64_t kMaxVolume = 1'000'000;

    QString accountId;                                // "EAccountID"
    QString exchangeCode;                             // "54"
    QString contractCode;                             // "63"
    QChar direction = TradingCodes::Direction::kBuy;  // "112"
    QChar offset = TradingCodes::Offset::kOpen;       // "117"
    QChar hedge;                                      // "119"; not sent when null
    QChar covered;                                    // "125"; not sent when null
    Pricing pricing = Pricing::kLimit;
    QString priceText;   // "129" of a limit order, as the window prints it
    int64_t volume = 0;  // "130"
    Duration duration = Duration::kDay;
    // Further members of the request: numbered fields the window sends ("495" ...) and named
    // ones the engine reads ("OrderMode", "MiniTradeUnitVol", "Parallelism" ...).
    Json::Value fields = Json::Value(Json::objectValue);

    bool IsNetPosition() const { return offset == TradingCodes::Offset::kNetPosition; }

    // {"EAccountID", "54", "63", "112", "117", ["119"], ["125"], "40", "129", "130", "41",
    // "42", fields...}. A limit order carries "40" '2' with its price; a market order its
    // exchange's market price type with "41" '1' and "42" '1'; an engine-priced order none of
    // "40", "129", "41", "42".
    Json::Value Request() const;
};
