#pragma once

#include "host/NormalMsgCenter.h"
#include "market/Simulator.h"
#include "services/KRTAddinConditionService.h"
#include "services/QuoteSubscribeService.h"

namespace Terminal {

// Turns what happens in the market into the terminal's messages: order events into the request
// callback and the smart-order notices, position changes into "PositionChanged", quotes into
// pushes (see KRTEngineService.h for the messages and their order) and into the conditional
// orders they trigger.
class TradingEventPublisher : public Market::MarketListener {
public:
    TradingEventPublisher(const Market::Simulator& market, NormalMsgCenter& messages,
                          Services::QuoteSubscribeService& quotes,
                          Services::KRTAddinConditionService& conditions);

    void OnOrderUpdated(const Market::OrderView& order, const Market::Fill* fill) override;
    void OnPositionsChanged(const std::string& accountId) override;
    void OnQuote(const Market::QuoteEvent& quote) override;
    void OnStaticChanged(int instrument) override;

private:
    const Market::Simulator& m_market;
    NormalMsgCenter& m_messages;
    Services::QuoteSubscribeService& m_quotes;
    Services::KRTAddinConditionService& m_conditions;
};

}  // namespace Terminal
