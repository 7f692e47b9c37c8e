#include "ui/QuoteTexts.h"

#include "host/Records.h"
#include "ui/TerminalTheme.h"

namespace Terminal::Ui::QuoteTexts {

QString Amount(double value) {
    if (value >= 1e8) {
        return QString::number(value / 1e8, 'f', 2) + QStringLiteral("亿");
    }
    if (value >= 1e6) {
        return QString::number(value / 1e4, 'f', 1) + QStringLiteral("万");
    }
    return QString::number(int64_t(value));
}

QString Price(const Market::Instrument& instrument, int64_t units) {
    return units > 0 ? QString::fromStdString(Records::PriceText(instrument, units)) : QStringLiteral("--");
}

QString Change(const Market::Instrument& instrument, int64_t units, int64_t reference) {
    if (units <= 0 || reference <= 0) {
        return QStringLiteral("--");
    }
    return QString::fromStdString((units > reference ? "+" : "") +
                                  Records::PriceText(instrument, units - reference));
}

QColor AgainstReference(int64_t units, int64_t reference) {
    if (units <= 0 || reference <= 0 || units == reference) {
        return Theme::kFlat;
    }
    return units > reference ? Theme::kRise : Theme::kFall;
}

}  // namespace Terminal::Ui::QuoteTexts
