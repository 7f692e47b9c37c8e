#pragma once

#include <json/value.h>

#include <QString>
#include <cstdint>
#include <tuple>

#include "kora/utility/Export.h"

namespace Kora::Interface {

// A contract as the quote layer knows it: the unit of subscription.
struct KORA_API QuoteKey {
    int32_t marketId = -1;
    QString code;
    int32_t market = -1;
    int32_t serial = -1;

    bool IsValid() const { return marketId >= 0 && !code.isEmpty(); }

    auto Tie() const { return std::tie(marketId, code, market, serial); }
    bool operator<(const QuoteKey& other) const { return Tie() < other.Tie(); }
    bool operator==(const QuoteKey& other) const { return Tie() == other.Tie(); }

    // {"MarketID", "KRCode", "Market", "Serial"}; a missing or unreadable integer reads as -1.
    static QuoteKey FromJson(const Json::Value& value);
    Json::Value ToJson() const;

    // Text form "(marketId,code)", as linkage messages carry a contract. The market identifier
    // stays -1 when the first field is not a number.
    static QuoteKey FromText(const QString& text);
    QString ToText() const;
};

}  // namespace Kora::Interface
