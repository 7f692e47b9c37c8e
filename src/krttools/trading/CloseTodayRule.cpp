#include "trading/CloseTodayRule.h"

#include <algorithm>

#include "trading/TradingCodes.h"

namespace CloseTodayRule {

bool ClosesTodayApart(const QString& exchange) {
    return exchange == QLatin1String("SHFE") || exchange == QLatin1String("INE");
}

std::vector<ClosingLeg> Split(const QString& exchange, int64_t volume, int64_t todayVolume) {
    std::vector<ClosingLeg> legs;
    const int64_t today = ClosesTodayApart(exchange) ? std::clamp<int64_t>(todayVolume, 0, volume) : 0;
    if (today > 0) {
        legs.push_back({TradingCodes::Offset::kCloseToday, today});
    }
    if (volume - today > 0) {
        legs.push_back({TradingCodes::Offset::kClose, volume - today});
    }
    return legs;
}

}  // namespace CloseTodayRule
