#pragma once

#include <json/value.h>

#include <cstdint>

// How the stock window sizes and checks the volume of an order. Shares are bought in whole lots
// of the contract's minimum trading unit; what is held may be sold to the last share.
namespace StockOrderVolume {

// The lot of a contract record: its minimum trading unit ("1008"), 100 when the record has none
// or one below 1.
int64_t LotOf(const Json::Value& contract);

// p percent (0 to 100) of what can be bought, in whole lots: ⌊⌊A × p / 100⌋ / lot⌋ × lot.
int64_t BuyShare(int64_t available, int percent, int64_t lot);
// p percent of what can be sold: all of it at 100 (odd shares included), otherwise whole lots
// as for a buy.
int64_t SellShare(int64_t available, int percent, int64_t lot);

}  // namespace StockOrderVolume
