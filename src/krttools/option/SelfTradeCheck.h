#pragma once

#include <json/value.h>

#include <QChar>
#include <QString>

// Whether a ladder order would trade against one of the trader's own resting orders of the same
// contract: a buy at or above an own resting sell, a sell at or below an own resting buy.
// Resting means status "1" (partly filled), "2" (working) or "p" (waiting to be sent). An
// exchange may refuse such a self-trade or count it against the account, so the window asks
// before sending it.
namespace SelfTradeCheck {

inline const QString kQuestion = QStringLiteral("该价格将与您自己的挂单成交，是否继续？");

// `orders` are the account's order records ("54", "63", "112", "129", "156", "OrderID");
// `ignoredOrderId` is an order left out (the one being moved). Anything but an array of
// records, or a price that is not a number, crosses nothing.
bool CrossesOwnOrder(const Json::Value& orders, const Json::Value& contract, QChar direction, double price,
                     const QString& ignoredOrderId = {});

}  // namespace SelfTradeCheck
