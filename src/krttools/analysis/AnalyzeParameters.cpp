#include "analysis/AnalyzeParameters.h"

#include <cmath>
#include <limits>

#include "kora/utility/JsonAccess.h"
#include "platform/DlgItemText.h"

namespace {

double Read(const Json::Value& record, const char* key, const char* fallback) {
    return Win::TextToDouble(Kora::Utility::JsonWText(record, key, QString::fromLatin1(fallback)));
}

}  // namespace

AnalyzeParameters AnalyzeParameters::FromJson(const Json::Value& record) {
    AnalyzeParameters p;
    p.Bdjg = static_cast<float>(Read(record, "Bdjg", "0.0"));
    p.Lsbdl = static_cast<float>(Read(record, "Lsbdl", "0.0"));
    p.lv = static_cast<float>(Read(record, "lv", "0.0"));
    p.Days = Read(record, "Days", "0");
    p.Persent = static_cast<float>(Read(record, "Persent", "0.5"));
    return p;
}

Json::Value AnalyzeParameters::ToJson() const {
    Json::Value record(Json::objectValue);
    record["Bdjg"] = FormatFigure(Bdjg).toStdString();
    record["Lsbdl"] = FormatFigure(Lsbdl).toStdString();
    record["lv"] = FormatFigure(lv).toStdString();
    record["Days"] = std::to_string(WholeDays());
    record["Persent"] = FormatFigure(Persent).toStdString();
    return record;
}

int AnalyzeParameters::WholeDays() const {
    // An offset beyond the integers (a typing slip) counts as the largest one, never as garbage.
    if (!std::isfinite(Days)) {
        return 0;
    }
    const double whole = std::trunc(Days);
    if (whole >= std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (whole <= std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(whole);
}

QString AnalyzeParameters::FormatFigure(double value) {
    // The shortest text that reads back as the same single-precision figure: 0.2 stays "0.2".
    const float figure = static_cast<float>(value);
    QString text;
    for (int digits = 6; digits <= 9; ++digits) {
        text = QString::asprintf("%.*g", digits, static_cast<double>(figure));
        if (static_cast<float>(text.toDouble()) == figure) {
            break;
        }
    }
    return text;
}
