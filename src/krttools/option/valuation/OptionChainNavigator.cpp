#include "option/valuation/OptionChainNavigator.h"

#include <algorithm>

#include "kernel/HostAccess.h"
#include "kora/interface/OptionsDataSvcI.h"
#include "option/valuation/ListedOption.h"

using Kora::Kernel::GetService;
using Kora::Utility::Handle;
namespace I = Kora::Interface;

namespace {

// No strike of a chain is negative.
constexpr int64_t kNoStrike = -1;

const I::QuoteKey& KeyOf(const I::OptionChainRow& row, bool put) {
    return put ? row.put : row.call;
}

}  // namespace

std::optional<I::QuoteKey> OptionChainNavigator::Find(const I::QuoteKey& current, Step step, bool* isOption) {
    *isOption = false;
    Handle<I::OptionsDataSvcI> options = GetService<I::OptionsDataSvcI>();
    const std::optional<OptionValuation::ListedOption> listed =
        options && options->IsOption(current) ? OptionValuation::ListedOption::Read(current) : std::nullopt;
    if (!listed) {
        return std::nullopt;
    }
    *isOption = true;
    const I::OptionRecord& record = listed->Record();
    const I::QuoteKey& underlying = listed->UnderlyingKey();
    if (!underlying.IsValid()) {
        return std::nullopt;
    }
    const bool put = record.IsPut();
    std::vector<I::OptionChainRow> rows = options->GetChainRows(underlying, record.month);
    auto at = std::find_if(rows.begin(), rows.end(),
                           [&](const I::OptionChainRow& r) { return KeyOf(r, put) == current; });
    if (at == rows.end()) {
        return std::nullopt;
    }
    auto valid = [](const I::QuoteKey& key) -> std::optional<I::QuoteKey> {
        return key.IsValid() ? std::optional<I::QuoteKey>(key) : std::nullopt;
    };
    switch (step) {
        case kOtherKind:
            return valid(KeyOf(*at, !put));
        case kHigherStrike:
            return at + 1 == rows.end() ? std::nullopt : valid(KeyOf(*(at + 1), put));
        case kLowerStrike:
            return at == rows.begin() ? std::nullopt : valid(KeyOf(*(at - 1), put));
        case kAtTheMoney: {
            const std::optional<double> spot =
                listed->UnderlyingPrice(OptionValuation::PriceSource::kLastOrReference);
            const int64_t strike =
                spot
                    ? OptionValuation::AtTheMoneyStrike(rows, *spot, record.strikeDivisor).value_or(kNoStrike)
                    : kNoStrike;
            auto nearest = std::find_if(rows.begin(), rows.end(),
                                        [&](const I::OptionChainRow& r) { return r.strike == strike; });
            return nearest == rows.end() ? std::nullopt : valid(KeyOf(*nearest, put));
        }
        case kNextMonth: {
            // The months are walked nearest first and wrap around, so repeated presses visit
            // every expiry and come back.
            std::vector<QString> months = options->GetMonths(underlying);
            auto here = std::find(months.begin(), months.end(), record.month);
            if (months.size() < 2 || here == months.end()) {
                return std::nullopt;
            }
            for (size_t i = 1; i < months.size(); ++i) {
                const QString& month =
                    months[(static_cast<size_t>(here - months.begin()) + i) % months.size()];
                for (const I::OptionChainRow& row : options->GetChainRows(underlying, month)) {
                    if (row.strike == at->strike && KeyOf(row, put).IsValid()) {
                        return KeyOf(row, put);
                    }
                }
            }
            return std::nullopt;
        }
    }
    return std::nullopt;
}
