#include "shortcut/ShortcutTrader.h"

#include <algorithm>
#include <cmath>

#include "KRUI.h"
#include "kernel/EngineLog.h"
#include "kernel/HostAccess.h"
#include "kora/interface/AccountI.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/KRTConfigI.h"
#include "kora/interface/KRTContractI.h"
#include "kora/utility/JsonAccess.h"
#include "trading/SmartOrder.h"

using Kora::Kernel::GetService;
using Kora::Utility::Handle;
using Kora::Utility::JsonInt;
using Kora::Utility::JsonText;
using Kora::Utility::JsonWText;
using Kora::Utility::Member;
namespace I = Kora::Interface;

namespace {

const QString kInvalidPrice = QStringLiteral("价格无效，请检查！");
const QString kStockRefused = QStringLiteral("股票账号不支持键盘快捷键交易操作！");
const QString kNotEnough = QStringLiteral("可用数量不足！");
const QString kError = QStringLiteral("错误");
const QString kNormal = QStringLiteral("常规");

enum SnapshotSide { kBid, kAsk, kLast };

// Exchanges that close today's and earlier positions with different offset flags.
bool ClosesTodayApart(const QString& exchange) {
    return exchange == QLatin1String("SHFE") || exchange == QLatin1String("INE");
}

Json::Value ContractQuery(const Json::Value& contract) {
    Json::Value query(Json::objectValue);
    query["ExchangeCode"] = JsonText(contract, Field::kExchangeCode);
    query["ContractCode"] = JsonText(contract, Field::kContractCode);
    return query;
}

}  // namespace

QString ShortcutTrader::MarketOrderRefusal(const Json::Value& contract) {
    const QString exchange = JsonWText(contract, Field::kExchangeCode);
    if (exchange == QLatin1String("SHFE")) {
        return QStringLiteral("上海期货交易所不支持市价交易！");
    }
    if (exchange == QLatin1String("DCE") && JsonInt(contract, "IsOption", 0) != 0) {
        return QStringLiteral("大连商品交易所期权不支持市价交易！");
    }
    if (exchange == QLatin1String("INE")) {
        return QStringLiteral("能源交易所不支持市价交易！");
    }
    return QString();
}

QString ShortcutTrader::MarketPriceType(const QString& exchange) {
    if (exchange.startsWith(QLatin1String("SHSE"))) {
        return QStringLiteral("a");  // best five, rest cancelled
    }
    if (exchange.startsWith(QLatin1String("SZSE"))) {
        return QStringLiteral("v");  // best five, immediate or cancel
    }
    if (exchange == QLatin1String("SHQQ-A") || exchange == QLatin1String("SZQQ-A")) {
        return QStringLiteral("p");  // market, immediate or cancel
    }
    return QStringLiteral("1");  // CZCE, CFFEX, DCE futures: plain market order
}

Handle<I::KRTEngineI> ShortcutTrader::Engine() const {
    return GetService<I::KRTEngineI>();
}

void ShortcutTrader::Log(const QString& kind, const QString& text) {
    if (Handle<I::KRTEngineI> engine = Engine()) {
        int level = kind == kError ? Kora::Kernel::kLogError : Kora::Kernel::kLogInfo;
        engine->Log(level, kind + QLatin1Char('|') + text + QLatin1Char('|'), {}, {},
                    QStringLiteral("键盘下单"));
    }
}

void ShortcutTrader::Tell(const QString& text) {
    KRUI_MsgBox(m_owner, text, QStringLiteral("提示"), Win::MB_OK | Win::MB_ICONINFORMATION);
}

bool ShortcutTrader::Ask(const QString& question) {
    return KRUI_MsgBox(m_owner, question, QStringLiteral("提示"), Win::MB_YESNO | Win::MB_ICONQUESTION) ==
           Win::IDYES;
}

bool ShortcutTrader::IsStockAccount() const {
    Json::Value query(Json::objectValue);
    query["EAccountID"] = Member(m_account, "EAccountID");
    int category = Engine()->GetAccountCategory(query);
    return category == 0 || category == 5;
}

bool ShortcutTrader::CheckAccount(const QString& failureLog) {
    if (JsonText(m_account, "EAccountID").empty()) {
        Tell(QStringLiteral("账号不存在！"));
        Log(kError, failureLog);
        return false;
    }
    if (IsStockAccount()) {
        Tell(kStockRefused);
        Log(kError, failureLog);
        return false;
    }
    return true;
}

std::optional<double> ShortcutTrader::SnapshotPrice(const Json::Value& contract, int which, bool) {
    Handle<I::KRTContractI> contracts = GetService<I::KRTContractI>();
    I::QuoteSnapshot snapshot{};
    if (!contracts || !contracts->GetSnapshot(ContractQuery(contract), snapshot)) {
        return std::nullopt;
    }
    int64_t divisor = JsonInt(contract, "PriceDivisor", snapshot.priceDivisor);
    if (divisor <= 0) {
        return std::nullopt;
    }
    int32_t raw = which == kBid   ? snapshot.book[0].bid.price
                  : which == kAsk ? snapshot.book[0].ask.price
                                  : snapshot.last;
    return static_cast<double>(raw) / static_cast<double>(divisor);
}

std::optional<ShortcutTrader::OrderPrice> ShortcutTrader::PriceOfChoice(const Json::Value& contract,
                                                                        QChar choice, bool buy) {
    switch (choice.unicode()) {
        case '2':
        case '3':
            return OrderPrice{OrderPrice::kNone, 0};
        case '6': {
            QString refusal = MarketOrderRefusal(contract);
            if (!refusal.isEmpty()) {
                Tell(refusal);
                return std::nullopt;
            }
            return OrderPrice{OrderPrice::kMarket, 0};
        }
        default:
            break;
    }
    int side = choice == QLatin1Char('1')   ? (buy ? kAsk : kBid)
               : choice == QLatin1Char('4') ? (buy ? kBid : kAsk)
                                            : kLast;
    std::optional<double> base = SnapshotPrice(contract, side, buy);
    double tick = Kora::Utility::JsonDouble(contract, Field::kTickSize, 0.0);
    double price = base ? *base + (buy ? 1 : -1) * m_settings.extraTicks * tick : 0.0;
    if (!base || std::fabs(price) < 1e-12) {
        Tell(kInvalidPrice);
        Log(kError, kInvalidPrice);
        return std::nullopt;
    }
    return OrderPrice{OrderPrice::kLimit, price};
}

Json::Value ShortcutTrader::Request(const Json::Value& contract, const Leg& leg,
                                    const OrderPrice& price) const {
    Json::Value request(Json::objectValue);
    request["EAccountID"] = Member(m_account, "EAccountID");
    request[Field::kExchangeCode] = JsonText(contract, Field::kExchangeCode);
    request[Field::kContractCode] = JsonText(contract, Field::kContractCode);
    request[Field::kOffsetFlag] = QString(leg.offset).toStdString();
    request[Field::kDirection] = QString(leg.direction).toStdString();
    std::string hedge = "1";
    if (Handle<I::KRTConfigI> config = GetService<I::KRTConfigI>()) {
        hedge = JsonText(config->GetOrderSettings(QStringLiteral("期货"), m_account), "DefaultHedge", "1");
    }
    request[Field::kHedgeFlag] = hedge;
    request[Field::kOrderVolume] = leg.volume;
    request[Field::kOrderChannel] = "1";
    request[Field::kForceClose] = "0";
    if (price.kind == OrderPrice::kLimit) {
        int decimals = static_cast<int>(JsonInt(contract, "PriceDecimals", 2));
        request[Field::kPriceType] = "2";
        request[Field::kOrderPrice] =
            QString::number(price.price, 'f', std::clamp(decimals, 0, 8)).toStdString();
        request[Field::kTimeCondition] = "3";
        request[Field::kVolumeCondition] = "1";
    } else if (price.kind == OrderPrice::kMarket) {
        request[Field::kPriceType] = MarketPriceType(JsonWText(contract, Field::kExchangeCode)).toStdString();
        request[Field::kTimeCondition] = "1";
        request[Field::kVolumeCondition] = "1";
    }
    return request;
}

bool ShortcutTrader::Send(const Json::Value& request, const Json::Value& members) {
    Json::Value orderMembers = members.isObject() ? members : Json::Value(Json::objectValue);
    orderMembers["SoftwareType"] = "键盘下单";
    orderMembers["OrderMode"] = "手动";
    Kora::Kernel::SmartOrderResult result = Kora::Kernel::InsertSmartOrder(*Engine(), request, orderMembers);
    if (!result.sent) {
        Tell(result.error);
        Log(kError, result.error);
        return false;
    }
    m_smartOrderIds << result.orderId;
    return true;
}

Json::Value ShortcutTrader::PositionsOf(const Json::Value& contract) {
    Json::Value mine(Json::arrayValue);
    Json::Value all = Engine()->GetPositions(m_account);
    if (!all.isArray()) {
        return mine;
    }
    for (const Json::Value& p : all) {
        if (JsonText(p, Field::kContractCode) == JsonText(contract, Field::kContractCode) &&
            JsonText(p, Field::kExchangeCode) == JsonText(contract, Field::kExchangeCode)) {
            mine.append(p);
        }
    }
    return mine;
}

std::optional<std::vector<ShortcutTrader::Leg>> ShortcutTrader::ClosingLegs(const Json::Value& contract,
                                                                            QChar positionSide, int volume) {
    int closable = 0;
    int today = 0;
    for (const Json::Value& p : PositionsOf(contract)) {
        if (JsonWText(p, Field::kDirection).startsWith(positionSide)) {
            closable += static_cast<int>(JsonInt(p, Field::kClosableVolume, 0));
            today += static_cast<int>(JsonInt(p, Field::kTodayClosableVolume, 0));
        }
    }
    if (volume <= 0 || volume > closable) {
        Tell(kNotEnough);
        return std::nullopt;
    }
    const QChar direction = positionSide == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0');
    std::vector<Leg> legs;
    if (ClosesTodayApart(JsonWText(contract, Field::kExchangeCode))) {
        // Today's lots close with their own flag; a trader closes them first, as the exchange
        // charges them differently and they are the ones just opened.
        int todayLots = std::clamp(today, 0, volume);
        if (todayLots > 0) {
            legs.push_back({direction, QLatin1Char('2'), todayLots});
        }
        if (volume - todayLots > 0) {
            legs.push_back({direction, QLatin1Char('1'), volume - todayLots});
        }
    } else {
        legs.push_back({direction, QLatin1Char('1'), volume});
    }
    return legs;
}

void ShortcutTrader::PlaceOrder(const Json::Value& option, int volume) {
    const QChar direction = JsonWText(option, "买卖", QStringLiteral("0")).front();
    const QChar offset = JsonWText(option, "开平", QStringLiteral("0")).front();
    const bool buy = direction == QLatin1Char('0');
    std::optional<double> base =
        SnapshotPrice(m_contract, JsonWText(option, "价格") == QStringLiteral("卖一价") ? kAsk : kBid, buy);
    double tick = Kora::Utility::JsonDouble(m_contract, Field::kTickSize, 0.0);
    double price = base ? *base + (buy ? 1 : -1) * JsonInt(option, "超价", 0) * tick : 0.0;
    if (!base || std::fabs(price) < 1e-12) {
        Tell(kInvalidPrice);
        Log(kError, kInvalidPrice);
        return;
    }
    Handle<I::KRTEngineI> engine = Engine();
    std::vector<Leg> legs{{direction, offset, volume}};
    Json::Value preview = Request(m_contract, legs.front(), {OrderPrice::kLimit, price});
    if (!m_settings.orderWithoutConfirm) {
        if (!engine->ConfirmOrder(preview, m_owner)) {
            Log(kNormal, QStringLiteral("用户取消一键下单"));
            return;
        }
    }
    if (!KRUI_CheckPwdWhenTrade(engine.Get(), m_account, m_owner)) {
        Log(kError, QStringLiteral("一键下单校验密码失败|"));
        return;
    }
    if (offset == QLatin1Char('1')) {
        auto closing = ClosingLegs(m_contract, buy ? QLatin1Char('1') : QLatin1Char('0'), volume);
        if (!closing) {
            return;
        }
        legs = *closing;
    }
    for (const Leg& leg : legs) {
        Send(Request(m_contract, leg, {OrderPrice::kLimit, price}));
    }
}

void ShortcutTrader::Cancel(CancelKind kind) {
    static const std::map<CancelKind, std::pair<const char*, const char*>> kTexts = {
        {kCancelBuys, {"撤买", "您是否确认撤销所有未成交的买单委托？"}},
        {kCancelSells, {"撤卖", "您是否确认撤销所有未成交的卖单委托？"}},
        {kCancelAll, {"撤全部", "您是否确认撤销所有未成交的委托？"}},
        {kCancelLast, {"撤最后", "您是否确认撤销最近一笔未成交的委托？"}},
    };
    const QString name = QString::fromUtf8(kTexts.at(kind).first);
    if (!JsonText(m_account, "EAccountID").empty() && IsStockAccount()) {
        Tell(kStockRefused);
        return;
    }
    if (!m_settings.cancelWithoutConfirm && !Ask(QString::fromUtf8(kTexts.at(kind).second))) {
        Log(kNormal, QStringLiteral("用户取消一键") + name);
        return;
    }
    Handle<I::EntityAccountMgrI> accounts = GetService<I::EntityAccountMgrI>();
    Json::Value query(Json::objectValue);
    query["EAccountID"] = Member(m_account, "EAccountID");
    if (!accounts || !accounts->GetAccount(query)) {
        Log(kError, QStringLiteral("一键%1校验账号失败").arg(name));
        return;
    }
    Json::Value orders = Engine()->GetCancellableOrders(m_account);
    std::vector<Json::Value> chosen;
    if (orders.isArray()) {
        for (const Json::Value& order : orders) {
            const std::string direction = JsonText(order, Field::kDirection);
            if ((kind == kCancelBuys && direction != "0") || (kind == kCancelSells && direction != "1")) {
                continue;
            }
            chosen.push_back(order);
        }
    }
    if (kind == kCancelLast && chosen.size() > 1) {
        // The engine lists orders oldest first.
        chosen.erase(chosen.begin(), chosen.end() - 1);
    }
    for (const Json::Value& order : chosen) {
        Json::Value cancel(Json::objectValue);
        cancel["EAccountID"] = Member(m_account, "EAccountID");
        for (const char* key : {Field::kExchangeCode, Field::kContractCode, Field::kExchangeOrderId,
                                Field::kAccountNumber, Field::kSession, "OrderID"}) {
            if (!Member(order, key).isNull()) {
                cancel[key] = order[key];
            }
        }
        Engine()->CancelOrder(cancel);
    }
    Log(kNormal, name);
}

void ShortcutTrader::CloseAll() {
    if (!CheckAccount(QStringLiteral("一键全平参数检查失败"))) {
        return;
    }
    if (!m_settings.closeWithoutConfirm && !Ask(QStringLiteral("您是否确认对所有持仓执行平仓操作？  "))) {
        Log(kNormal, QStringLiteral("用户取消一键全平"));
        return;
    }
    Handle<I::KRTEngineI> engine = Engine();
    if (!KRUI_CheckPwdWhenTrade(engine.Get(), m_account, m_owner)) {
        Log(kError, QStringLiteral("一键全平校验密码失败"));
        return;
    }
    Handle<I::KRTContractI> contracts = GetService<I::KRTContractI>();
    Json::Value positions = engine->GetPositions(m_account);
    // One close per contract and side, over that side's whole closable quantity.
    std::map<std::pair<std::string, std::string>, std::map<QChar, int>> closable;
    if (positions.isArray()) {
        for (const Json::Value& p : positions) {
            QString side = JsonWText(p, Field::kDirection);
            if (!side.isEmpty()) {
                closable[{JsonText(p, Field::kExchangeCode), JsonText(p, Field::kContractCode)}]
                        [side.front()] += static_cast<int>(JsonInt(p, Field::kClosableVolume, 0));
            }
        }
    }
    for (const auto& [key, sides] : closable) {
        Json::Value query(Json::objectValue);
        query["ExchangeCode"] = key.first;
        query["ContractCode"] = key.second;
        Json::Value contract = contracts ? contracts->GetContract(query) : Json::Value();
        for (const auto& [side, volume] : sides) {
            if (volume <= 0) {
                continue;
            }
            bool buy = side != QLatin1Char('0');
            std::optional<OrderPrice> price = PriceOfChoice(contract, m_settings.closePrice, buy);
            auto legs = price ? ClosingLegs(contract, side, volume) : std::nullopt;
            if (!legs) {
                Log(kError, QStringLiteral("一键全平参数检查失败"));
                continue;
            }
            for (const Leg& leg : *legs) {
                Send(Request(contract, leg, *price));
            }
        }
    }
    Log(kNormal, QStringLiteral("一键全平"));
}

std::optional<int> ShortcutTrader::NetPositionForAction(const QString& action) {
    if (!CheckAccount(QStringLiteral("一键%1参数检查失败").arg(action))) {
        return std::nullopt;
    }
    int longs = 0;
    int shorts = 0;
    for (const Json::Value& p : PositionsOf(m_contract)) {
        (JsonText(p, Field::kDirection) == "0" ? longs : shorts) +=
            static_cast<int>(JsonInt(p, Field::kPositionVolume, 0));
    }
    if (longs == shorts) {
        Tell(QStringLiteral("持仓为0或是持有等量的双向持仓，无法执行%1操作!").arg(action));
        return std::nullopt;
    }
    if (!m_settings.orderWithoutConfirm &&
        !Ask(QStringLiteral("您是否确认对当前合约执行%1操作？  ").arg(action))) {
        Log(kNormal, QStringLiteral("用户取消一键") + action);
        return std::nullopt;
    }
    if (!KRUI_CheckPwdWhenTrade(Engine().Get(), m_account, m_owner)) {
        Log(kError, QStringLiteral("一键%1校验密码失败").arg(action));
        return std::nullopt;
    }
    return longs - shorts;
}

void ShortcutTrader::Lock() {
    std::optional<int> netLong = NetPositionForAction(QStringLiteral("锁仓"));
    if (!netLong) {
        return;
    }
    // Locking opens the other side for the net position, so long and short end equal.
    const bool buy = *netLong < 0;
    std::optional<OrderPrice> price = PriceOfChoice(m_contract, m_settings.lockPrice, buy);
    if (!price) {
        return;
    }
    Send(Request(m_contract,
                 {buy ? QLatin1Char('0') : QLatin1Char('1'), QLatin1Char('0'), std::abs(*netLong)}, *price));
    Log(kNormal, QStringLiteral("一键锁仓"));
}

void ShortcutTrader::Reverse() {
    std::optional<int> netLong = NetPositionForAction(QStringLiteral("反手"));
    if (!netLong) {
        return;
    }
    // Reversing closes the net position and opens as much on the other side.
    const QChar netSide = *netLong > 0 ? QLatin1Char('0') : QLatin1Char('1');
    const int net = std::abs(*netLong);
    const bool buy = netSide == QLatin1Char('1');
    std::optional<OrderPrice> price = PriceOfChoice(m_contract, m_settings.reversePrice, buy);
    if (!price) {
        return;
    }
    auto legs = ClosingLegs(m_contract, netSide, net);
    if (!legs) {
        Log(kError, QStringLiteral("一键反手参数检查失败"));
        return;
    }
    legs->push_back({buy ? QLatin1Char('0') : QLatin1Char('1'), QLatin1Char('0'), net});
    for (const Leg& leg : *legs) {
        Json::Value request = Request(m_contract, leg, *price);
        // The opening leg waits for the closing ones, so margin is freed before it is used.
        request["Parallelism"] = false;
        request["TimeSpan"] = 0;
        Send(request);
    }
    Log(kNormal, QStringLiteral("一键反手"));
}
