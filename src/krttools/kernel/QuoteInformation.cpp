#include "kernel/QuoteInformation.h"

namespace Kora::Kernel {

Json::Value BuildQuoteInformation(const Interface::QuotePushRecord& record) {
    Json::Value info(Json::objectValue);
    if (record.flashFlag != 0) {
        info["FlashFlag"] = record.flashFlag;
        return info;
    }
    info["IsNewStatic"] = record.isNewStatic;
    info["IsNewTick"] = record.isNewTick;
    info["IsNewQuote"] = record.isNewQuote;
    if (record.hasExtData) {
        Json::Value& ext = info["ExtData"];
        ext["Volume"] = record.ext.volume;
        ext["Now"] = Json::Int64(record.ext.now);
        ext["BuyPrice"] = Json::Int64(record.ext.buyPrice);
        ext["SellPrice"] = Json::Int64(record.ext.sellPrice);
        ext["BuyVolume"] = record.ext.buyVolume;
        ext["SellVolume"] = record.ext.sellVolume;
    }
    return info;
}

}  // namespace Kora::Kernel
