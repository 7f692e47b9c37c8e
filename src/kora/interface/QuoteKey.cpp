#include "kora/interface/QuoteKey.h"

#include <QStringList>

#include "kora/utility/JsonAccess.h"

namespace Kora::Interface {

namespace {
int32_t IntMember(const Json::Value& value, const char* key) {
    const Json::Value& member = Utility::Member(value, key);
    if (!member.isIntegral() && !member.isDouble()) {
        return -1;
    }
    int64_t v = Utility::JsonInt(member, -1);
    return (v < INT32_MIN || v > INT32_MAX) ? -1 : static_cast<int32_t>(v);
}
}  // namespace

QuoteKey QuoteKey::FromJson(const Json::Value& value) {
    QuoteKey key;
    key.marketId = IntMember(value, "MarketID");
    key.code = Utility::JsonWText(value, "KRCode");
    key.market = IntMember(value, "Market");
    key.serial = IntMember(value, "Serial");
    return key;
}

Json::Value QuoteKey::ToJson() const {
    Json::Value value(Json::objectValue);
    value["MarketID"] = marketId;
    value["KRCode"] = code.toStdString();
    value["Market"] = market;
    value["Serial"] = serial;
    return value;
}

QuoteKey QuoteKey::FromText(const QString& text) {
    QString inner = text;
    inner.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
    const QStringList fields = inner.split(QLatin1Char(','));
    QuoteKey key;
    bool ok = false;
    int id = fields.value(0).trimmed().toInt(&ok);
    if (ok) {
        key.marketId = id;
    }
    key.code = fields.value(1).trimmed();
    return key;
}

QString QuoteKey::ToText() const {
    return QStringLiteral("(%1,%2)").arg(marketId).arg(code);
}

}  // namespace Kora::Interface
