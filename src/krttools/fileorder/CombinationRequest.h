#pragma once

#include <json/value.h>

#include <string>

// The combination (multi-leg) order request that one order file becomes.
namespace CombinationRequest {

// The record among `accounts` (an array or object of virtual-account records) whose account
// number (member "249") is `accountNumber`; null when none matches.
const Json::Value* FindAccount(const Json::Value& accounts, const std::string& accountNumber);

// {"EAccountID", "VAccountID", "OrderList", "CombinationVolume": 1} from the account record and
// the file's rows ("EXCHANGE", "CONTRACT", "DIRECTION", "OFFSETFLAG", "COVERED", "VOLUME").
// "BS", "OC" and "BD" carry the character code of the first character of "DIRECTION",
// "OFFSETFLAG" and "COVERED" ("1" is 49), 0 for an empty value.
Json::Value Build(const Json::Value& account, const Json::Value& rows);

}  // namespace CombinationRequest
