#pragma once

#include <json/value.h>

#include <QString>

#include "kora/interface/QuoteKey.h"

// Contract records of the contract service ("54" exchange, "63" code, "64" name, "244", "245",
// "PriceDecimals", "PriceDivisor", limits ...), as every order window asks for them.
namespace ContractRecords {

// {"ExchangeCode", "ContractCode"}: how the contract service is asked about a contract.
Json::Value Query(const Json::Value& contract);
Json::Value Query(const QString& exchangeCode, const QString& contractCode);
// Same exchange and code.
bool Same(const Json::Value& a, const Json::Value& b);
// The record of a contract the quote layer knows by key; null when either service is missing
// or the contract unknown.
Json::Value OfKey(const Kora::Interface::QuoteKey& key);

}  // namespace ContractRecords
