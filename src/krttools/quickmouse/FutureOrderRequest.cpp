#include "quickmouse/FutureOrderRequest.h"

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
    order.exchangeCode = JsonWText(contract, "54");
    order.contractCode = JsonWText(contract, "63");
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
    request["54"] = Text(order.exchangeCode);
    request["63"] = Text(order.contractCode);
    request["117"] = Text(order.offset);
    request["112"] = Text(order.direction);
    request["119"] = Text(order.hedge);
    request["40"] = "2";
    request["129"] = Text(order.priceText);
    request["130"] = Text(order.volumeText);
    request["41"] = order.fillAndKill || order.fillOrKill ? "1" : "3";
    request["42"] = order.fillOrKill ? "3" : "1";
    return request;
}
