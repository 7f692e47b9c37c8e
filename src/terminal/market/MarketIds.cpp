#include "market/MarketIds.h"

#include <array>
#include <utility>

namespace Terminal::Market {

namespace {

constexpr std::array<std::pair<std::string_view, int32_t>, 9> kMarkets{{
    {"SHSE-A", kMarketSHSE},
    {"SZSE-A", kMarketSZSE},
    {"SHQQ-A", kMarketSHQQ},
    {"SZQQ-A", kMarketSZQQ},
    {"SHFE", kMarketSHFE},
    {"DCE", kMarketDCE},
    {"CZCE", kMarketCZCE},
    {"CFFEX", kMarketCFFEX},
    {"INE", kMarketINE},
}};

}  // namespace

int32_t MarketIdOfExchange(std::string_view exchange) {
    for (const auto& [code, id] : kMarkets) {
        if (code == exchange) {
            return id;
        }
    }
    return -1;
}

std::string_view ExchangeOfMarketId(int32_t marketId) {
    for (const auto& [code, id] : kMarkets) {
        if (id == marketId) {
            return code;
        }
    }
    return {};
}

}  // namespace Terminal::Market
