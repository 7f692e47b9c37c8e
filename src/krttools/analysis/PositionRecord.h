#pragma once

#include <json/value.h>

#include <QString>
#include <array>
#include <cstdint>

#include "analysis/AnalyzeParameters.h"
#include "kora/interface/QuoteKey.h"

// One position of the risk analysis as a Json record whose values are text: the host's
// position fields ("63", "112", "135", "138" ...) and the analysis's own keys below. Numbers are
// read as the C run-time reads them; a missing key reads as its default.
namespace PositionRecord {

inline constexpr const char* kCheck = "Check";      // "1": takes part in totals and curves
inline constexpr const char* kOption = "STK";       // the contract's identity (QuoteKey as Json)
inline constexpr const char* kSubject = "Subject";  // the underlying's identity
inline constexpr const char* kOptionType = "OptionType";
inline constexpr const char* kPutCall = "PutCall";
inline constexpr const char* kExercisePrice = "ExercisePrice";
inline constexpr const char* kMaturityDays = "MaturityDays";
inline constexpr const char* kParam = "Param";  // the position's own parameter set
inline constexpr const char* kTotalName = "合计";

// The figures of a position, in this order wherever they are listed.
enum Greek { kDelta, kGamma, kTheta, kVega, kRho, kTimeValue, kGreekCount };
// "Delta" ... "TimeValue"; the position's own set writes them with the suffix "_o".
const char* GreekKey(Greek greek);
inline constexpr const char* kOwnSuffix = "_o";
using Figures = std::array<double, kGreekCount>;

// "MaturityDays" of a record without one.
inline constexpr int64_t kUnknownMaturity = 2147483647;

double Number(const Json::Value& record, const char* key, double fallback = 0.0);
bool IsChecked(const Json::Value& record);
// "135", 1 when missing.
int64_t Quantity(const Json::Value& record);
// −1 for direction code "1" (short), +1 for "0" and any other code.
int Sign(const Json::Value& record);
// Whether the record's "Subject" is the underlying: the same market number, codes equal
// ignoring case.
bool IsOn(const Json::Value& record, const Kora::Interface::QuoteKey& underlying);

// "%.04f", as every figure of a record is stored.
std::string Fixed4(double value);

// What valuing a position needs from its record, read once.
struct Terms {
    int32_t put = 0;
    int32_t optionType = 0;
    double strike = 0;
    double scale = 1;  // quantity × direction sign
    int64_t maturityDays = kUnknownMaturity;
    bool knownMaturity = false;
    double latestPrice = 0;  // "138"

    static Terms Read(const Json::Value& record);
};

// Calendar days counted to expiry: the days left plus the set's whole-day offset plus one.
int64_t DayCount(const Terms& terms, const AnalyzeParameters& parameters);

// Delta, Gamma, Theta, Vega and Rho of the position at S, sigma, r and T = dayCount / 365,
// times quantity and sign; the time value slot is 0.
Figures Greeks(const Terms& terms, double S, double sigma, double r, int64_t dayCount);

// The latest price above the intrinsic value at S (0 when the strike, the price or S is 0, and
// never below 0), times quantity and sign.
double TimeValue(const Terms& terms, double S);

// All six figures in the set's market.
Figures Value(const Terms& terms, const AnalyzeParameters& parameters);

// Writes the figures ("%.04f") into the record under their keys followed by suffix.
void Store(Json::Value& record, const Figures& figures, const char* suffix);

}  // namespace PositionRecord
