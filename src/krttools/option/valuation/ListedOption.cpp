#include "option/valuation/ListedOption.h"

#include "kernel/HostAccess.h"
#include "kora/interface/BaseQuoteDataSvcI.h"
#include "kora/interface/OptionsDataSvcI.h"
#include "kora/interface/TimeServiceI.h"

namespace OptionValuation {

using Kora::Kernel::GetService;
using Kora::Utility::Handle;
namespace I = Kora::Interface;

std::optional<ListedOption> ListedOption::Read(const I::QuoteKey& option) {
    Handle<I::OptionsDataSvcI> options = GetService<I::OptionsDataSvcI>();
    ListedOption listed;
    if (!options || !options->GetOptionRecord(option, listed.m_record)) {
        return std::nullopt;
    }
    listed.m_key = option;
    if (!options->GetUnderlyingKey(option, listed.m_underlying)) {
        listed.m_underlying = I::QuoteKey();
    }
    if (Handle<I::BaseQuoteDataSvcI> quotes = GetService<I::BaseQuoteDataSvcI>()) {
        if (!quotes->GetContractInfo(option, listed.m_info)) {
            listed.m_info = I::ContractInfo();
        }
        if (!listed.m_underlying.IsValid() ||
            !quotes->GetContractInfo(listed.m_underlying, listed.m_underlyingInfo)) {
            listed.m_underlyingInfo = I::ContractInfo();
        }
    }
    return listed;
}

std::optional<double> ListedOption::UnderlyingPrice(PriceSource source) const {
    return CurrentPrice(m_underlying, m_underlyingInfo, source);
}

std::optional<double> ListedOption::OptionPrice(PriceSource source) const {
    return CurrentPrice(m_key, m_info, source);
}

int32_t ListedOption::WholeDaysToExpiry() const {
    Handle<I::OptionsDataSvcI> options = GetService<I::OptionsDataSvcI>();
    return options ? options->WholeDaysBetween(Now().toUTC(), m_record.expiry) : 0;
}

int32_t ListedOption::CalendarDaysToExpiry() const {
    return OptionValuation::CalendarDaysToExpiry(Now(), m_record.expiry);
}

PricingArguments ListedOption::Arguments(UnknownClass unknown, double S, double sigma, double r,
                                         double T) const {
    return {PutFlag(), FormulaSelector(unknown), S, Strike(), sigma, r, T};
}

std::optional<double> CurrentPrice(const I::QuoteKey& key, const I::ContractInfo& info, PriceSource source) {
    Handle<I::BaseQuoteDataSvcI> quotes = GetService<I::BaseQuoteDataSvcI>();
    I::QuoteSnapshot snapshot{};
    if (!quotes || info.priceDivisor <= 0 || !key.IsValid() || !quotes->GetSnapshot(key, snapshot)) {
        return std::nullopt;
    }
    int32_t units = snapshot.last;
    if (units <= 0 && source == PriceSource::kLastOrReference) {
        units = snapshot.referencePrice;
    }
    if (units <= 0) {
        return std::nullopt;
    }
    return FromPriceUnits(units, info.priceDivisor);
}

QDateTime Now() {
    if (Handle<I::TimeServiceI> time = GetService<I::TimeServiceI>()) {
        return time->GetCurrentTime();
    }
    return QDateTime::currentDateTime();
}

}  // namespace OptionValuation
