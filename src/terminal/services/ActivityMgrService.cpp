#include "services/ActivityMgrService.h"

#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"

namespace Terminal::Services {

using Kora::Utility::JsonText;

ActivityMgrService::ActivityMgrService(NormalMsgCenter& messages)
    : ServiceBase(QStringLiteral("联动管理")), m_messages(messages) {}

bool ActivityMgrService::AnnounceStockChanged(const Json::Value& params) {
    if (!params.isObject()) {
        return false;
    }
    {
        std::lock_guard lock(m_lock);
        m_announcements.push_back(params);
        const std::string window = JsonText(params, "CWID");
        if (!window.empty()) {
            m_byWindow[window] = params;
        }
    }
    m_messages.Post(Kora::Interface::Topic::kStockChanged, params, 0);
    return true;
}

Json::Value ActivityMgrService::GetActivityParam(const Json::Value& query) {
    std::lock_guard lock(m_lock);
    auto it = m_byWindow.find(JsonText(query, "CWID"));
    return it == m_byWindow.end() ? Json::Value() : it->second;
}

std::vector<Json::Value> ActivityMgrService::Announcements() const {
    std::lock_guard lock(m_lock);
    return m_announcements;
}

}  // namespace Terminal::Services
