#pragma once

#include <json/value.h>

#include <string>

#include "kora/interface/QuoteKey.h"
#include "kora/interface/QuoteSnapshot.h"
#include "market/Accounts.h"
#include "market/Instrument.h"
#include "market/Orders.h"

// The terminal's records as Json objects. Members named by decimal field numbers hold text
// ("135": "10", "136": "3012.50"), as the terminal's records always have; named members hold
// Json numbers, booleans or text as their names say.
namespace Terminal::Records {

// "%.*f" of a value.
std::string Fixed(double value, int decimals);
// A price in the instrument's decimals.
std::string PriceText(const Market::Instrument& instrument, int64_t units);
// "hh:mm:ss" of an hhmmss number.
std::string TimeText(uint32_t hhmmss);

Kora::Interface::QuoteKey KeyOf(const Market::Instrument& instrument);

// {"EAccountID", "VAccountID", "249", "Category", "Identity", "AccountName", "LoggedIn"}
Json::Value Account(const Market::TradingAccount& account, bool loggedIn);

// "54" exchange, "63" code, "64" name, "244" multiplier, "245" tick (real price), "1008"
// minimum trading unit; "ExchangeCode", "ContractCode", "Name", "MarketID", "PriceDivisor",
// "PriceDecimals", "UpperLimit", "LowerLimit", "ReferencePrice" (real prices), "IsOption",
// "ProductClass" ("期货", "期权", "股票", "基金"); options add "OptionClass" ("n", "o"),
// "CallPut" ("认购", "认沽"), "StrikePrice", "ExpireDate" (yyyymmdd), "UnderlyingExchange",
// "UnderlyingCode".
Json::Value Contract(const Market::Instrument& instrument, const Kora::Interface::QuoteSnapshot& snapshot,
                     const Market::Instrument* underlying);

// An order as numbered fields: those received, then "EAccountID", "54", "63", "64", "112", "117",
// "119", "125", "40" ("2" limit, "1" market), "41", "42", "129" price ("0" for a market order),
// "130" volume.
Json::Value Ticket(const Market::OrderTicket& ticket, const Market::Instrument& instrument);

// The ticket's fields, then the terminal's own: "OrderID", "VAccountID", "113" traded volume,
// "156" status, "StatusText",
// "65" exchange order number, "160" order reference, "161" the account number, "162" session,
// "SmartOrderId", "OrderTime" ("hh:mm:ss"), "AvgTradePrice" and, when refused or cancelled by
// the market, "ErrorMsg".
Json::Value Order(const Market::OrderView& order, const Market::Instrument& instrument,
                  const Market::TradingAccount& account);

// "EAccountID", "54", "63", "64", "112" ("0" long, "1" short), "270" ("买入", "卖出"), "119",
// "125" ("1" for a covered call, its own record beside a plain short of the same option; else
// "0"), "131" ("C", "P" or empty), "135" total, "137" closable (where today's close is separate,
// yesterday's closable plus "742"), "742" closable of today's, "136" average price, "138" latest
// price (the last trade, or the reference before one), "141" floating profit at it, "244"
// multiplier, "TodayVolume", "HistoryVolume", "Margin" (a short option's marked to the latest
// prices); a covered position adds "LockedShares", the underlying's shares it locks.
Json::Value Position(const Market::PositionView& position, const Market::Instrument& instrument);

// "EAccountID", "56" currency, "93" available, "95" withdrawable, "97" total asset, "110" cash,
// "345" risk degree (percent), "346" margin, "Frozen", "Commission", "CloseProfit",
// "PositionProfit", "PreBalance", "Financed" (the credit account's debt), "CreditAvailable" (its
// credit line left); amounts with two decimals.
Json::Value Money(const Market::MoneyView& money);

}  // namespace Terminal::Records
