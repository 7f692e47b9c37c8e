#pragma once

#include "host/ServiceBase.h"
#include "kora/interface/FrameServicesI.h"
#include "market/Simulator.h"

namespace Terminal::Services {

// "Kora.Platform.Service.SearchUIInterface": contracts whose code starts with the typed text
// (ignoring case) or whose name contains it, in catalogue order, at most 50:
// [{"ExchangeCode", "ContractCode", "Name", "MarketID"}]. Blank text finds nothing.
class SearchUIService : public ServiceBase<Kora::Interface::SearchUII> {
public:
    explicit SearchUIService(const Market::Simulator& market);

    Json::Value Search(const QString& text) override;

private:
    const Market::Simulator& m_market;
};

}  // namespace Terminal::Services
