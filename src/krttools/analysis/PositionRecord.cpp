#include "analysis/PositionRecord.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

#include "kora/utility/JsonAccess.h"
#include "option/pricing/OptionGreeks.h"
#include "platform/DlgItemText.h"

using Kora::Utility::JsonWText;

namespace PositionRecord {

const char* GreekKey(Greek greek) {
    static constexpr std::array<const char*, kGreekCount> kKeys{"Delta", "Gamma", "Theta",
                                                                "Vega",  "Rho",   "TimeValue"};
    return kKeys[static_cast<size_t>(greek)];
}

double Number(const Json::Value& record, const char* key, double fallback) {
    const Json::Value& member = Kora::Utility::Member(record, key);
    if (member.isNull()) {
        return fallback;
    }
    // Every quote reads thousands of these: plain decimals go without the detour through QString,
    // anything else reads as the dialog fields read it.
    const char* begin = nullptr;
    const char* end = nullptr;
    if (member.isString() && member.getString(&begin, &end)) {
        while (begin != end && std::isspace(static_cast<unsigned char>(*begin))) {
            ++begin;
        }
        while (end != begin && std::isspace(static_cast<unsigned char>(end[-1]))) {
            --end;
        }
        double value = 0;
        const auto [stop, error] = std::from_chars(begin, end, value);
        if (begin != end && error == std::errc() && stop == end) {
            return value;
        }
    }
    return Win::TextToDouble(JsonWText(member));
}

bool IsChecked(const Json::Value& record) {
    return Win::TextToInt(JsonWText(record, kCheck, QStringLiteral("0"))) != 0;
}

int64_t Quantity(const Json::Value& record) {
    return Win::TextToInt(JsonWText(record, "135", QStringLiteral("1")));
}

int Sign(const Json::Value& record) {
    return JsonWText(record, "112").startsWith(QLatin1Char('1')) ? -1 : 1;
}

bool IsOn(const Json::Value& record, const Kora::Interface::QuoteKey& underlying) {
    const Kora::Interface::QuoteKey subject =
        Kora::Interface::QuoteKey::FromJson(Kora::Utility::Member(record, kSubject));
    return subject.marketId == underlying.marketId && !subject.code.isEmpty() &&
           subject.code.compare(underlying.code, Qt::CaseInsensitive) == 0;
}

std::string Fixed4(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.04f", value);
    return text;
}

Terms Terms::Read(const Json::Value& record) {
    Terms t;
    t.put = Win::TextToInt(JsonWText(record, kPutCall, QStringLiteral("0")));
    t.optionType = Win::TextToInt(JsonWText(record, kOptionType, QStringLiteral("0")));
    t.strike = Number(record, kExercisePrice);
    t.scale = static_cast<double>(Quantity(record)) * Sign(record);
    t.knownMaturity = !Kora::Utility::Member(record, kMaturityDays).isNull();
    t.maturityDays = t.knownMaturity ? Win::TextToInt(JsonWText(record, kMaturityDays)) : kUnknownMaturity;
    t.latestPrice = Number(record, "138");
    return t;
}

int64_t DayCount(const Terms& terms, const AnalyzeParameters& parameters) {
    return terms.maturityDays + parameters.WholeDays() + 1;
}

Figures Greeks(const Terms& terms, double S, double sigma, double r, int64_t dayCount) {
    const OptionPricing::OptionGreeks g = OptionPricing::OptionPriceAndGreeks(
        terms.put, terms.optionType, S, terms.strike, sigma, r, static_cast<double>(dayCount) / 365);
    return {g.delta * terms.scale, g.gamma * terms.scale, g.theta * terms.scale,
            g.vega * terms.scale,  g.rho * terms.scale,   0.0};
}

double TimeValue(const Terms& terms, double S) {
    const double K = terms.strike;
    const double P = terms.latestPrice;
    if (K == 0 || P == 0 || S == 0) {
        return 0;
    }
    const double intrinsic = std::max(0.0, terms.put != 0 ? K - S : S - K);
    return std::max(0.0, P - intrinsic) * terms.scale;
}

Figures Value(const Terms& terms, const AnalyzeParameters& parameters) {
    Figures figures =
        Greeks(terms, parameters.Bdjg, parameters.Lsbdl, parameters.lv, DayCount(terms, parameters));
    figures[kTimeValue] = TimeValue(terms, parameters.Bdjg);
    return figures;
}

void Store(Json::Value& record, const Figures& figures, const char* suffix) {
    for (int greek = 0; greek < kGreekCount; ++greek) {
        record[std::string(GreekKey(static_cast<Greek>(greek))) + suffix] = Fixed4(figures[greek]);
    }
}

}  // namespace PositionRecord
