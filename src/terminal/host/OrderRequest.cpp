#include "host/OrderRequest.h"

#include <cmath>

#include "host/ContractLookup.h"
#include "host/ErrorCodes.h"
#include "kora/interface/FieldIds.h"
#include "kora/utility/JsonAccess.h"

namespace Terminal {

using Kora::Utility::JsonDouble;
using Kora::Utility::JsonText;
using Kora::Utility::Member;

namespace {

bool IsFieldNumber(const std::string& name) {
    return !name.empty() && name.find_first_not_of("0123456789") == std::string::npos;
}

bool IsMarketPriceType(const std::string& type) {
    return type == "市价" || type == "1" || type == "3" || type == "G";
}

ParsedOrder Refuse(int code, std::string message) {
    ParsedOrder parsed;
    parsed.errorCode = code;
    parsed.errorMessage = std::move(message);
    return parsed;
}

// The price a rule names, in price units; 0 when the quote has none.
int64_t PriceOfRule(const std::string& rule, bool buy, const Kora::Interface::QuoteSnapshot& s, bool& known) {
    known = true;
    int64_t price = 0;
    if (rule == "对手价") {
        price = buy ? s.book[0].ask.price : s.book[0].bid.price;
    } else if (rule == "挂单价" || rule == "排队价") {
        price = buy ? s.book[0].bid.price : s.book[0].ask.price;
    } else if (rule == "最新价") {
        price = s.last;
    } else if (rule == "涨停价") {
        return s.upperLimit;
    } else if (rule == "跌停价") {
        return s.lowerLimit;
    } else {
        known = false;
        return 0;
    }
    if (price <= 0) {
        price = s.last > 0 ? s.last : s.referencePrice;
    }
    return price;
}

struct Fields {
    Json::Value contract;
    Json::Value direction, offset, hedge, covered;
    std::string priceType;  // "市价" or a code, or empty for limit
    std::string rule;       // "CustomPrice", a rule name, or empty
    Json::Value price;
    Json::Value volume;
    Json::Value ext;  // numbered fields
};

Fields FromOrderObject(const Json::Value& order) {
    Fields f;
    f.contract = Member(order, "Contract");
    f.direction = Member(order, "Direction");
    f.offset = Member(order, "OffsetFlag");
    f.ext = Member(order, "ExtRawData");
    f.hedge = Member(order, "HedgeFlag").isNull() ? Member(f.ext, Field::kHedgeFlag) : order["HedgeFlag"];
    f.covered = Member(f.ext, Field::kCoveredFlag);
    f.priceType = JsonText(order, "PriceType");
    if (f.priceType.empty()) {
        f.priceType = JsonText(f.ext, Field::kPriceType);
    }
    f.rule = JsonText(order, "LimitPriceType");
    f.price = Member(order, "LimitPrice");
    f.volume = Member(order, "Volume");
    return f;
}

Fields FromNumberedRecord(const Json::Value& record) {
    Fields f;
    f.contract = record;
    f.direction = Member(record, Field::kDirection);
    f.offset = Member(record, Field::kOffsetFlag);
    f.hedge = Member(record, Field::kHedgeFlag);
    f.covered = Member(record, Field::kCoveredFlag);
    f.priceType = JsonText(record, Field::kPriceType);
    f.rule = JsonText(record, "LimitPriceType");
    f.price = Member(record, Field::kOrderPrice);
    f.volume = Member(record, Field::kOrderVolume);
    f.ext = record;
    return f;
}

}  // namespace

char CodeOf(const Json::Value& value, char fallback) {
    if (value.isString()) {
        const std::string text = value.asString();
        return text.empty() ? fallback : text[0];
    }
    if (value.isIntegral()) {
        const int64_t n = Kora::Utility::JsonInt(value, -1);
        if (n >= 0 && n <= 9) {
            return char('0' + n);
        }
        if (n >= 32 && n < 127) {
            return char(n);
        }
    }
    return fallback;
}

ParsedOrder ParseOrderRequest(const Json::Value& request, const Market::Simulator& market,
                              const std::string& fallbackAccount) {
    if (!request.isObject()) {
        return Refuse(ErrorCode::kMalformed, "请求格式错误");
    }
    const bool isOrderObject = Member(request, "Order").isObject();
    const Fields f = isOrderObject ? FromOrderObject(request["Order"]) : FromNumberedRecord(request);

    std::string accountId = JsonText(request, "EAccountID");
    if (accountId.empty() && isOrderObject) {
        accountId = JsonText(request["Order"], "EAccountID");
    }
    if (accountId.empty()) {
        const std::string virtualId = JsonText(request, "VAccountID");
        if (auto account = market.AccountByVirtualId(virtualId); account && !virtualId.empty()) {
            accountId = account->eAccountId;
        }
    }
    if (accountId.empty()) {
        accountId = fallbackAccount;
    }
    const auto account = market.Account(accountId);
    if (!account) {
        return Refuse(ErrorCode::kUnknownAccount, "账号不存在");
    }
    if (!market.IsLoggedIn(accountId)) {
        return Refuse(ErrorCode::kUnknownAccount, "账号未登录");
    }
    const Market::Instrument* instrument = FindInstrument(market.Catalogue(), f.contract);
    if (!instrument) {
        return Refuse(ErrorCode::kUnknownContract, "合约不存在");
    }
    if (!Market::AccountTrades(*account, *instrument)) {
        return Refuse(ErrorCode::kContractNotOfAccount, "该账号不支持此合约的交易");
    }

    ParsedOrder parsed;
    Market::OrderTicket& t = parsed.ticket;
    t.accountId = accountId;
    t.instrument = instrument->index;
    t.direction = CodeOf(f.direction, 0);
    t.offset = CodeOf(f.offset, '0');
    t.hedge = CodeOf(f.hedge, '1');
    t.covered = CodeOf(f.covered, '0');
    if (t.direction == 0) {
        return Refuse(ErrorCode::kBadDirection, "委托方向无效");
    }
    parsed.netPosition = t.offset == '3';

    const double volume = JsonDouble(f.volume, -1.0);
    if (!(volume >= 1.0) || volume != std::floor(volume) || volume > 1e9) {
        return Refuse(ErrorCode::kBadVolume, "委托数量无效");
    }
    t.volume = int64_t(volume);

    if (IsMarketPriceType(f.priceType) || f.rule == "市价") {
        t.priceKind = Market::PriceKind::Market;
    } else if (f.rule.empty() || f.rule == "CustomPrice") {
        const double price = JsonDouble(f.price, -1.0);
        if (!(price > 0) || !std::isfinite(price)) {
            return Refuse(ErrorCode::kBadPrice, "委托价格无效");
        }
        t.price = instrument->ToUnits(price);
    } else {
        bool known = false;
        t.price = PriceOfRule(f.rule, Market::IsBuyDirection(t.direction), market.Snapshot(instrument->index),
                              known);
        if (!known || t.price <= 0) {
            return Refuse(ErrorCode::kBadPrice, "委托价格无效");
        }
    }

    const std::string fak = JsonText(f.ext, Field::kTimeCondition);
    const std::string fok = JsonText(f.ext, Field::kVolumeCondition);
    if (fak == "1") {
        t.condition = fok == "3" ? Market::TimeCondition::FillOrKill : Market::TimeCondition::FillAndKill;
    }
    if (f.ext.isObject()) {
        for (const std::string& name : f.ext.getMemberNames()) {
            if (IsFieldNumber(name)) {
                t.fields.emplace_back(name, JsonText(f.ext[name]));
            }
        }
    }
    return parsed;
}

Json::Value ToOrderObject(const Json::Value& request) {
    if (!request.isObject() || JsonText(request, Field::kContractCode).empty()) {
        return Json::Value();
    }
    const std::string priceType = JsonText(request, Field::kPriceType);
    const std::string price = JsonText(request, Field::kOrderPrice);
    Json::Value order(Json::objectValue);
    order["Contract"]["ExchangeCode"] = JsonText(request, Field::kExchangeCode);
    order["Contract"]["ContractCode"] = JsonText(request, Field::kContractCode);
    order["Direction"] = JsonText(request, Field::kDirection);
    order["OffsetFlag"] = JsonText(request, Field::kOffsetFlag, "0");
    order["HedgeFlag"] = JsonText(request, Field::kHedgeFlag, "1");
    order["PriceType"] = IsMarketPriceType(priceType) ? "市价" : "限价";
    if (!IsMarketPriceType(priceType)) {
        order["LimitPriceType"] =
            price.empty() ? JsonText(request, "LimitPriceType", "对手价") : "CustomPrice";
        order["LimitPrice"] = price;
    }
    order["Volume"] = Json::Int64(Kora::Utility::JsonInt(request, Field::kOrderVolume, 0));
    Json::Value ext(Json::objectValue);
    for (const std::string& name : request.getMemberNames()) {
        if (IsFieldNumber(name)) {
            ext[name] = request[name];
        } else if (name != "EAccountID" && name != "VAccountID" && !order.isMember(name)) {
            order[name] = request[name];
        }
    }
    order["ExtRawData"] = ext;

    Json::Value object(Json::objectValue);
    object["EAccountID"] = JsonText(request, "EAccountID");
    if (request.isMember("VAccountID")) {
        object["VAccountID"] = request["VAccountID"];
    }
    object["Order"] = order;
    return object;
}

}  // namespace Terminal
