#pragma once

// The numbered fields of the host's order, trade, position, contract and money records. Records
// are Json objects keyed by these decimal numbers written as strings; terminal and component
// both spell a field through these names, so the two sides cannot drift apart.
namespace Kora::Interface::Field {

// Orders
inline constexpr const char* kPriceType = "40";        // '2' limit; other codes: the trading-code table
inline constexpr const char* kTimeCondition = "41";    // '1' immediate (FAK/FOK), '3' good for the day
inline constexpr const char* kVolumeCondition = "42";  // '1' any volume, '3' all or nothing (FOK)
inline constexpr const char* kExchangeOrderId = "65";
inline constexpr const char* kDirection = "112";  // '0' buy, '1' sell, 'a'/'b' margin buy / short sell
inline constexpr const char* kTradedVolume = "113";
inline constexpr const char* kOffsetFlag = "117";   // '0' open, '1' close, '2' close today, '3' net
inline constexpr const char* kHedgeFlag = "119";    // '1' speculation, '2' arbitrage, '3' hedging
inline constexpr const char* kCoveredFlag = "125";  // '0' plain, '1' covered
inline constexpr const char* kOrderPrice = "129";
inline constexpr const char* kOrderVolume = "130";
inline constexpr const char* kOrderStatus =
    "156";  // '1', '2' working; '0' filled; '4' cancelled; '5' refused
inline constexpr const char* kOrderReference = "160";
inline constexpr const char* kAccountNumber = "161";
inline constexpr const char* kSession = "162";
// Two markers every keyboard order has always carried ("1" and "0"), passed on as they are.
inline constexpr const char* kOrderChannel = "495";
inline constexpr const char* kForceClose = "683";

// Contracts
inline constexpr const char* kExchangeCode = "54";
inline constexpr const char* kContractCode = "63";
inline constexpr const char* kContractName = "64";
inline constexpr const char* kOptionKind = "131";  // "C", "P", or empty for a non-option
inline constexpr const char* kMultiplier = "244";
inline constexpr const char* kTickSize = "245";
inline constexpr const char* kMinTradeUnit = "1008";  // lot size; shares are bought in whole lots

// Positions
inline constexpr const char* kPositionVolume = "135";
inline constexpr const char* kAveragePrice = "136";
inline constexpr const char* kClosableVolume = "137";
inline constexpr const char* kLatestPrice = "138";
inline constexpr const char* kFloatingProfit = "141";
inline constexpr const char* kAccountText = "249";
inline constexpr const char* kDirectionText = "270";
inline constexpr const char* kTodayClosableVolume = "742";  // what of "137" was opened today

// Money
inline constexpr const char* kCurrency = "56";
inline constexpr const char* kAvailable = "93";
inline constexpr const char* kWithdrawable = "95";
inline constexpr const char* kTotalAsset = "97";
inline constexpr const char* kCash = "110";
inline constexpr const char* kRiskDegree = "345";  // margin ÷ total asset, in percent
inline constexpr const char* kMargin = "346";

}  // namespace Kora::Interface::Field

namespace Field = Kora::Interface::Field;
