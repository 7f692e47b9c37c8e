#pragma once

#include <json/value.h>

#include <string>

#include "market/Simulator.h"

namespace Terminal {

// An order request as the terminal reads it.
struct ParsedOrder {
    Market::OrderTicket ticket;
    bool netPosition = false;  // offset '3': the engine resolves it into close and open orders
    int errorCode = 0;         // ErrorCode value; 0 when the request can go to the market
    std::string errorMessage;

    bool Ok() const { return errorCode == 0; }
};

// Reads an order request in either form the tools send:
//  - the engine's order object {"EAccountID", "Order": {"Contract": {"ExchangeCode",
//    "ContractCode"}, "Direction", "OffsetFlag", "HedgeFlag", "PriceType" ("限价", "市价"),
//    "LimitPriceType" ("CustomPrice" or a price rule), "LimitPrice", "Volume", "ExtRawData"}};
//  - a record of numbered fields {"EAccountID", "54", "63", "112", "117", "119", "125", "40",
//    "129", "130", "41", "42"}.
// The account is "EAccountID" (or the account of "VAccountID", or fallbackAccount). A limit
// order without its own price takes the price of its rule from the quote: "对手价" the other
// side's best, "挂单价"/"排队价" its own side's best, "最新价" the last price, "涨停价"/"跌停价"
// the limits; an empty best falls back to the last and then the reference price. "41" = "1"
// with "42" = "3" is fill-or-kill, "41" = "1" otherwise fill-and-kill. Numbered fields are kept
// in the ticket and echoed in the order's records.
ParsedOrder ParseOrderRequest(const Json::Value& request, const Market::Simulator& market,
                              const std::string& fallbackAccount);

// A record of numbered fields as the engine's order object (null when it names no contract).
Json::Value ToOrderObject(const Json::Value& request);

// A code given as text (its first character), a digit number (0-9) or a character code (48 ...).
char CodeOf(const Json::Value& value, char fallback);

}  // namespace Terminal
