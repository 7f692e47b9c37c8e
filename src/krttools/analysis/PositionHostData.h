#pragma once

#include <json/value.h>

#include "kora/interface/QuoteKey.h"

// What the risk analysis reads from the host about a position: the contract behind the record,
// its name and direction text, its multiplier, its latest price and floating P&L from the quote
// snapshot, and for an option its terms from the options data service. Call on the
// user-interface thread; a service the host lacks leaves the fields it would fill alone.
namespace PositionHostData {

// The record's group key member (the option's series name up to its first "|").
inline constexpr const char* kGroup = "Group";

// "STK" when it names a contract, else the contract the base quote data service knows by the
// record's exchange ("54") and code ("63").
Kora::Interface::QuoteKey ContractOf(const Json::Value& record);

// Fills "STK", a missing name, the direction text of "112", the multiplier "244" and the latest
// price and P&L; for a listed option also "Subject", "OptionType", "PutCall", "ExercisePrice",
// "MaturityDays" (whole days from now) and the group.
void Describe(Json::Value& record);

// "138": the snapshot's latest price, or its reference price before any trade, over the
// contract's divisor with the contract's decimals. "141": with a positive divisor and price,
// (price − "136") × "135" × "244" for a long position ("112" "0"), the other way round for any
// other direction, "%.02f".
void ReadPrices(Json::Value& record);

// A position of one lot bought ("112" "0", "119" "1", checked) in a listed option, described;
// null when the base quote data service does not know the contract.
Json::Value NewPosition(const Kora::Interface::QuoteKey& option);

}  // namespace PositionHostData
