#pragma once

#include <QColor>
#include <QString>
#include <cstdint>

#include "market/Instrument.h"

// How the terminal's quote lists write and colour figures.
namespace Terminal::Ui::QuoteTexts {

// A volume or an amount: whole below a million, then in 万 and 亿.
QString Amount(double value);
// A price in the contract's decimals, "--" for none (0 or less).
QString Price(const Market::Instrument& instrument, int64_t units);
// The change of a price against the reference, signed ("+0.012"), "--" without either.
QString Change(const Market::Instrument& instrument, int64_t units, int64_t reference);
// Red above the reference, green below, plain at it or without a price.
QColor AgainstReference(int64_t units, int64_t reference);

}  // namespace Terminal::Ui::QuoteTexts
