#pragma once

#include <json/value.h>

#include <optional>
#include <string>

#include "market/Simulator.h"

// An account's orders, positions and money as the services answer them (arrays of
// Records::Order, Records::Position and Records::Money), shared by the engine and the account
// objects.
namespace Terminal::Services::AccountRecords {

// The account a query names: {"EAccountID": id}, {"VAccountID": id} or the id as text.
std::optional<Market::TradingAccount> AccountOf(const Market::Simulator& market, const Json::Value& query);

// When the query also names a contract, only that contract's records are answered.
Json::Value Orders(const Market::Simulator& market, const Json::Value& query, bool workingOnly);
Json::Value Positions(const Market::Simulator& market, const Json::Value& query);
Json::Value Money(const Market::Simulator& market, const Json::Value& query);
// The order record of one order of the account; null when it has none of that id.
Json::Value Order(const Market::Simulator& market, const std::string& accountId, const std::string& orderId);

}  // namespace Terminal::Services::AccountRecords
