#pragma once

#include <QDate>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "market/Instrument.h"

namespace Terminal::Market {

// The contracts the simulated market lists for one trading day. The list depends on the
// trading day only (months and expiries follow it); it never changes afterwards.
//
//   index  exchange  code                name            kind
//   0      DCE       m<yyMM>             豆粕<yyMM>      commodity future, price 3000, tick 1, ×10
//   1      CFFEX     IF<yyMM>            股指期货<yyMM>  index future, price 3500.0, tick 0.2, ×300
//   2      SHSE-A    510050              蓝筹ETF         fund, price 2.500, tick 0.001
//   3      SHSE-A    600000              申江银行        stock 7.50
//   4      SHSE-A    600519              赤水酒业        stock 1650.00
//   5      SHSE-A    601988              华东能源        stock 4.20
//   6      SZSE-A    000001              鹏城银行        stock 10.50
//   7      SZSE-A    300750              宁江电池        stock 180.00 (limits ±20 %)
//   8...   DCE       m<yyMM>-<MM>-C|P-<strike>         futures options (class 'n', American),
//                                                       3 monthly expiries × 9 strikes 2800-3200
//   ...    SHQQ-A    1000nnnn            蓝筹ETF购|沽<M>月<strike>  fund options (class 'o',
//                                                       European), 3 expiries × 9 strikes 2.30-2.70
//
// Options expire on the fourth Wednesday of their month at 15:00 Beijing time; the three
// expiry months are the first three whose expiry lies after the trading day. The commodity
// future delivers three months after the last option month; the index future is the near month.
// Stocks and funds have daily limits of ±10 % (±20 % for 300750), futures ±7 % (DCE) and
// ±10 % (CFFEX) of the reference price.
class InstrumentCatalogue {
public:
    // The risk-free rate (percent) the chain quotes and the simulated option prices use.
    static constexpr double kRiskFreeRatePercent = 2.5;

    static InstrumentCatalogue Build(const QDate& tradingDay);

    const std::vector<Instrument>& All() const { return m_all; }
    int Size() const { return int(m_all.size()); }
    // Null for an index out of range.
    const Instrument* At(int index) const;
    // Null when unknown.
    const Instrument* Find(std::string_view exchange, std::string_view code) const;
    const Instrument* FindByKey(int32_t marketId, std::string_view code) const;
    // Every instrument with that code, on any exchange.
    std::vector<const Instrument*> FindByCode(std::string_view code) const;

    // Instruments that have options, in catalogue order.
    std::vector<int> Underlyings() const;
    // Expiry month texts of an underlying's options, nearest first.
    std::vector<std::string> Months(int underlying) const;
    // Options of an underlying and month: ascending strike, the call before the put.
    std::vector<int> Options(int underlying, std::string_view month) const;

    // Fourth Wednesday of the month at 15:00 Beijing time, in UTC.
    static QDateTime ExpiryOfMonth(int year, int month);

private:
    int Add(Instrument instrument);

    std::vector<Instrument> m_all;
    std::map<std::pair<std::string, std::string>, int> m_byExchange;
    std::map<std::pair<int32_t, std::string>, int> m_byKey;
};

}  // namespace Terminal::Market
