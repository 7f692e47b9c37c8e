#pragma once

#include <atomic>
#include <functional>
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
// {"ErrorCode": 3001, "ErrorMsg": "条件单参数无效"}. With a confirmation installed (the terminal's
// conditional order page), a valid request is taken only when the user confirms it; otherwise
// it is refused with {"ErrorCode": 3002, "ErrorMsg": "用户取消条件单"} and journalled as refused.
class KRTAddinConditionService : public ServiceBase<Kora::Interface::KRTAddinConditionI> {
public:
    struct ConditionalOrder {
        std::string id;
        QString function;
        Json::Value params;
    };

    // Asked on the UI thread with the caller's tag and the order; true takes the order.
    using Confirmation = std::function<bool(const QString& function, const Json::Value& params)>;

    KRTAddinConditionService(const Market::Simulator& market, Journal& journal);

    Json::Value Execute(const QString& function, const Json::Value& params) override;
    void SetConfirmation(Confirmation confirmation);

    std::vector<ConditionalOrder> Orders() const;

private:
    const Market::Simulator& m_market;
    Journal& m_journal;
    mutable std::mutex m_lock;
    std::vector<ConditionalOrder> m_orders;
    Confirmation m_confirmation;
};

}  // namespace Terminal::Services
