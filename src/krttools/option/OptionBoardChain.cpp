#include "option/OptionBoardChain.h"

#include <algorithm>
#include <map>

#include "kernel/HostAccess.h"
#include "kora/interface/BaseQuoteDataSvcI.h"
#include "kora/interface/KRTContractI.h"
#include "kora/interface/OptionsDataSvcI.h"
#include "trading/ContractRecords.h"

using Kora::Kernel::GetService;
using Kora::Utility::Handle;
namespace I = Kora::Interface;

namespace OptionBoard {

std::vector<Row> ArrangeRows(std::vector<Option> options) {
    std::map<int64_t, Row> byStrike;
    for (Option& option : options) {
        Row& row = byStrike[option.record.strike];
        row.strike = option.record.strike;
        row.strikeDivisor = option.record.strikeDivisor;
        std::optional<Option>& side = option.record.IsPut() ? row.put : row.call;
        if (!side) {
            side = std::move(option);
        }
    }
    std::vector<Row> rows;
    rows.reserve(byStrike.size());
    for (auto& [strike, row] : byStrike) {
        rows.push_back(std::move(row));
    }
    return rows;
}

const Option* Chain::OptionAt(size_t row, bool put) const {
    if (row >= rows.size()) {
        return nullptr;
    }
    const std::optional<Option>& side = put ? rows[row].put : rows[row].call;
    return side ? &*side : nullptr;
}

Chain LoadChain(const I::QuoteKey& underlying, const QString& month) {
    Chain chain;
    chain.underlying = underlying;
    Handle<I::OptionsDataSvcI> optionsData = GetService<I::OptionsDataSvcI>();
    if (!optionsData || !underlying.IsValid()) {
        return chain;
    }
    Handle<I::BaseQuoteDataSvcI> quotes = GetService<I::BaseQuoteDataSvcI>();
    Handle<I::KRTContractI> contracts = GetService<I::KRTContractI>();
    if (quotes) {
        quotes->GetContractInfo(underlying, chain.underlyingInfo);
    }
    chain.underlyingName = optionsData->GetUnderlyingName(underlying);
    if (chain.underlyingName.isEmpty()) {
        chain.underlyingName = chain.underlyingInfo.name;
    }
    for (const QString& listed : optionsData->GetMonths(underlying)) {
        chain.months.append(listed);
    }
    if (chain.months.isEmpty()) {
        return chain;
    }
    chain.month = chain.months.contains(month) ? month : chain.months.front();

    std::vector<Option> options;
    for (const I::QuoteKey& key : optionsData->GetOptions(underlying, chain.month)) {
        Option option;
        option.key = key;
        if (!optionsData->GetOptionRecord(key, option.record)) {
            continue;
        }
        if (quotes) {
            quotes->GetContractInfo(key, option.info);
        }
        if (contracts && !option.info.contractCode.isEmpty()) {
            option.contract = contracts->GetContract(
                ContractRecords::Query(option.info.exchangeCode, option.info.contractCode));
        }
        if (chain.classLetter == 0) {
            chain.classLetter = option.record.classLetter;
        }
        options.push_back(std::move(option));
    }
    chain.rows = ArrangeRows(std::move(options));
    return chain;
}

std::vector<I::QuoteKey> Underlyings() {
    Handle<I::OptionsDataSvcI> optionsData = GetService<I::OptionsDataSvcI>();
    return optionsData ? optionsData->GetUnderlyings() : std::vector<I::QuoteKey>();
}

char ClassLetterOf(const I::QuoteKey& underlying) {
    Handle<I::OptionsDataSvcI> optionsData = GetService<I::OptionsDataSvcI>();
    if (!optionsData || !underlying.IsValid()) {
        return 0;
    }
    const std::vector<QString> months = optionsData->GetMonths(underlying);
    const std::vector<I::QuoteKey> options =
        months.empty() ? std::vector<I::QuoteKey>() : optionsData->GetOptions(underlying, months.front());
    I::OptionRecord record;
    return !options.empty() && optionsData->GetOptionRecord(options.front(), record) ? record.classLetter : 0;
}

I::QuoteKey UnderlyingOf(const I::QuoteKey& contract) {
    Handle<I::OptionsDataSvcI> optionsData = GetService<I::OptionsDataSvcI>();
    if (!optionsData || !contract.IsValid()) {
        return {};
    }
    I::QuoteKey underlying;
    if (optionsData->IsOption(contract)) {
        return optionsData->GetUnderlyingKey(contract, underlying) ? underlying : I::QuoteKey();
    }
    for (const I::QuoteKey& listed : optionsData->GetUnderlyings()) {
        if (listed.marketId == contract.marketId && listed.code == contract.code) {
            return listed;
        }
    }
    return {};
}

}  // namespace OptionBoard
