#include "option/OptionBoardRisk.h"

#include <map>

#include "kernel/HostAccess.h"
#include "kora/interface/BaseQuoteDataSvcI.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/OptionsDataSvcI.h"
#include "kora/utility/JsonAccess.h"
#include "option/pricing/OptionPricing.h"
#include "trading/TradingCodes.h"

namespace OptionBoard {

using Kora::Utility::JsonInt;
using Kora::Utility::JsonWText;
namespace I = Kora::Interface;

namespace {

void AddGreeks(RiskSums& sums, const I::OptionRecord& record, bool sell, double volume,
               const Market& market) {
    const OptionValuation::PricingArguments a = ArgumentsOf(record, market);
    const double vega = OptionPricing::OptionVega(a.optionType, a.S, a.K, a.sigma, a.r, a.T) * volume;
    const double delta =
        OptionPricing::OptionDelta(a.put, a.optionType, a.S, a.K, a.sigma, a.r, a.T) * volume;
    (sell ? sums.sellVega : sums.buyVega) += vega;
    (sell ? sums.sellDelta : sums.buyDelta) += delta;
}

}  // namespace

bool Leg::IsComplete() const {
    return option && option->contract.isObject() && quote.known;
}

RiskSums TrialSums(const std::vector<Leg>& legs, int quantity, const Market& market) {
    RiskSums sums;
    for (const Leg& leg : legs) {
        if (!leg.IsComplete()) {
            continue;
        }
        AddGreeks(sums, leg.option->record, leg.sell, quantity, market);
        const double last = OptionValuation::FromPriceUnits(leg.quote.last, leg.option->info.priceDivisor);
        sums.premium += leg.sell ? last : -last;
    }
    return sums;
}

OptionLookup OptionsOf(const Chain& chain) {
    std::map<QString, I::OptionRecord> onBoard;
    for (size_t row = 0; row < chain.rows.size(); ++row) {
        for (const bool put : {false, true}) {
            if (const Option* option = chain.OptionAt(row, put)) {
                onBoard[option->info.exchangeCode + u'|' + option->info.contractCode] = option->record;
            }
        }
    }
    return [onBoard = std::move(onBoard), board = chain.underlying](
               const QString& exchange, const QString& code) -> std::optional<I::OptionRecord> {
        if (auto found = onBoard.find(exchange + u'|' + code); found != onBoard.end()) {
            return found->second;
        }
        using Kora::Kernel::GetService;
        Kora::Utility::Handle<I::BaseQuoteDataSvcI> quotes = GetService<I::BaseQuoteDataSvcI>();
        Kora::Utility::Handle<I::OptionsDataSvcI> optionsData = GetService<I::OptionsDataSvcI>();
        I::OptionRecord record;
        I::QuoteKey underlying;
        const I::QuoteKey key = quotes ? quotes->FindKey(exchange, code) : I::QuoteKey();
        if (!optionsData || !key.IsValid() || !optionsData->GetOptionRecord(key, record) ||
            !optionsData->GetUnderlyingKey(key, underlying) || underlying.marketId != board.marketId ||
            underlying.code != board.code) {
            return std::nullopt;
        }
        return record;
    };
}

RiskSums WorkingOrderSums(const Json::Value& orders, const OptionLookup& lookup, const Market& market) {
    RiskSums sums;
    if (!orders.isArray() || !lookup) {
        return sums;
    }
    for (const Json::Value& order : orders) {
        if (!TradingCodes::IsWorkingStatus(TradingCodes::CodeOf(JsonWText(order, Field::kOrderStatus)))) {
            continue;
        }
        const int64_t remaining =
            JsonInt(order, Field::kOrderVolume, 0) - JsonInt(order, Field::kTradedVolume, 0);
        const QChar direction = TradingCodes::CodeOf(JsonWText(order, Field::kDirection));
        if (remaining <= 0 ||
            (direction != TradingCodes::Direction::kBuy && direction != TradingCodes::Direction::kSell)) {
            continue;
        }
        const std::optional<I::OptionRecord> record =
            lookup(JsonWText(order, Field::kExchangeCode), JsonWText(order, Field::kContractCode));
        if (record) {
            AddGreeks(sums, *record, direction == TradingCodes::Direction::kSell,
                      static_cast<double>(remaining), market);
        }
    }
    return sums;
}

}  // namespace OptionBoard
