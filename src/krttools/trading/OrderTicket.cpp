#include "trading/OrderTicket.h"

#include "kora/interface/FieldIds.h"

using TradingCodes::CodeText;
namespace Codes = TradingCodes;

Json::Value OrderTicket::Request() const {
    Json::Value request(Json::objectValue);
    request["EAccountID"] = accountId.toStdString();
    request[Field::kExchangeCode] = exchangeCode.toStdString();
    request[Field::kContractCode] = contractCode.toStdString();
    request[Field::kOffsetFlag] = CodeText(offset);
    request[Field::kDirection] = CodeText(direction);
    if (!hedge.isNull()) {
        request[Field::kHedgeFlag] = CodeText(hedge);
    }
    if (!covered.isNull()) {
        request[Field::kCoveredFlag] = CodeText(covered);
    }
    switch (pricing) {
        case Pricing::kLimit:
            request[Field::kPriceType] = CodeText(Codes::PriceType::kLimit);
            request[Field::kOrderPrice] = priceText.toStdString();
            request[Field::kTimeCondition] =
                CodeText(duration == Duration::kDay ? Codes::TimeCondition::kGoodForDay
                                                    : Codes::TimeCondition::kImmediate);
            request[Field::kVolumeCondition] =
                CodeText(duration == Duration::kFillOrKill ? Codes::VolumeCondition::kAllOrNothing
                                                           : Codes::VolumeCondition::kAnyVolume);
            break;
        case Pricing::kMarket:
            request[Field::kPriceType] = Codes::MarketPriceType(exchangeCode).toStdString();
            request[Field::kTimeCondition] = CodeText(Codes::TimeCondition::kImmediate);
            request[Field::kVolumeCondition] = CodeText(Codes::VolumeCondition::kAnyVolume);
            break;
        case Pricing::kEngineRule:
            break;
    }
    request[Field::kOrderVolume] = std::to_string(volume);
    if (fields.isObject()) {
        for (const std::string& name : fields.getMemberNames()) {
            request[name] = fields[name];
        }
    }
    return request;
}
