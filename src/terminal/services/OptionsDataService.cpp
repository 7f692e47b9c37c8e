#include "services/OptionsDataService.h"

#include <algorithm>

#include "host/Records.h"
#include "market/OptionQuoting.h"

namespace Terminal::Services {

using namespace Kora::Interface;
using Market::Instrument;

OptionsDataService::OptionsDataService(Market::Simulator& market, std::function<QDateTime()> now)
    : ServiceBase(QStringLiteral("期权数据")), m_market(market), m_now(std::move(now)) {}

const Instrument* OptionsDataService::Find(const QuoteKey& key) const {
    return m_market.Catalogue().FindByKey(key.marketId, key.code.toStdString());
}

const Instrument* OptionsDataService::FindOption(const QuoteKey& key) const {
    const Instrument* instrument = Find(key);
    return instrument && instrument->option ? instrument : nullptr;
}

std::vector<QuoteKey> OptionsDataService::GetUnderlyings() {
    std::vector<QuoteKey> keys;
    for (int index : m_market.Catalogue().Underlyings()) {
        keys.push_back(Records::KeyOf(*m_market.Catalogue().At(index)));
    }
    return keys;
}

QString OptionsDataService::GetUnderlyingName(const QuoteKey& underlying) {
    const Instrument* instrument = Find(underlying);
    return instrument ? QString::fromStdString(instrument->name) : QString();
}

std::vector<QString> OptionsDataService::GetMonths(const QuoteKey& underlying) {
    std::vector<QString> months;
    if (const Instrument* instrument = Find(underlying)) {
        for (const std::string& month : m_market.Catalogue().Months(instrument->index)) {
            months.push_back(QString::fromStdString(month));
        }
    }
    return months;
}

std::vector<QuoteKey> OptionsDataService::GetOptions(const QuoteKey& underlying, const QString& month) {
    std::vector<QuoteKey> keys;
    if (const Instrument* instrument = Find(underlying)) {
        for (int index : m_market.Catalogue().Options(instrument->index, month.toStdString())) {
            keys.push_back(Records::KeyOf(*m_market.Catalogue().At(index)));
        }
    }
    return keys;
}

std::vector<OptionChainRow> OptionsDataService::GetChainRows(const QuoteKey& underlying,
                                                             const QString& month) {
    std::vector<OptionChainRow> rows;
    const Instrument* instrument = Find(underlying);
    if (!instrument) {
        return rows;
    }
    for (int index : m_market.Catalogue().Options(instrument->index, month.toStdString())) {
        const Instrument& option = *m_market.Catalogue().At(index);
        if (rows.empty() || rows.back().strike != option.option->strike) {
            rows.push_back({option.option->strike, {}, {}});
        }
        (option.option->isPut ? rows.back().put : rows.back().call) = Records::KeyOf(option);
    }
    return rows;
}

bool OptionsDataService::IsOption(const QuoteKey& key) {
    return FindOption(key) != nullptr;
}

double OptionsDataService::Intrinsic(const Instrument& option) const {
    const Market::OptionTerms& terms = *option.option;
    const double underlying = m_market.MarkPrice(terms.underlying);
    const double strike = option.ToPrice(terms.strike);
    return std::max(0.0, terms.isPut ? strike - underlying : underlying - strike);
}

bool OptionsDataService::GetOptionRecord(const QuoteKey& key, OptionRecord& record) {
    const Instrument* option = FindOption(key);
    if (!option) {
        return false;
    }
    const Market::OptionTerms& terms = *option->option;
    const Instrument& underlying = *m_market.Catalogue().At(terms.underlying);
    const double s = m_market.MarkPrice(terms.underlying);
    const double p = m_market.MarkPrice(option->index);
    const double k = option->ToPrice(terms.strike);

    record.classLetter = terms.classLetter;
    record.callPut = terms.isPut ? 0 : -1;
    record.strike = terms.strike;
    record.strikeDivisor = option->priceDivisor;
    record.exerciseStyle = terms.exerciseStyle;
    record.expiry = terms.expiry;
    record.month = QString::fromStdString(terms.month);
    record.seriesName = QStringLiteral("%1|%2|%3|%4")
                            .arg(QString::fromStdString(underlying.code), record.month,
                                 terms.isPut ? QStringLiteral("认沽") : QStringLiteral("认购"),
                                 QString::fromStdString(Records::Fixed(k, underlying.decimals)));
    record.underlying = Records::KeyOf(underlying);
    record.contractUnit = option->multiplier;
    record.impliedVolatility = m_market.ImpliedVolatility(option->index);
    record.riskFreeRate = Market::InstrumentCatalogue::kRiskFreeRatePercent;
    record.premiumRate = s > 0 ? (terms.isPut ? (s + p - k) : (k + p - s)) / s : 0.0;
    record.leverage = p > 0 ? s / p : 0.0;

    const double years = Market::YearsToExpiry(terms, m_now());
    const Market::OptionFigures figures = Market::ValueOption(
        {terms.isPut, option->kind == Market::InstrumentKind::FutureOption, s, k, record.impliedVolatility,
         Market::InstrumentCatalogue::kRiskFreeRatePercent / 100.0, years});
    record.delta = figures.delta;
    record.gamma = figures.gamma;
    record.theta = figures.theta;
    record.vega = figures.vega;
    record.rho = figures.rho;
    record.intrinsicValue = Intrinsic(*option);
    record.timeValue = std::max(0.0, p - record.intrinsicValue);
    return true;
}

bool OptionsDataService::GetUnderlyingKey(const QuoteKey& key, QuoteKey& underlying) {
    const Instrument* option = FindOption(key);
    if (!option) {
        return false;
    }
    underlying = Records::KeyOf(*m_market.Catalogue().At(option->option->underlying));
    return true;
}

QDateTime OptionsDataService::GetExpiryDate(const QuoteKey& key) {
    const Instrument* option = FindOption(key);
    return option ? option->option->expiry : QDateTime();
}

int32_t OptionsDataService::WholeDaysBetween(const QDateTime& from, const QDateTime& to) {
    if (!from.isValid() || !to.isValid()) {
        return 0;
    }
    return int32_t(from.secsTo(to) / 86400);
}

bool OptionsDataService::GetIntrinsicValue(const QuoteKey& key, double& value) {
    const Instrument* option = FindOption(key);
    if (!option) {
        return false;
    }
    value = Intrinsic(*option);
    return true;
}

bool OptionsDataService::GetTimeValue(const QuoteKey& key, double& value) {
    const Instrument* option = FindOption(key);
    if (!option) {
        return false;
    }
    value = std::max(0.0, m_market.MarkPrice(option->index) - Intrinsic(*option));
    return true;
}

double OptionsDataService::GetRiskFreeRate() {
    return Market::InstrumentCatalogue::kRiskFreeRatePercent;
}

}  // namespace Terminal::Services
