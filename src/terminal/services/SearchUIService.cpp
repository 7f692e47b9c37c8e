#include "services/SearchUIService.h"

namespace Terminal::Services {

namespace {
constexpr Json::ArrayIndex kMaxResults = 50;
}

SearchUIService::SearchUIService(const Market::Simulator& market)
    : ServiceBase(QStringLiteral("合约搜索")), m_market(market) {}

Json::Value SearchUIService::Search(const QString& text) {
    Json::Value found(Json::arrayValue);
    const QString typed = text.trimmed();
    if (typed.isEmpty()) {
        return found;
    }
    for (const Market::Instrument& instrument : m_market.Catalogue().All()) {
        const QString code = QString::fromStdString(instrument.code);
        const QString name = QString::fromStdString(instrument.name);
        if (!code.startsWith(typed, Qt::CaseInsensitive) && !name.contains(typed, Qt::CaseInsensitive)) {
            continue;
        }
        Json::Value row(Json::objectValue);
        row["ExchangeCode"] = instrument.exchange;
        row["ContractCode"] = instrument.code;
        row["Name"] = instrument.name;
        row["MarketID"] = instrument.marketId;
        found.append(row);
        if (found.size() >= kMaxResults) {
            break;
        }
    }
    return found;
}

}  // namespace Terminal::Services
