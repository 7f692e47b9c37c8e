#pragma once

#include <functional>

#include "host/ServiceBase.h"
#include "kora/interface/OptionsDataSvcI.h"
#include "market/Simulator.h"

namespace Terminal::Services {

// "Kora.Platform.Service.OptionsDataSvc": the listed option chains (market/Listing.h).
// Underlyings in the order their chains were listed (the commodity future, 510050, 510300, then
// the index futures by month: each carries the index options of its own month), months
// nearest first ("yyMM"), options by ascending strike with the call before the put; expired
// options leave the chains, strikes listed during the day join them.
//
// Option records: class letter ('n' for the commodity and the index options, 'o' for the fund
// options), call/put (0 put, -1 call), strike in the option's price units with the option's
// price divisor as strike divisor, exercise style, expiry (UTC), month, series name
// "<underlying code>|<month>|认购 or 认沽|<strike>", contract unit (the multiplier), the implied
// volatility (a fraction: the surface's value at the option's strike and expiry for the
// underlying's price now, the one the market quotes it from; Simulator::ImpliedVolatility) and
// the risk-free rate (percent), and figures at the current prices and clock: premium rate
// ((K + P − S) ÷ S for a call, (S + P − K) ÷ S for a put) and leverage (S ÷ P) at the option's
// latest price P, Greeks at the implied volatility (Black-76 for futures and index options,
// Black-Scholes otherwise; theta per day, vega and rho per percentage point), intrinsic value and
// time value (P less intrinsic, not below 0). Whole days between two times: the full 24-hour
// days, rounded toward zero (0 for an invalid time). Unknown keys answer empty, false or an
// invalid time.
class OptionsDataService : public ServiceBase<Kora::Interface::OptionsDataSvcI> {
public:
    OptionsDataService(Market::Simulator& market, std::function<QDateTime()> now);

    std::vector<Kora::Interface::QuoteKey> GetUnderlyings() override;
    QString GetUnderlyingName(const Kora::Interface::QuoteKey& underlying) override;
    std::vector<QString> GetMonths(const Kora::Interface::QuoteKey& underlying) override;
    std::vector<Kora::Interface::QuoteKey> GetOptions(const Kora::Interface::QuoteKey& underlying,
                                                      const QString& month) override;
    std::vector<Kora::Interface::OptionChainRow> GetChainRows(const Kora::Interface::QuoteKey& underlying,
                                                              const QString& month) override;
    bool IsOption(const Kora::Interface::QuoteKey& key) override;
    bool GetOptionRecord(const Kora::Interface::QuoteKey& option,
                         Kora::Interface::OptionRecord& record) override;
    bool GetUnderlyingKey(const Kora::Interface::QuoteKey& option,
                          Kora::Interface::QuoteKey& underlying) override;
    QDateTime GetExpiryDate(const Kora::Interface::QuoteKey& option) override;
    int32_t WholeDaysBetween(const QDateTime& from, const QDateTime& to) override;
    bool GetIntrinsicValue(const Kora::Interface::QuoteKey& option, double& value) override;
    bool GetTimeValue(const Kora::Interface::QuoteKey& option, double& value) override;
    double GetRiskFreeRate() override;

private:
    const Market::Instrument* Find(const Kora::Interface::QuoteKey& key) const;
    const Market::Instrument* FindOption(const Kora::Interface::QuoteKey& key) const;
    // Intrinsic value at the underlying's price now.
    double Intrinsic(const Market::Instrument& option) const;

    Market::Simulator& m_market;
    std::function<QDateTime()> m_now;
};

}  // namespace Terminal::Services
