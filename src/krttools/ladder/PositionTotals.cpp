#include "ladder/PositionTotals.h"

#include <algorithm>

#include "kora/interface/FieldIds.h"
#include "kora/utility/JsonAccess.h"

using Kora::Utility::JsonDouble;
using Kora::Utility::JsonInt;
using Kora::Utility::JsonText;

QString PositionSideTotals::VolumeText() const {
    if (firstTotal == 0) {
        return {};
    }
    return firstTotal == secondTotal ? QString::number(firstTotal)
                                     : QStringLiteral("%1(%2)").arg(firstTotal).arg(secondTotal);
}

QString PositionSideTotals::ProfitText(int decimals) const {
    return firstTotal == 0 ? QString() : QString::number(profit, 'f', std::clamp(decimals, 0, 9));
}

PositionTotals SumPositions(const Json::Value& positions, double currentPrice, double multiplier) {
    PositionTotals totals;
    if (!positions.isArray()) {
        return totals;
    }
    for (const Json::Value& position : positions) {
        const std::string direction = JsonText(position, Field::kDirection);
        const bool isLong = direction == "0";
        if (!isLong && direction != "1") {
            continue;
        }
        PositionSideTotals& side = isLong ? totals.longSide : totals.shortSide;
        const int64_t volume = JsonInt(position, Field::kPositionVolume, 0);
        side.firstTotal += volume;
        side.secondTotal += JsonInt(position, Field::kClosableVolume, 0);
        const double average = JsonDouble(position, Field::kAveragePrice, 0);
        side.cost += average * static_cast<double>(volume);
        const double move = currentPrice - average;
        side.profit += (isLong ? move : -move) * multiplier * static_cast<double>(volume);
    }
    return totals;
}
