#include "ladder/LadderTickGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kLimitsEqual = 1e-8;
constexpr double kSmallestTick = 1e-9;
constexpr int kMaxDecimals = 9;
constexpr int kFineDigits = 3;
// Scaled values stay well inside 64 bits so tick arithmetic can multiply them by 100.
constexpr double kScaledLimit = 9.0e16;
// How far from a whole number a tick × 10^d may be, in units of its last digit, and still
// count as printable with d decimals (floating-point input carries noise in the last bits).
constexpr double kPrintableSlack = 1e-6;

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

// The fewest decimals that print the tick exactly, -1 when more than kMaxDecimals would be needed.
int DecimalsOfTick(double tick) {
    for (int decimals = 0; decimals <= kMaxDecimals; ++decimals) {
        const double digits = tick * static_cast<double>(PowerOfTen(decimals));
        if (std::fabs(digits - std::round(digits)) <= kPrintableSlack) {
            return decimals;
        }
    }
    return -1;
}

// Floor division; the tick of a price above the top must come out negative, not zero.
__int128 FloorDivide(__int128 numerator, __int128 denominator) {
    __int128 quotient = numerator / denominator;
    if ((numerator % denominator != 0) && ((numerator < 0) != (denominator < 0))) {
        --quotient;
    }
    return quotient;
}

}  // namespace

bool LadderTickGrid::Build(int decimals, double lower, double reference, double tick, double upper) {
    *this = LadderTickGrid();
    m_referencePrice = reference;
    m_tick = tick;
    if (std::fabs(upper - lower) < kLimitsEqual) {
        m_topPrice = reference + 100 * tick;
        m_bottomPrice = reference - 100 * tick;
    } else {
        m_topPrice = std::max(upper, lower);
        m_bottomPrice = std::min(upper, lower);
    }
    const int tickDecimals = tick >= kSmallestTick ? DecimalsOfTick(tick) : -1;
    m_decimals = std::max({decimals, tickDecimals, 0});
    if (tickDecimals < 0 || m_decimals > kMaxDecimals) {
        return false;
    }
    m_scale = PowerOfTen(m_decimals + 1);
    int64_t bottom = 0;
    int64_t referenceScaled = 0;
    const double scale = static_cast<double>(m_scale);
    if (!ToScaled(m_topPrice, scale, m_top) || !ToScaled(m_bottomPrice, scale, bottom) ||
        !ToScaled(tick, scale, m_tickScaled) || !ToScaled(reference, scale, referenceScaled) ||
        m_tickScaled <= 0) {
        m_scale = 0;
        return false;
    }
    const int64_t ticks = (m_top - bottom) / m_tickScaled + 1;
    if (ticks > kMaxTicks) {
        m_scale = 0;
        return false;
    }
    m_ticks = ticks;
    const int64_t fromTop = m_top - referenceScaled;
    if (fromTop >= 0 && fromTop % m_tickScaled == 0 && fromTop / m_tickScaled < m_ticks) {
        m_referenceTick = fromTop / m_tickScaled;
    }
    const double largest = std::max(std::fabs(m_topPrice), std::fabs(m_bottomPrice)) * scale;
    m_fineFactor = PowerOfTen(kFineDigits);
    while (m_fineFactor > 1 && largest * static_cast<double>(m_fineFactor) > kScaledLimit) {
        m_fineFactor /= 10;
    }
    return true;
}

std::optional<int64_t> LadderTickGrid::TickOf(double price, Rounding rounding) const {
    int64_t fine = 0;
    if (Empty() || !ToScaled(price, static_cast<double>(m_scale * m_fineFactor), fine)) {
        return std::nullopt;
    }
    // tick = floor((top − price) / tick + lean), in integers: lean is 10 or 49 hundredths.
    const __int128 tickFine = static_cast<__int128>(m_tickScaled) * m_fineFactor;
    const __int128 distance = static_cast<__int128>(m_top) * m_fineFactor - fine;
    const int lean = rounding == Rounding::Tick ? 10 : 49;
    const __int128 tick = FloorDivide(distance * 100 + lean * tickFine, tickFine * 100);
    return static_cast<int64_t>(
        std::clamp<__int128>(tick, std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max()));
}

double LadderTickGrid::PriceOfTick(int64_t tick) const {
    return static_cast<double>(m_top - tick * m_tickScaled) / static_cast<double>(m_scale);
}

QString LadderTickGrid::TextOfTick(int64_t tick) const {
    // The scaled value carries one digit more than is printed; round it half away from zero.
    const int64_t scaled = m_top - tick * m_tickScaled;
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

QString LadderTickGrid::FormatPrice(double price) const {
    return QString::number(price, 'f', m_decimals);
}
