#pragma once

#include <atomic>
#include <mutex>
#include <vector>

#include "host/Journal.h"
#include "host/ServiceBase.h"
#include "kora/interface/AddinI.h"
#include "market/Simulator.h"

namespace Terminal::Services {

// "Kora.Platform.Service.KRTAddinCondition": takes conditional orders and keeps them (the
// simulated terminal does not trigger them). Each request is journalled as "ConditionalOrder"
// with its "Function". A request naming a known contract ({"ExchangeCode", "ContractCode"}) is
// answered {"ErrorCode": 0, "ConditionOrderId": "C000001" ...}; anything else is refused with
// {"ErrorCode": 3001, "ErrorMsg": "条件单参数无效"}.
class KRTAddinConditionService : public ServiceBase<Kora::Interface::KRTAddinConditionI> {
public:
    struct ConditionalOrder {
        std::string id;
        QString function;
        Json::Value params;
    };

    KRTAddinConditionService(const Market::Simulator& market, Journal& journal);

    Json::Value Execute(const QString& function, const Json::Value& params) override;

    std::vector<ConditionalOrder> Orders() const;

private:
    const Market::Simulator& m_market;
    Journal& m_journal;
    mutable std::mutex m_lock;
    std::vector<ConditionalOrder> m_orders;
};

}  // namespace Terminal::Services
