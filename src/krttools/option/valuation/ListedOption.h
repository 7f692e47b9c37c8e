#pragma once

#include <QDateTime>
#include <optional>

#include "kora/interface/ContractInfo.h"
#include "kora/interface/OptionRecord.h"
#include "kora/interface/QuoteKey.h"
#include "option/valuation/ValuationInputs.h"

namespace OptionValuation {

// The arguments of the pricing routines (option/pricing), in their order.
struct PricingArguments {
    int32_t put = 0;
    int32_t optionType = 0;
    double S = 0;
    double K = 0;
    double sigma = 0;
    double r = 0;
    double T = 0;
};

// Which price stands for a contract's price now.
enum class PriceSource {
    kLast,             // the last price only
    kLastOrReference,  // the last price, or the reference price (previous close or settlement)
                       // while there is no positive last price
};

// One listed option as the host describes it: the options data service's record and the base
// quote data service's contract information of the option and of its underlying, read once by
// Read(). Prices come from the quote snapshots and the days left from the clock each time they
// are asked for, so a tool that keeps a ListedOption follows the market. Every tool that values
// a listed option starts here and applies its own rules from ValuationInputs.h:
//
//   auto option = OptionValuation::ListedOption::Read(key);
//   if (!option) return;  // not an option the host knows
//   const double S = option->UnderlyingPrice(PriceSource::kLast).value_or(0);
//   const int32_t days = option->WholeDaysToExpiry();
//   PricingArguments a = option->Arguments(UnknownClass::kLetterCode, S, sigma, r, YearsToExpiry(days, 1));
//   double price = OptionPricing::OptionPrice(a.put, a.optionType, a.S, a.K, a.sigma, a.r, a.T);
//
// Reads the host through the component's service accessors: call on the user-interface thread.
class ListedOption {
public:
    // Nothing without the options data service or when it does not know the key as an option.
    // Contract information the host lacks reads as empty, with divisor 0: prices unknown.
    static std::optional<ListedOption> Read(const Kora::Interface::QuoteKey& option);

    const Kora::Interface::QuoteKey& Key() const { return m_key; }
    // Invalid when the service names no underlying.
    const Kora::Interface::QuoteKey& UnderlyingKey() const { return m_underlying; }
    const Kora::Interface::OptionRecord& Record() const { return m_record; }
    const Kora::Interface::ContractInfo& Info() const { return m_info; }
    const Kora::Interface::ContractInfo& UnderlyingInfo() const { return m_underlyingInfo; }

    int32_t PutFlag() const { return OptionValuation::PutFlag(m_record); }
    int32_t FormulaSelector(UnknownClass unknown) const {
        return OptionValuation::FormulaSelector(m_record.classLetter, unknown);
    }
    double Strike() const { return StrikePrice(m_record); }

    // The underlying's and the option's price now, over the contract's divisor; nothing when
    // the host has no snapshot or divisor, or no positive price of the source.
    std::optional<double> UnderlyingPrice(PriceSource source) const;
    std::optional<double> OptionPrice(PriceSource source) const;

    // The options data service's whole days from now (UTC) to the expiry.
    int32_t WholeDaysToExpiry() const;
    // CalendarDaysToExpiry from now (local time): the option board's count.
    int32_t CalendarDaysToExpiry() const;

    // The routines' arguments for this option: its put flag, its formula selector by the tool's
    // rule, its strike, and the tool's S, sigma, r and T.
    PricingArguments Arguments(UnknownClass unknown, double S, double sigma, double r, double T) const;

private:
    Kora::Interface::QuoteKey m_key;
    Kora::Interface::QuoteKey m_underlying;
    Kora::Interface::OptionRecord m_record;
    Kora::Interface::ContractInfo m_info;
    Kora::Interface::ContractInfo m_underlyingInfo;
};

// A contract's price now from its quote snapshot, over the contract's divisor (see PriceSource).
std::optional<double> CurrentPrice(const Kora::Interface::QuoteKey& key,
                                   const Kora::Interface::ContractInfo& info, PriceSource source);

// The time service's clock; the process's own without the service.
QDateTime Now();

}  // namespace OptionValuation
