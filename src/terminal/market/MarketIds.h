#pragma once

#include <cstdint>
#include <string_view>

namespace Terminal::Market {

// The market identifier (QuoteKey::marketId, "MarketID") of each exchange code the terminal
// quotes. The two stock markets are 1000 and 1001: the tools ask weighting data only for those.
//
//   "SHSE-A" 1000   Shanghai stocks and funds
//   "SZSE-A" 1001   Shenzhen stocks
//   "SHQQ-A" 1010   Shanghai stock and fund options
//   "SZQQ-A" 1011   Shenzhen stock options
//   "SHFE"   2001   "DCE"  2002   "CZCE" 2003   "CFFEX" 2004   "INE" 2005
//
// Keys handed out by the terminal carry Market and Serial -1: a contract is identified by its
// market identifier and its code alone.
inline constexpr int32_t kMarketSHSE = 1000;
inline constexpr int32_t kMarketSZSE = 1001;
inline constexpr int32_t kMarketSHQQ = 1010;
inline constexpr int32_t kMarketSZQQ = 1011;
inline constexpr int32_t kMarketSHFE = 2001;
inline constexpr int32_t kMarketDCE = 2002;
inline constexpr int32_t kMarketCZCE = 2003;
inline constexpr int32_t kMarketCFFEX = 2004;
inline constexpr int32_t kMarketINE = 2005;

// -1 for an exchange code the terminal does not know.
int32_t MarketIdOfExchange(std::string_view exchange);
// Empty for an unknown identifier.
std::string_view ExchangeOfMarketId(int32_t marketId);

}  // namespace Terminal::Market
