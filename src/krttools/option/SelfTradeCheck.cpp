#include "option/SelfTradeCheck.h"

#include <cmath>

#include "kora/interface/FieldIds.h"
#include "kora/utility/JsonAccess.h"
#include "trading/ContractRecords.h"
#include "trading/TradingCodes.h"

using Kora::Utility::JsonDouble;
using Kora::Utility::JsonWText;
namespace Codes = TradingCodes;

namespace SelfTradeCheck {

namespace {

constexpr double kEpsilon = 1e-8;

bool IsResting(const Json::Value& order) {
    const QString status = JsonWText(order, Field::kOrderStatus);
    return status == QStringLiteral("1") || status == QStringLiteral("2") || status == QStringLiteral("p");
}

}  // namespace

bool CrossesOwnOrder(const Json::Value& orders, const Json::Value& contract, QChar direction, double price,
                     const QString& ignoredOrderId) {
    if (!orders.isArray() || !std::isfinite(price)) {
        return false;
    }
    const bool buying = direction == Codes::Direction::kBuy;
    for (const Json::Value& order : orders) {
        if (!order.isObject() || !IsResting(order) || !ContractRecords::Same(order, contract) ||
            (!ignoredOrderId.isEmpty() && JsonWText(order, "OrderID") == ignoredOrderId)) {
            continue;
        }
        const QChar side = Codes::CodeOf(JsonWText(order, Field::kDirection));
        const double resting = JsonDouble(order, Field::kOrderPrice, NAN);
        if (!std::isfinite(resting)) {
            continue;
        }
        if (buying && side == Codes::Direction::kSell && price >= resting - kEpsilon) {
            return true;
        }
        if (!buying && side == Codes::Direction::kBuy && price <= resting + kEpsilon) {
            return true;
        }
    }
    return false;
}

}  // namespace SelfTradeCheck
