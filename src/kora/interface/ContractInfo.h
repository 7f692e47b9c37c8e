#pragma once

#include <QString>
#include <cstdint>

namespace Kora::Interface {

// Static information of a contract as the base quote data service gives it.
struct ContractInfo {
    QString name;
    QString exchangeCode;  // "DCE", "CFFEX", "SHSE-A", ...
    QString contractCode;
    int32_t priceDivisor = 0;  // integer price units per 1.0 of price
    int32_t decimals = 0;      // decimals shown for prices
    double tickSize = 0.0;
    int32_t multiplier = 1;
    bool isOption = false;
};

}  // namespace Kora::Interface
