#include "ladder/LadderPriceScale.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kLimitsEqual = 1e-8;
constexpr double kSmallestTick = 1e-9;
constexpr int kMaxDecimals = 9;
constexpr int kFineDigits = 3;
// Scaled values stay well inside 64 bits so row arithmetic can multiply them by 100.
constexpr double kScaledLimit = 9.0e16;

int64_t PowerOfTen(int exponent) {
    int64_t value = 1;
    for (int i = 0; i < exponent; ++i) {
        value *= 10;
    }
    return value;
}

bool ToScaled(double value, double scale, int64_t& scaled) {
    const double product = value * scale;
    if (!std::isfinite(product) || std::fabs(product) > kScaledLimit) {
        return false;
    }
    scaled = std::llround(product);
    return true;
}

// Floor division; the row of a price above the top must come out negative, not zero.
__int128 FloorDivide(__int128 numerator, __int128 denominator) {
    __int128 quotient = numerator / denominator;
    if ((numerator % denominator != 0) && ((numerator < 0) != (denominator < 0))) {
        --quotient;
    }
    return quotient;
}

}  // namespace

void LadderPriceScale::Clear() {
    *this = LadderPriceScale();
}

int LadderPriceScale::Build(int decimals, double lower, double reference, double tick, double upper) {
    Clear();
    m_decimals = std::max(decimals, 0);
    m_referencePrice = reference;
    m_tick = tick;
    if (std::fabs(upper - lower) < kLimitsEqual) {
        m_topPrice = reference + 100 * tick;
        m_bottomPrice = reference - 100 * tick;
    } else {
        m_topPrice = std::max(upper, lower);
        m_bottomPrice = std::min(upper, lower);
    }
    if (!(tick >= kSmallestTick) || m_decimals > kMaxDecimals) {
        return -1;
    }
    m_scale = PowerOfTen(m_decimals + 1);
    int64_t bottom = 0;
    int64_t referenceScaled = 0;
    const double scale = static_cast<double>(m_scale);
    if (!ToScaled(m_topPrice, scale, m_top) || !ToScaled(m_bottomPrice, scale, bottom) ||
        !ToScaled(tick, scale, m_tickScaled) || !ToScaled(reference, scale, referenceScaled) ||
        m_tickScaled <= 0) {
        m_scale = 0;
        return -1;
    }
    const int64_t rows = (m_top - bottom) / m_tickScaled + 1;
    if (rows > kMaxRows) {
        m_scale = 0;
        return -1;
    }
    m_rows = static_cast<int>(rows);
    const int64_t fromTop = m_top - referenceScaled;
    if (fromTop >= 0 && fromTop % m_tickScaled == 0 && fromTop / m_tickScaled < m_rows) {
        m_referenceRow = static_cast<int>(fromTop / m_tickScaled);
    }
    const double largest = std::max(std::fabs(m_topPrice), std::fabs(m_bottomPrice)) * scale;
    m_fineFactor = PowerOfTen(kFineDigits);
    while (m_fineFactor > 1 && largest * static_cast<double>(m_fineFactor) > kScaledLimit) {
        m_fineFactor /= 10;
    }
    return m_rows;
}

int LadderPriceScale::RowOf(double price, Rounding rounding) const {
    if (m_rows <= 0) {
        return -1;
    }
    int64_t fine = 0;
    if (!ToScaled(price, static_cast<double>(m_scale * m_fineFactor), fine)) {
        return -1;
    }
    // row = floor((top − price) / tick + lean), in integers: lean is 10 or 49 hundredths.
    const __int128 tickFine = static_cast<__int128>(m_tickScaled) * m_fineFactor;
    const __int128 distance = static_cast<__int128>(m_top) * m_fineFactor - fine;
    const int lean = rounding == Rounding::Tick ? 10 : 49;
    const __int128 row = FloorDivide(distance * 100 + lean * tickFine, tickFine * 100);
    return row >= 0 && row < m_rows ? static_cast<int>(row) : -1;
}

double LadderPriceScale::PriceOf(int row) const {
    if (!IsRow(row)) {
        return 0;
    }
    return static_cast<double>(m_top - static_cast<int64_t>(row) * m_tickScaled) /
           static_cast<double>(m_scale);
}

QString LadderPriceScale::PriceText(int row) const {
    if (!IsRow(row)) {
        return {};
    }
    // The scaled value carries one digit more than is printed; round it half away from zero.
    const int64_t scaled = m_top - static_cast<int64_t>(row) * m_tickScaled;
    uint64_t rounded = (static_cast<uint64_t>(scaled < 0 ? -scaled : scaled) + 5) / 10;
    const bool negative = scaled < 0 && rounded != 0;
    char16_t buffer[32];
    int at = 32;
    for (int digit = 0; digit < m_decimals; ++digit) {
        buffer[--at] = static_cast<char16_t>(u'0' + rounded % 10);
        rounded /= 10;
    }
    if (m_decimals > 0) {
        buffer[--at] = u'.';
    }
    do {
        buffer[--at] = static_cast<char16_t>(u'0' + rounded % 10);
        rounded /= 10;
    } while (rounded > 0);
    if (negative) {
        buffer[--at] = u'-';
    }
    return QString(reinterpret_cast<const QChar*>(buffer + at), 32 - at);
}

QString LadderPriceScale::FormatPrice(double price) const {
    return QString::number(price, 'f', m_decimals);
}
