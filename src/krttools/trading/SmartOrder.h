#pragma once

#include <json/value.h>

#include <QString>
#include <functional>

namespace Kora::Interface {
class KRTEngineI;
}

namespace Kora::Kernel {

// The outcome of handing one order to the engine.
struct SmartOrderResult {
    bool sent = false;
    QString orderId;    // the smart-order identifier the engine answered
    QString error;      // the engine's refusal, when not sent
    Json::Value order;  // the order object as it was inserted
};

// Has the engine turn an order request (numbered fields) into its order object, merges the
// caller's members into that object ({"ReorderEnable": false, ...}), and inserts it through the
// engine's "InsertSmartOrder". `beforeInsert` sees the finished order object just before it is
// inserted (for the caller's order log).
SmartOrderResult InsertSmartOrder(Interface::KRTEngineI& engine, const Json::Value& request,
                                  const Json::Value& orderMembers = Json::Value(),
                                  const std::function<void(const Json::Value& order)>& beforeInsert = {});

// The order-log line: contract code, direction, offset and hedge texts, price, volume and the
// further numbered fields, joined with '|'.
QString OrderLogLine(const Json::Value& order);

}  // namespace Kora::Kernel
