#pragma once

#include <json/value.h>

#include <QString>

#include "kora/interface/QuoteKey.h"

// Position records and markets as the risk model's tests write them: text values throughout.
namespace RiskFixtures {

inline Kora::Interface::QuoteKey Underlying(int marketId = 1, const char* code = "510050") {
    Kora::Interface::QuoteKey key;
    key.marketId = marketId;
    key.code = QString::fromLatin1(code);
    return key;
}

// A checked European call (spot formulas) on the underlying, struck at 100, 30 days left.
inline Json::Value Call(const Kora::Interface::QuoteKey& underlying = Underlying()) {
    Json::Value record(Json::objectValue);
    record["Check"] = "1";
    record["63"] = "10000001";
    record["112"] = "0";
    record["135"] = "1";
    record["Subject"] = underlying.ToJson();
    record["OptionType"] = "0";
    record["PutCall"] = "0";
    record["ExercisePrice"] = "100";
    record["MaturityDays"] = "30";
    return record;
}

inline Json::Value Market(const char* price = "100", const char* volatility = "0.25",
                          const char* rate = "0.03", const char* days = "0", const char* halfWidth = "0.5") {
    Json::Value p(Json::objectValue);
    p["Bdjg"] = price;
    p["Lsbdl"] = volatility;
    p["lv"] = rate;
    p["Days"] = days;
    p["Persent"] = halfWidth;
    return p;
}

inline Json::Value Array(std::initializer_list<Json::Value> records) {
    Json::Value array(Json::arrayValue);
    for (const Json::Value& record : records) {
        array.append(record);
    }
    return array;
}

}  // namespace RiskFixtures
