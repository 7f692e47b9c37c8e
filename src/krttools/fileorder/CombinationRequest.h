#pragma once

#include <json/value.h>

#include <QString>
#include <string>
#include <vector>

#include "trading/OrderTicket.h"

// The combination (multi-leg) order request that one order file becomes.
namespace CombinationRequest {

// The record among `accounts` (an array or object of virtual-account records) whose account
// number (member "249") is `accountNumber`; null when none matches.
const Json::Value* FindAccount(const Json::Value& accounts, const std::string& accountNumber);

// The stock-option ticket each of the file's rows orders on the account: the contract of
// "EXCHANGE" and "CONTRACT"; direction, offset and covered flag the first characters of
// "DIRECTION", "OFFSETFLAG" and "COVERED" as the file spells them (null for an empty value);
// the volume of "VOLUME". The combination page prices the legs.
std::vector<OrderTicket> Legs(const QString& accountId, const Json::Value& rows);

// {"EAccountID", "VAccountID", "OrderList", "CombinationVolume": 1} from the account record and
// the file's rows, one leg each (Legs). "BS", "OC" and "BD" carry the character code of the
// leg's direction, offset and covered flag ("1" is 49), 0 for an empty value; "Volume" is the
// row's "VOLUME" as the file holds it, number or text.
Json::Value Build(const Json::Value& account, const Json::Value& rows);

}  // namespace CombinationRequest
