#include "trading/SmartOrder.h"

#include <QStringList>

#include "kora/interface/KRTEngineI.h"
#include "kora/utility/JsonAccess.h"

namespace Kora::Kernel {

using Utility::JsonText;
using Utility::JsonWText;
using Utility::Member;

SmartOrderResult InsertSmartOrder(Interface::KRTEngineI& engine, const Json::Value& request,
                                  const Json::Value& orderMembers,
                                  const std::function<void(const Json::Value& order)>& beforeInsert) {
    SmartOrderResult result;
    Json::Value order = engine.CreateOrder(request);
    if (!order.isObject() || !Member(order, "Order").isObject()) {
        result.error = JsonWText(order, "ErrorMsg", QStringLiteral("委托无效"));
        return result;
    }
    if (orderMembers.isObject()) {
        for (const std::string& name : orderMembers.getMemberNames()) {
            order[name] = orderMembers[name];
        }
    }
    result.order = order;
    if (beforeInsert) {
        beforeInsert(order);
    }
    Json::Value answer = engine.Invoke(QStringLiteral("InsertSmartOrder"), order);
    result.orderId = JsonWText(answer, "OrderId");
    if (result.orderId.isEmpty()) {
        result.error = JsonWText(answer, "ErrorMsg", QStringLiteral("下单失败"));
        return result;
    }
    result.sent = true;
    return result;
}

QString OrderLogLine(const Json::Value& order) {
    const Json::Value& body = Member(order, "Order");
    const Json::Value& contract = Member(body, "Contract");
    QString price = JsonText(body, "LimitPriceType") == "CustomPrice" ? JsonWText(body, "LimitPrice")
                    : JsonText(body, "PriceType") == "限价"           ? JsonWText(body, "LimitPriceType")
                                                                      : JsonWText(body, "PriceType");
    QStringList fields{JsonWText(contract, "ContractCode"),
                       JsonWText(body, "Direction"),
                       JsonWText(body, "OffsetFlag"),
                       JsonWText(body, "HedgeFlag"),
                       price,
                       JsonWText(body, "Volume")};
    const Json::Value& ext = Member(body, "ExtRawData");
    if (ext.isObject()) {
        for (const std::string& key : ext.getMemberNames()) {
            fields << JsonWText(ext[key]);
        }
    }
    return fields.join(QLatin1Char('|'));
}

}  // namespace Kora::Kernel
