#pragma once

#include <json/value.h>

#include <QString>
#include <optional>
#include <vector>

// What the batch trading board checks before it sends the ticked legs, and the combination
// order they become.
namespace BatchOrderRequest {

// What "下单" finds, checked in the order of the members.
struct Checks {
    bool hasAccount = false;
    int accountCategory = -1;
    char classLetter = 0;  // of the board's options
    bool hasPriceType = false;
    QString quantityText;
    size_t tickedLegs = 0;
    // The first ticked leg that cannot be sent (no contract record or no quote), by name;
    // empty when every one can.
    QString incompleteLeg;
};

// A stock-option account (category 6) trades class letters 'o' and 'p', a futures account
// (category 8) 'n'; nothing else matches.
bool AccountTradesClass(int category, char classLetter);

// The quantity a field holds: a whole number from 1 to OrderTicket::kMaxVolume, blanks around
// it allowed; nothing for anything else ("0", "-3", "2.5", "3手").
std::optional<int> Quantity(const QString& text);

// The first refusal, as the trader is told it: no account, account and options that do not
// match, no price type, no quantity, a quantity that is not a positive whole number, no leg,
// a leg that cannot be sent. Empty when the order may go.
QString Refusal(const Checks& checks);

struct Leg {
    QString exchangeCode;
    QString contractCode;
    bool sell = false;
};

// {"OrderList": [one leg each, in order: {"Contract", "EAccountID", "BD": 48 (not covered),
// "BS": 48 buy / 49 sell, "OC": 48 (open), "Volume": quantity}], "VAccountID",
// "CombinationVolume": 1, "CombinationName": "批量下单", "PriceType", "HideVolume": true}.
Json::Value Compose(const Json::Value& account, const QString& priceType, const std::vector<Leg>& legs,
                    int quantity);

}  // namespace BatchOrderRequest
