#pragma once

#include <json/value.h>

#include <QString>

#include "kora/interface/PageWindowRecord.h"

// "一键下单": the simulated positions as one combination order for the host's order panel.
namespace OneClickOrder {

// One entry per checked position with a quantity above 0: {"Contract": {"ExchangeCode",
// "ContractCode"}, "BS": code of the first character of "112", "OC": 48 (open), "BD": code of
// the first character of "125" ("0" when missing), "Volume": the quantity}.
Json::Value OrderList(const Json::Value& positions);

// {"EAccountID", "OrderList", "VAccountID", "CombinationVolume": 1}.
Json::Value Request(const Json::Value& account, const Json::Value& orderList);

// The window record: the window's token, page 1001, kind 8, title "多品种", caller tag
// "KRTAddinPublic,-706-@"; zero elsewhere.
Kora::Interface::PageWindowRecord WindowRecord(uint32_t windowToken);

// The first entry whose contract the account cannot trade (the contract service knows it not
// for that account); null when every one is known, or when there is no contract service.
Json::Value UnknownContract(const Json::Value& account, const Json::Value& orderList);

}  // namespace OneClickOrder
