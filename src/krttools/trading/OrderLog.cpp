#include "trading/OrderLog.h"

#include <QStringList>

#include "kernel/EngineLog.h"
#include "kernel/HostAccess.h"
#include "kora/interface/KRTEngineI.h"
#include "kora/utility/JsonAccess.h"
#include "trading/OrderTicket.h"

using Kora::Utility::JsonText;
using Kora::Utility::JsonWText;
using Kora::Utility::Member;

namespace OrderLog {

QString Line(const Json::Value& order) {
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

void Write(const Json::Value& order, const QString& source) {
    Kora::Kernel::WriteLog(Kora::Kernel::kLogOrder, Line(order), source);
}

void WriteLeg(const OrderTicket& leg, const QString& source) {
    Kora::Utility::Handle<Kora::Interface::KRTEngineI> engine =
        Kora::Kernel::GetService<Kora::Interface::KRTEngineI>();
    if (!engine) {
        return;
    }
    const Json::Value order = engine->CreateOrder(leg.Request());
    if (order.isObject() && Member(order, "Order").isObject()) {
        Write(order, source);
    } else {
        Kora::Kernel::WriteLog(Kora::Kernel::kLogError,
                               QStringLiteral("错误|委托无效|%1|%2").arg(leg.exchangeCode, leg.contractCode),
                               source);
    }
}

}  // namespace OrderLog
