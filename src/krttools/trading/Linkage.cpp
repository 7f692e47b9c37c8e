#include "trading/Linkage.h"

#include "kernel/HostAccess.h"
#include "kora/interface/FrameServicesI.h"
#include "kora/utility/JsonAccess.h"

using Kora::Utility::JsonWText;
namespace I = Kora::Interface;

namespace Linkage {

bool AnnounceStockChanged(const I::QuoteKey& stock, const QString& windowType,
                          const Announcement& announcement) {
    Kora::Utility::Handle<I::ActivityMgrSvcI> activity = Kora::Kernel::GetService<I::ActivityMgrSvcI>();
    if (!activity || !stock.IsValid()) {
        return false;
    }
    Json::Value params(Json::objectValue);
    params["Stock"] = stock.ToText().toStdString();
    params["CWID"] = windowType.toStdString();
    params["KRTFrame"] = "KRTFrame";
    if (!announcement.enter.isEmpty()) {
        params["Enter"] = announcement.enter.toStdString();
    }
    if (!announcement.channel.isEmpty()) {
        params["Channel"] = announcement.channel.toStdString();
    }
    return activity->AnnounceStockChanged(params);
}

I::QuoteKey LinkedStock(const Json::Value& linkage) {
    if (linkage.isString()) {
        return I::QuoteKey::FromText(JsonWText(linkage));
    }
    return linkage.isObject() ? I::QuoteKey::FromText(JsonWText(linkage, "Stock")) : I::QuoteKey();
}

}  // namespace Linkage
