#include "services/AdvanceDataService.h"

#include <functional>
#include <map>

#include "host/ContractLookup.h"
#include "host/Records.h"
#include "kora/utility/JsonAccess.h"

namespace Terminal::Services {

using Kora::Interface::QuoteSnapshot;

AdvanceDataService::AdvanceDataService(Market::Simulator& market)
    : ServiceBase(QStringLiteral("扩展行情数据")), m_market(market) {}

Json::Value AdvanceDataService::Trades(const Market::Instrument& instrument) const {
    Json::Value trades(Json::arrayValue);
    for (const Market::TradePrint& print : m_market.Trades(instrument.index)) {
        Json::Value trade(Json::objectValue);
        trade["Time"] = Records::TimeText(print.time);
        trade["Price"] = instrument.ToPrice(print.price);
        trade["Volume"] = Json::Int64(print.volume);
        trade["Direction"] = print.buyerInitiated ? "B" : "S";
        trade["OpenInterestChange"] = Json::Int64(print.interestChange);
        trades.append(trade);
    }
    return trades;
}

Json::Value AdvanceDataService::Quantity(const Json::Value& query, const Market::Instrument& instrument,
                                         const QString& name) const {
    static const std::map<QString, char> directions{
        {QStringLiteral("Buyable"), '0'},       {QStringLiteral("可买"), '0'},
        {QStringLiteral("Financeable"), 'a'},   {QStringLiteral("可融"), 'a'},
        {QStringLiteral("Sellable"), '1'},      {QStringLiteral("可卖"), '1'},
        {QStringLiteral("ShortSellable"), 'b'}, {QStringLiteral("可融券"), 'b'},
    };
    auto direction = directions.find(name);
    if (direction == directions.end()) {
        return Json::Value();
    }
    const std::string accountId = Kora::Utility::JsonText(query, "EAccountID");
    if (accountId.empty() || !m_market.Account(accountId)) {
        return Json::Value();
    }
    Market::OrderTicket ticket;
    ticket.accountId = accountId;
    ticket.instrument = instrument.index;
    ticket.direction = direction->second;
    ticket.offset = direction->second == '1' ? '1' : '0';
    const double price = Kora::Utility::JsonDouble(query, "Price", 0.0);
    ticket.price = price > 0 ? instrument.ToUnits(price) : 0;
    return Json::Int64(m_market.MaxVolume(ticket));
}

Json::Value AdvanceDataService::GetValue(const Json::Value& contract, const QString& name) {
    const Market::Instrument* instrument = FindInstrument(m_market.Catalogue(), contract);
    if (!instrument) {
        return Json::Value();
    }
    if (name == QStringLiteral("Trades") || name == QStringLiteral("成交明细")) {
        return Trades(*instrument);
    }
    if (Json::Value quantity = Quantity(contract, *instrument, name); !quantity.isNull()) {
        return quantity;
    }
    const QuoteSnapshot s = m_market.Snapshot(instrument->index);
    const Market::Instrument& i = *instrument;
    const double reference = i.ToPrice(s.referencePrice);
    const double last = i.ToPrice(s.last > 0 ? s.last : s.referencePrice);
    using Figure = std::function<double()>;
    const std::map<QString, Figure> figures{
        {QStringLiteral("UpperLimit"), [&] { return i.ToPrice(s.upperLimit); }},
        {QStringLiteral("LowerLimit"), [&] { return i.ToPrice(s.lowerLimit); }},
        {QStringLiteral("PreClose"), [&] { return reference; }},
        {QStringLiteral("Last"), [&] { return last; }},
        {QStringLiteral("Open"), [&] { return i.ToPrice(s.open); }},
        {QStringLiteral("High"), [&] { return i.ToPrice(s.high); }},
        {QStringLiteral("Low"), [&] { return i.ToPrice(s.low); }},
        {QStringLiteral("Average"), [&] { return i.ToPrice(s.average); }},
        {QStringLiteral("Change"), [&] { return last - reference; }},
        {QStringLiteral("ChangeRate"),
         [&] { return reference > 0 ? (last - reference) / reference * 100.0 : 0.0; }},
        {QStringLiteral("Amplitude"),
         [&] { return reference > 0 ? i.ToPrice(s.high - s.low) / reference * 100.0 : 0.0; }},
        {QStringLiteral("Volume"), [&] { return s.volume; }},
        {QStringLiteral("Turnover"), [&] { return s.turnover; }},
        {QStringLiteral("OpenInterest"), [&] { return s.openInterest; }},
        {QStringLiteral("ActiveBuyVolume"), [&] { return s.activeBuyVolume; }},
        {QStringLiteral("ActiveSellVolume"), [&] { return s.activeSellVolume; }},
    };
    static const std::map<QString, QString> chinese{
        {QStringLiteral("涨停价"), QStringLiteral("UpperLimit")},
        {QStringLiteral("跌停价"), QStringLiteral("LowerLimit")},
        {QStringLiteral("昨收"), QStringLiteral("PreClose")},
        {QStringLiteral("最新价"), QStringLiteral("Last")},
        {QStringLiteral("开盘价"), QStringLiteral("Open")},
        {QStringLiteral("最高价"), QStringLiteral("High")},
        {QStringLiteral("最低价"), QStringLiteral("Low")},
        {QStringLiteral("均价"), QStringLiteral("Average")},
        {QStringLiteral("涨跌"), QStringLiteral("Change")},
        {QStringLiteral("涨跌幅"), QStringLiteral("ChangeRate")},
        {QStringLiteral("振幅"), QStringLiteral("Amplitude")},
        {QStringLiteral("成交量"), QStringLiteral("Volume")},
        {QStringLiteral("成交额"), QStringLiteral("Turnover")},
        {QStringLiteral("持仓量"), QStringLiteral("OpenInterest")},
        {QStringLiteral("主动买量"), QStringLiteral("ActiveBuyVolume")},
        {QStringLiteral("主动卖量"), QStringLiteral("ActiveSellVolume")},
    };
    auto alias = chinese.find(name);
    auto figure = figures.find(alias == chinese.end() ? name : alias->second);
    return figure == figures.end() ? Json::Value() : Json::Value(figure->second());
}

}  // namespace Terminal::Services
