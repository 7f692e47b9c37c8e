#pragma once

// "ErrorCode" values of the terminal's answers (0 is success). "ErrorMsg" says the same in
// Chinese.
namespace Terminal::ErrorCode {

inline constexpr int kUnknownAccount = 1001;         // "账号不存在" / "账号未登录"
inline constexpr int kUnknownContract = 1002;        // "合约不存在"
inline constexpr int kBadVolume = 1003;              // "委托数量无效"
inline constexpr int kBadPrice = 1004;               // "委托价格无效"
inline constexpr int kBadDirection = 1005;           // "委托方向无效" / "开平标志无效"
inline constexpr int kMalformed = 1006;              // "请求格式错误"
inline constexpr int kUnsupported = 1007;            // "不支持的操作"
inline constexpr int kContractNotOfAccount = 1008;   // "该账号不支持此合约的交易"
inline constexpr int kNetPositionUnresolved = 1009;  // a net-position order that cannot be resolved
// Carried by smart-order notices ("ResultCode") when the market refused an accepted order.
inline constexpr int kMarketRejected = 1100;
inline constexpr int kNoSuchOrder = 2001;         // "委托不存在"
inline constexpr int kNotCancellable = 2002;      // "委托已全部成交，不能撤单" ...
inline constexpr int kBadCondition = 3001;        // "条件单参数无效"
inline constexpr int kConditionCancelled = 3002;  // "用户取消条件单"
inline constexpr int kBadCombination = 4001;      // "组合委托参数无效"

}  // namespace Terminal::ErrorCode
