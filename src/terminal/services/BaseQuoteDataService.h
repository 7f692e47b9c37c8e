#pragma once

#include "host/ServiceBase.h"
#include "kora/interface/BaseQuoteDataSvcI.h"
#include "market/Simulator.h"

namespace Terminal::Services {

// "Kora.Platform.Service.BaseQuoteDataSvc": contract information, the 960-byte snapshot (every
// field filled, the book from the market's five levels) and history:
//   "KLine_Day"  [{"Date": yyyymmdd, "Open", "High", "Low", "Close", "Volume", "OpenInterest"}]
//                in real prices, oldest first: the previous trading days only (today's figures are
//                in the snapshot), so the last day's "OpenInterest" is the snapshot's previous open
//                interest (byte 80); days the market rolled join the end; a strike listed during
//                the simulation has none;
//   "WeightData" [{"Date", "CashDividend", "BonusShares", "RightsShares", "RightsPrice"}]
//                per share (stocks only).
// Unknown keys and kinds answer false and leave the output alone.
class BaseQuoteDataService : public ServiceBase<Kora::Interface::BaseQuoteDataSvcI> {
public:
    explicit BaseQuoteDataService(Market::Simulator& market);

    bool GetContractInfo(const Kora::Interface::QuoteKey& key, Kora::Interface::ContractInfo& info) override;
    bool GetSnapshot(const Kora::Interface::QuoteKey& key, Kora::Interface::QuoteSnapshot& snapshot) override;
    bool GetHistory(const Kora::Interface::QuoteKey& key, const QString& kind, Json::Value& history) override;
    Kora::Interface::QuoteKey FindKey(const QString& exchangeCode, const QString& contractCode) override;
    std::vector<Kora::Interface::QuoteKey> EnumContracts() override;

private:
    const Market::Instrument* Find(const Kora::Interface::QuoteKey& key) const;

    Market::Simulator& m_market;
};

}  // namespace Terminal::Services
