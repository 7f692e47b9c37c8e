#pragma once

#include "host/ServiceBase.h"
#include "kora/interface/FrameServicesI.h"
#include "market/Simulator.h"

namespace Terminal::Services {

// "Kora.Platform.Service.AdvanceDataSvc": figures derived from a contract's quote, as Json
// numbers in real prices, by English or Chinese name:
//   "UpperLimit"/"涨停价", "LowerLimit"/"跌停价", "PreClose"/"昨收" (the reference price),
//   "Last"/"最新价" (the reference before any trade), "Open"/"开盘价", "High"/"最高价",
//   "Low"/"最低价", "Average"/"均价", "Change"/"涨跌", "ChangeRate"/"涨跌幅" (percent),
//   "Amplitude"/"振幅" (percent), "Volume"/"成交量", "Turnover"/"成交额",
//   "OpenInterest"/"持仓量", "ActiveBuyVolume"/"主动买量", "ActiveSellVolume"/"主动卖量";
// the contract's latest trades, oldest first (at most 100):
//   "Trades"/"成交明细"  [{"Time": "hh:mm:ss", "Price" (real), "Volume", "Direction": "B" when the
//                        buyer was the aggressor, else "S", "OpenInterestChange"}];
// and, for the account the query names ("EAccountID" beside the contract), the quantities the
// stock window shows, in shares (lots for derivatives), at the query's "Price" (real; default
// the latest price):
//   "Buyable"/"可买"          what the money buys (in whole lots of "1008")
//   "Financeable"/"可融"      what a financed buy ('a') may take: the credit line left, the
//                             commission in cash (credit accounts; 0 otherwise)
//   "Sellable"/"可卖"         what can be sold: yesterday's shares (T+1), odd lots included
//   "ShortSellable"/"可融券"  what a short sale ('b') may take: the shares still to borrow and
//                             the margin the money holds (credit accounts; 0 otherwise)
// An unknown contract or name, or a quantity without a known account, answers null.
class AdvanceDataService : public ServiceBase<Kora::Interface::AdvanceDataSvcI> {
public:
    explicit AdvanceDataService(Market::Simulator& market);

    Json::Value GetValue(const Json::Value& contract, const QString& name) override;

private:
    Json::Value Trades(const Market::Instrument& instrument) const;
    // null when the name is not a quantity.
    Json::Value Quantity(const Json::Value& query, const Market::Instrument& instrument,
                         const QString& name) const;

    Market::Simulator& m_market;
};

}  // namespace Terminal::Services
