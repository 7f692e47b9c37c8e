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
//   "OpenInterest"/"持仓量".
// An unknown contract or name answers null.
class AdvanceDataService : public ServiceBase<Kora::Interface::AdvanceDataSvcI> {
public:
    explicit AdvanceDataService(Market::Simulator& market);

    Json::Value GetValue(const Json::Value& contract, const QString& name) override;

private:
    Market::Simulator& m_market;
};

}  // namespace Terminal::Services
