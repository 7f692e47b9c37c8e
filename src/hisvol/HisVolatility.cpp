#include "HisVolatility.h"

#include <array>
#include <cmath>
#include <limits>

#include "kora/utility/JsonAccess.h"

namespace {

constexpr int kWindowReturns = 20;
constexpr double kTradingDaysPerYear = 252;

bool IsUsableClose(double close) {
    return close > 0 && close < std::numeric_limits<double>::infinity();
}

}  // namespace

extern "C" double C_CalcHisVolatility(Kora::Utility::Handle<Kora::Interface::BaseQuoteDataSvcI> service,
                                      const Kora::Interface::QuoteKey* key, double fallback) {
    if (!service || !key) {
        return fallback;
    }
    Json::Value history;
    if (!service->GetHistory(*key, QStringLiteral("KLine_Day"), history) || !history.isArray()) {
        return fallback;
    }

    // The newest usable closes, newest first.
    std::array<double, kWindowReturns + 1> closes{};
    int count = 0;
    for (Json::ArrayIndex i = history.size(); i > 0 && count < static_cast<int>(closes.size()); --i) {
        const double close =
            Kora::Utility::JsonDouble(history[i - 1], "Close", std::numeric_limits<double>::quiet_NaN());
        if (IsUsableClose(close)) {
            closes[count++] = close;
        }
    }
    if (count < 2) {
        return fallback;
    }

    const int returns = count - 1;
    std::array<double, kWindowReturns> logReturns{};
    double sum = 0;
    for (int i = 0; i < returns; ++i) {
        logReturns[i] = std::log(closes[i] / closes[i + 1]);
        sum += logReturns[i];
    }
    const double mean = sum / returns;
    double squares = 0;
    for (int i = 0; i < returns; ++i) {
        squares += (logReturns[i] - mean) * (logReturns[i] - mean);
    }
    return std::sqrt(squares / returns) * std::sqrt(kTradingDaysPerYear);
}
