#pragma once

#include <json/value.h>

#include <QString>

// The market a position is valued in, one set per underlying (the "风险试算" panel): underlying
// price "Bdjg", volatility "Lsbdl" and risk-free rate "lv" as fractions, "Days" added to every
// position's days to expiry, and "Persent", the half-width of a sweep as a fraction of the swept
// value. Stored in records as text; the three market figures and the half-width are held in
// single precision once read, the day offset as a double that counts in whole days.
struct AnalyzeParameters {
    float Bdjg = 0.0f;
    float Lsbdl = 0.0f;
    float lv = 0.0f;
    double Days = 0.0;
    float Persent = 0.5f;

    // Missing members read their defaults ("0.0", "0.0", "0.0", "0", "0.5"); text that is no
    // number reads as 0, as the C run-time reads it.
    static AnalyzeParameters FromJson(const Json::Value& record);
    Json::Value ToJson() const;

    // The day offset as the whole days it adds (towards zero).
    int WholeDays() const;

    // A figure of the set as stored: the fewest digits that read back as the same
    // single-precision value.
    static QString FormatFigure(double value);
};
