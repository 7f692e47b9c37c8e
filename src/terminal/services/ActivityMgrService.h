#pragma once

#include <map>
#include <mutex>
#include <vector>

#include "host/NormalMsgCenter.h"
#include "host/ServiceBase.h"
#include "kora/interface/FrameServicesI.h"

namespace Terminal::Services {

// "Kora.Platform.Service.ActivityMgrSvc": linkage between windows. An announcement of a new
// contract is kept as the announcing window's ("CWID") activity parameters and posted to every
// window as "StockChanged" with the announcement as payload. Announcements that are not
// objects are refused.
class ActivityMgrService : public ServiceBase<Kora::Interface::ActivityMgrSvcI> {
public:
    explicit ActivityMgrService(NormalMsgCenter& messages);

    bool AnnounceStockChanged(const Json::Value& params) override;
    Json::Value GetActivityParam(const Json::Value& query) override;

    std::vector<Json::Value> Announcements() const;

private:
    NormalMsgCenter& m_messages;
    mutable std::mutex m_lock;
    std::map<std::string, Json::Value> m_byWindow;
    std::vector<Json::Value> m_announcements;
};

}  // namespace Terminal::Services
