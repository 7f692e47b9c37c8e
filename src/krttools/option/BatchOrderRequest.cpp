#include "option/BatchOrderRequest.h"

#include <algorithm>

#include "kora/utility/JsonAccess.h"
#include "trading/CombinationOrder.h"
#include "trading/OrderTicket.h"
#include "trading/TradingCodes.h"

namespace BatchOrderRequest {

using Kora::Utility::JsonWText;
using Kora::Utility::Member;

bool AccountTradesClass(int category, char classLetter) {
    switch (category) {
        case 6:
            return classLetter == 'o' || classLetter == 'p';
        case 8:
            return classLetter == 'n';
        default:
            return false;
    }
}

std::optional<int> Quantity(const QString& text) {
    const QString digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; })) {
        return std::nullopt;
    }
    const int quantity = digits.toInt();
    if (quantity < 1 || quantity > OrderTicket::kMaxVolume) {
        return std::nullopt;
    }
    return quantity;
}

QString Refusal(const Checks& checks) {
    if (!checks.hasAccount) {
        return QStringLiteral("请您先登录交易账号再操作！");
    }
    if (!AccountTradesClass(checks.accountCategory, checks.classLetter)) {
        return QStringLiteral("你选择的期权合约与当前交易账号的类型不匹配，请核实！");
    }
    if (!checks.hasPriceType) {
        return QStringLiteral("价格错误，不能下单！");
    }
    if (checks.quantityText.trimmed().isEmpty()) {
        return QStringLiteral("请您输入数量！");
    }
    if (!Quantity(checks.quantityText)) {
        return QStringLiteral("数量不正确，请重新输入！");
    }
    if (checks.tickedLegs == 0) {
        return QStringLiteral("请您先选择期权合约再操作！");
    }
    if (!checks.incompleteLeg.isEmpty()) {
        return QStringLiteral("%1缺少合约信息或行情，不能下单，请取消勾选后再操作！")
            .arg(checks.incompleteLeg);
    }
    return {};
}

Json::Value Compose(const Json::Value& account, const QString& priceType, const std::vector<Leg>& legs,
                    int quantity) {
    namespace Codes = TradingCodes;
    Json::Value request(Json::objectValue);
    Json::Value& list = request["OrderList"] = Json::Value(Json::arrayValue);
    const QString accountId = JsonWText(account, "EAccountID");
    for (const Leg& leg : legs) {
        list.append(CombinationOrder::LegRecord(
            {leg.exchangeCode, leg.contractCode, leg.sell ? Codes::Direction::kSell : Codes::Direction::kBuy,
             Codes::Offset::kOpen, Codes::Covered::kUncovered, Json::Value(quantity), accountId}));
    }
    request["VAccountID"] = Member(account, "VAccountID");
    request["CombinationVolume"] = 1;
    request["CombinationName"] = "批量下单";
    request["PriceType"] = priceType.toStdString();
    request["HideVolume"] = true;
    return request;
}

}  // namespace BatchOrderRequest
