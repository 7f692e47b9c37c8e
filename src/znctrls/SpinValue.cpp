#include "SpinValue.h"

#include <QRegularExpression>
#include <cfloat>
#include <cmath>
#include <cstdint>

namespace SpinValue {

namespace {

constexpr double kGrid = 1e7;
constexpr double kGridLimit = 9.0e18;

}  // namespace

double Normalise(double value, double step, bool allowNegative) {
    if (!std::isfinite(value)) {
        return 0;
    }
    if (!allowNegative && value < 0) {
        value = 0;
    }
    if (step > DBL_EPSILON && std::fabs(value) * kGrid + 0.9 < kGridLimit &&
        step * kGrid + 0.9 < kGridLimit) {
        const auto scaledValue = static_cast<int64_t>(std::floor(std::fabs(value) * kGrid + 0.9));
        const auto scaledStep = static_cast<int64_t>(std::floor(step * kGrid + 0.9));
        if (scaledStep > 0 && scaledValue % scaledStep != 0) {
            value = std::trunc(value / step) * step;
        }
    }
    return value;
}

bool IsWholeNumberFormat(const QString& format) {
    return format == QStringLiteral("%d");
}

QString Format(double value, const QString& format) {
    if (IsWholeNumberFormat(format)) {
        return QString::number(static_cast<long long>(std::trunc(value)));
    }
    static const QRegularExpression kFixed(QStringLiteral("^%(?:\\.([0-9]))?f$"));
    const QRegularExpressionMatch fixed = kFixed.match(format);
    if (fixed.hasMatch()) {
        const int decimals = fixed.captured(1).isEmpty() ? 6 : fixed.captured(1).toInt();
        return QString::number(value, 'f', decimals);
    }
    return QString::number(value, 'g', 15);
}

}  // namespace SpinValue
