#include "trading/CombinationOrder.h"

#include <QVariant>
#include <QWidget>

#include "kernel/HostAccess.h"
#include "kora/interface/AddinI.h"
#include "kora/utility/JsonAccess.h"

namespace CombinationOrder {

namespace {
constexpr int32_t kPageId = 1001;
constexpr int kCallerFunction = 706;
}  // namespace

Json::Value LegRecord(const Leg& leg) {
    Json::Value record(Json::objectValue);
    record["Contract"]["ExchangeCode"] = leg.exchangeCode.toStdString();
    record["Contract"]["ContractCode"] = leg.contractCode.toStdString();
    if (!leg.accountId.isEmpty()) {
        record["EAccountID"] = leg.accountId.toStdString();
    }
    record["BS"] = leg.direction.unicode();
    record["OC"] = leg.offset.unicode();
    record["BD"] = leg.covered.unicode();
    record["Volume"] = leg.volume;
    return record;
}

Json::Value Request(const Json::Value& account, const std::vector<Leg>& legs) {
    Json::Value request(Json::objectValue);
    request["EAccountID"] = Kora::Utility::Member(account, "EAccountID");
    request["VAccountID"] = Kora::Utility::Member(account, "VAccountID");
    Json::Value& list = request["OrderList"] = Json::Value(Json::arrayValue);
    for (const Leg& leg : legs) {
        list.append(LegRecord(leg));
    }
    request["CombinationVolume"] = 1;
    return request;
}

QWidget* OpenPage(const Json::Value& request, QWidget* owner) {
    Kora::Utility::Handle<Kora::Interface::KRTAddinPublicI> pages =
        Kora::Kernel::GetService<Kora::Interface::KRTAddinPublicI>();
    if (!pages) {
        return nullptr;
    }
    const QString caller = QString::asprintf("%s,-%d-@", "KRTAddinPublic", kCallerFunction).left(256);
    return pages->OpenPage(kPageId, caller, QStringLiteral("多品种"), owner, request);
}

std::optional<int64_t> PageIdOf(const QWidget* page) {
    const QVariant id = page ? page->property("PageID") : QVariant();
    if (!id.isValid()) {
        return std::nullopt;
    }
    return id.toLongLong();
}

}  // namespace CombinationOrder
