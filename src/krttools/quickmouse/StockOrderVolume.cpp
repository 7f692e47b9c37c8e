#include "quickmouse/StockOrderVolume.h"

#include <algorithm>

#include "kora/interface/FieldIds.h"
#include "kora/utility/JsonAccess.h"

namespace StockOrderVolume {

namespace {
constexpr int64_t kDefaultLot = 100;
}

int64_t LotOf(const Json::Value& contract) {
    const int64_t lot = Kora::Utility::JsonInt(contract, Field::kMinTradeUnit, kDefaultLot);
    return lot >= 1 ? lot : kDefaultLot;
}

int64_t BuyShare(int64_t available, int percent, int64_t lot) {
    if (available <= 0 || lot < 1) {
        return 0;
    }
    const int64_t share = available * std::clamp(percent, 0, 100) / 100;
    return share / lot * lot;
}

int64_t SellShare(int64_t available, int percent, int64_t lot) {
    return percent >= 100 ? std::max<int64_t>(available, 0) : BuyShare(available, percent, lot);
}

}  // namespace StockOrderVolume
