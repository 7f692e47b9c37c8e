#include "trading/FutureOrderRequest.h"

#include "kora/interface/FieldIds.h"
#include "kora/utility/JsonAccess.h"

using Kora::Utility::JsonWText;

namespace {

std::string Text(const QString& text) {
    return text.toStdString();
}

std::string Text(QChar code) {
    return QString(code).toStdString();
}

}  // namespace

FutureOrderFields OrderFromChoices(const Json::Value& contract, const FutureOrderChoices& choices,
                                   const QString& priceText, QChar direction) {
    FutureOrderFields order;
    order.exchangeCode = JsonWText(contract, Field::kExchangeCode);
    order.contractCode = JsonWText(contract, Field::kContractCode);
    order.direction = direction;
    order.offset = choices.EffectiveOffset();
    order.hedge = choices.hedge;
    order.priceText = priceText;
    order.volumeText = choices.volumeText;
    order.fillAndKill = choices.fillAndKill;
    order.fillOrKill = choices.fillOrKill;
    return order;
}

Json::Value OrderRequest(const QString& accountId, const FutureOrderFields& order) {
    Json::Value request(Json::objectValue);
    request["EAccountID"] = Text(accountId);
    request[Field::kExchangeCode] = Text(order.exchangeCode);
    request[Field::kContractCode] = Text(order.contractCode);
    request[Field::kOffsetFlag] = Text(order.offset);
    request[Field::kDirection] = Text(order.direction);
    request[Field::kHedgeFlag] = Text(order.hedge);
    request[Field::kPriceType] = "2";
    request[Field::kOrderPrice] = Text(order.priceText);
    request[Field::kOrderVolume] = Text(order.volumeText);
    request[Field::kTimeCondition] = order.fillAndKill || order.fillOrKill ? "1" : "3";
    request[Field::kVolumeCondition] = order.fillOrKill ? "3" : "1";
    return request;
}
