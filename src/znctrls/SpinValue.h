#pragma once

#include <QString>

// The value rules of the price and volume spin edit.
namespace SpinValue {

// Negative values become 0 unless allowed; with a step above the double epsilon, a value that
// is not a whole number of steps is cut toward zero to one (compared on a 1e-7 grid, so
// 0.3 with step 0.1 counts as whole). Values too large for that grid are left as they are.
double Normalise(double value, double step, bool allowNegative);

// The value printed with the edit's format: "%d" cuts to an integer, "%.Nf" prints N decimals
// (N up to 9), "%f" six. Any other format prints the shortest exact form, so a format from
// outside is never handed to printf.
QString Format(double value, const QString& format);

// Whether a format is "%d": the value is then cut to an integer before it is kept.
bool IsWholeNumberFormat(const QString& format);

}  // namespace SpinValue
