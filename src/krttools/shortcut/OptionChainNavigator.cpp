#include "shortcut/OptionChainNavigator.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "kernel/HostAccess.h"
#include "kora/interface/BaseQuoteDataSvcI.h"
#include "kora/interface/OptionsDataSvcI.h"

using Kora::Kernel::GetService;
using Kora::Utility::Handle;
namespace I = Kora::Interface;

namespace {

const I::QuoteKey& KeyOf(const I::OptionChainRow& row, bool put) {
    return put ? row.put : row.call;
}

// The last price of the underlying in the strikes' integer units, or -1 when unknown.
double UnderlyingInStrikeUnits(const I::QuoteKey& underlying, int32_t strikeDivisor) {
    Handle<I::BaseQuoteDataSvcI> quotes = GetService<I::BaseQuoteDataSvcI>();
    I::QuoteSnapshot snapshot{};
    I::ContractInfo info;
    if (!quotes || !quotes->GetSnapshot(underlying, snapshot) || !quotes->GetContractInfo(underlying, info) ||
        info.priceDivisor <= 0) {
        return -1;
    }
    int32_t raw = snapshot.last > 0 ? snapshot.last : snapshot.referencePrice;
    return static_cast<double>(raw) / info.priceDivisor * strikeDivisor;
}

}  // namespace

std::optional<I::QuoteKey> OptionChainNavigator::Find(const I::QuoteKey& current, Step step, bool* isOption) {
    *isOption = false;
    Handle<I::OptionsDataSvcI> options = GetService<I::OptionsDataSvcI>();
    I::OptionRecord record;
    if (!options || !options->IsOption(current) || !options->GetOptionRecord(current, record)) {
        return std::nullopt;
    }
    *isOption = true;
    I::QuoteKey underlying;
    if (!options->GetUnderlyingKey(current, underlying)) {
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
            double spot = UnderlyingInStrikeUnits(underlying, record.strikeDivisor);
            if (spot < 0) {
                return std::nullopt;
            }
            auto nearest = std::min_element(rows.begin(), rows.end(), [&](const auto& a, const auto& b) {
                return std::fabs(a.strike - spot) < std::fabs(b.strike - spot);
            });
            return valid(KeyOf(*nearest, put));
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
