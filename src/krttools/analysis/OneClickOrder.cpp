#include "analysis/OneClickOrder.h"

#include <algorithm>
#include <cstring>

#include "analysis/PositionRecord.h"
#include "kernel/HostAccess.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/KRTContractI.h"
#include "kora/utility/JsonAccess.h"
#include "trading/TradingCodes.h"

using Kora::Utility::JsonText;
using Kora::Utility::JsonWText;

namespace OneClickOrder {

namespace {

constexpr int32_t kCombinationPage = 1001;
constexpr int32_t kToolPageKind = 8;
constexpr int kCallerFunction = 706;

int CodeOfFirst(const Json::Value& record, const char* key, QChar fallback) {
    const QString text = JsonWText(record, key);
    return (text.isEmpty() ? fallback : text.front()).unicode();
}

template <size_t N>
void CopyText(char16_t (&field)[N], const QString& text) {
    const size_t length = std::min<size_t>(static_cast<size_t>(text.size()), N - 1);
    std::memcpy(field, text.utf16(), length * sizeof(char16_t));
    field[length] = 0;
}

}  // namespace

Json::Value OrderList(const Json::Value& positions) {
    Json::Value list(Json::arrayValue);
    for (const Json::Value& position : positions) {
        const int64_t quantity = PositionRecord::Quantity(position);
        if (!PositionRecord::IsChecked(position) || quantity <= 0) {
            continue;
        }
        Json::Value entry(Json::objectValue);
        entry["Contract"]["ExchangeCode"] = JsonText(position, Field::kExchangeCode);
        entry["Contract"]["ContractCode"] = JsonText(position, Field::kContractCode);
        entry["BS"] = CodeOfFirst(position, Field::kDirection, QChar());
        entry["OC"] = QChar(TradingCodes::Offset::kOpen).unicode();
        entry["BD"] = CodeOfFirst(position, Field::kCoveredFlag, TradingCodes::Covered::kUncovered);
        entry["Volume"] = Json::Int64(quantity);
        list.append(entry);
    }
    return list;
}

Json::Value Request(const Json::Value& account, const Json::Value& orderList) {
    Json::Value request(Json::objectValue);
    request["EAccountID"] = JsonText(account, "EAccountID");
    request["OrderList"] = orderList;
    request["VAccountID"] = JsonText(account, "VAccountID");
    request["CombinationVolume"] = 1;
    return request;
}

Kora::Interface::PageWindowRecord WindowRecord(uint32_t windowToken) {
    Kora::Interface::PageWindowRecord record;
    std::memset(&record, 0, sizeof record);
    record.window = windowToken;
    record.pageId = kCombinationPage;
    record.pageKind = kToolPageKind;
    CopyText(record.title, QStringLiteral("多品种"));
    CopyText(record.callerTag, QString::asprintf("%s,-%d-@", "KRTAddinPublic", kCallerFunction));
    return record;
}

Json::Value UnknownContract(const Json::Value& account, const Json::Value& orderList) {
    Kora::Utility::Handle<Kora::Interface::KRTContractI> contracts =
        Kora::Kernel::GetService<Kora::Interface::KRTContractI>();
    if (!contracts) {
        return Json::Value();
    }
    for (const Json::Value& entry : orderList) {
        if (!contracts->IsContractOfAccount(account, entry["Contract"])) {
            return entry;
        }
    }
    return Json::Value();
}

}  // namespace OneClickOrder
