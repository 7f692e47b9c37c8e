#pragma once

#include <json/value.h>

#include <QString>
#include <optional>
#include <vector>

#include "kora/interface/ContractInfo.h"
#include "kora/interface/OptionRecord.h"
#include "kora/interface/QuoteKey.h"

// What the batch trading board shows: the options of one underlying and one expiry month,
// arranged as rows of a call and a put at one strike, read from the host once when the month
// is loaded.
namespace OptionBoard {

// One listed option as the board knows it.
struct Option {
    Kora::Interface::QuoteKey key;
    Kora::Interface::OptionRecord record;
    Kora::Interface::ContractInfo info;  // price divisor, decimals, name
    // The contract service's record ("54" exchange, "63" code), which an order names; null
    // when the contract service does not know the option.
    Json::Value contract;
};

struct Row {
    int64_t strike = 0;  // in the options' strike units
    int32_t strikeDivisor = 1;
    std::optional<Option> call;
    std::optional<Option> put;
};

// Rows in ascending strike, compared as numbers: never in the order of the strikes' texts,
// which puts "10000" before "9500". One row per strike; of two options of the same kind at one
// strike the first is kept.
std::vector<Row> ArrangeRows(std::vector<Option> options);

struct Chain {
    Kora::Interface::QuoteKey underlying;
    Kora::Interface::ContractInfo underlyingInfo;
    QString underlyingName;
    QStringList months;  // nearest first
    QString month;       // the month shown; empty when the underlying lists none
    std::vector<Row> rows;
    // The class letter of the month's options ('o', 'n' ...); 0 without options.
    char classLetter = 0;

    // The option a row shows on one side; null when the row has none there.
    const Option* OptionAt(size_t row, bool put) const;
};

// The chain of an underlying's month (the nearest when `month` is empty or not listed), read
// through the options data, base quote data and contract services. Without the options data
// service, or for an underlying it does not know, the chain has no rows.
Chain LoadChain(const Kora::Interface::QuoteKey& underlying, const QString& month);

// The underlyings the options data service lists, in its order.
std::vector<Kora::Interface::QuoteKey> Underlyings();

// The class letter of an underlying's options (of its nearest month); 0 when it lists none.
char ClassLetterOf(const Kora::Interface::QuoteKey& underlying);

// The underlying of a linked contract: the contract itself when it is an underlying, the
// option's underlying when it is an option; invalid otherwise.
Kora::Interface::QuoteKey UnderlyingOf(const Kora::Interface::QuoteKey& contract);

}  // namespace OptionBoard
