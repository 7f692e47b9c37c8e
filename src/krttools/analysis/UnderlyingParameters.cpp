#include "analysis/UnderlyingParameters.h"

#include <atomic>

#include "kernel/HostAccess.h"
#include "kora/interface/BaseQuoteDataSvcI.h"
#include "kora/interface/OptionsDataSvcI.h"
#include "option/valuation/HisVolatility.h"
#include "option/valuation/ListedOption.h"

namespace I = Kora::Interface;
using Kora::Kernel::GetService;

namespace {
std::atomic<UnderlyingParameters*> g_installed{nullptr};
}

UnderlyingParameters::UnderlyingParameters(Creator creator) : m_creator(std::move(creator)) {}

UnderlyingParameters::Identity UnderlyingParameters::IdentityOf(const I::QuoteKey& underlying) {
    return {underlying.marketId, underlying.code.toUpper()};
}

std::optional<AnalyzeParameters> UnderlyingParameters::Find(const I::QuoteKey& underlying) const {
    std::lock_guard guard(m_lock);
    const auto found = m_sets.find(IdentityOf(underlying));
    if (found == m_sets.end()) {
        return std::nullopt;
    }
    return found->second;
}

AnalyzeParameters UnderlyingParameters::GetOrCreate(const I::QuoteKey& underlying) {
    if (std::optional<AnalyzeParameters> existing = Find(underlying)) {
        return *existing;
    }
    if (!m_creator) {
        return {};
    }
    // Made outside the lock: the creator asks the host, which may take a while.
    const AnalyzeParameters made = m_creator(underlying);
    std::lock_guard guard(m_lock);
    return m_sets.try_emplace(IdentityOf(underlying), made).first->second;
}

void UnderlyingParameters::Set(const I::QuoteKey& underlying, const AnalyzeParameters& parameters) {
    std::lock_guard guard(m_lock);
    m_sets[IdentityOf(underlying)] = parameters;
}

void UnderlyingParameters::Erase(const I::QuoteKey& underlying) {
    std::lock_guard guard(m_lock);
    m_sets.erase(IdentityOf(underlying));
}

UnderlyingParameters* UnderlyingParameters::Installed() {
    return g_installed.load();
}

void UnderlyingParameters::Install(UnderlyingParameters* store) {
    g_installed.store(store);
}

AnalyzeParameters DefaultAnalyzeParameters(const I::QuoteKey& underlying) {
    AnalyzeParameters p;
    I::ContractInfo info;
    Kora::Utility::Handle<I::BaseQuoteDataSvcI> quotes = GetService<I::BaseQuoteDataSvcI>();
    if (quotes && quotes->GetContractInfo(underlying, info)) {
        p.Bdjg = static_cast<float>(
            OptionValuation::CurrentPrice(underlying, info, OptionValuation::PriceSource::kLastOrReference)
                .value_or(0.0));
    }
    p.Lsbdl = static_cast<float>(OptionPricing::CalcHisVolatility(underlying, 0.0));
    if (Kora::Utility::Handle<I::OptionsDataSvcI> options = GetService<I::OptionsDataSvcI>()) {
        p.lv = static_cast<float>(options->GetRiskFreeRate() / 100);
    }
    return p;
}
