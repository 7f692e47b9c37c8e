#include "shortcut/ShortcutTrader.h"

#include <algorithm>
#include <map>

#include "kernel/EngineLog.h"
#include "kernel/HostAccess.h"
#include "kora/interface/AccountI.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/KRTContractI.h"
#include "kora/interface/KRTEngineI.h"
#include "kora/utility/JsonAccess.h"
#include "trading/CategoryPolicy.h"
#include "trading/ContractRecords.h"
#include "trading/TradePrompter.h"

using Kora::Kernel::GetService;
using Kora::Utility::Handle;
using Kora::Utility::JsonDouble;
using Kora::Utility::JsonInt;
using Kora::Utility::JsonWText;
using Kora::Utility::Member;
using TradingCodes::CodeOf;
namespace I = Kora::Interface;
namespace Codes = TradingCodes;

namespace {

const QString kInvalidPrice = QStringLiteral("价格无效，请检查！");
const QString kStockRefused = QStringLiteral("股票账号不支持键盘快捷键交易操作！");
const QString kNotEnough = QStringLiteral("可用数量不足！");
const QString kError = QStringLiteral("错误");
const QString kNormal = QStringLiteral("常规");
const QString kLogSource = QStringLiteral("键盘下单");

enum SnapshotSide { kBid, kAsk, kLast };

QString AccountIdOf(const Json::Value& account) {
    return JsonWText(account, "EAccountID");
}

QChar OppositeOf(QChar direction) {
    return direction == Codes::Direction::kBuy ? Codes::Direction::kSell : Codes::Direction::kBuy;
}

}  // namespace

ShortcutTrader::ShortcutTrader(TradePrompter& prompter)
    : m_prompter(prompter), m_sender(kLogSource, prompter) {}

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

void ShortcutTrader::Log(const QString& kind, const QString& text) {
    const int level = kind == kError ? Kora::Kernel::kLogError : Kora::Kernel::kLogInfo;
    Kora::Kernel::WriteLog(level, kind + QLatin1Char('|') + text + QLatin1Char('|'), kLogSource);
}

void ShortcutTrader::Tell(const QString& text) {
    m_prompter.Tell(text);
}

bool ShortcutTrader::Ask(const QString& question) {
    return m_prompter.Ask(question);
}

bool ShortcutTrader::IsStockAccount() const {
    return CategoryPolicy::OfAccount(AccountIdOf(m_account)).kind() == CategoryPolicy::Kind::kStock;
}

bool ShortcutTrader::CheckAccount(const QString& failureLog) {
    if (AccountIdOf(m_account).isEmpty()) {
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

bool ShortcutTrader::PasswordAccepted(const Json::Value& account) {
    const QString accountId = AccountIdOf(account);
    return CategoryPolicy::OfAccount(accountId).PasswordAccepted(accountId, m_prompter);
}

// ---- Prices -----------------------------------------------------------------------------------

std::optional<double> ShortcutTrader::TickedPrice(const Json::Value& contract, int which, bool buy,
                                                  int extraTicks) {
    Handle<I::KRTContractI> contracts = GetService<I::KRTContractI>();
    I::QuoteSnapshot snapshot{};
    const bool quoted = contracts && contracts->GetSnapshot(ContractRecords::Query(contract), snapshot);
    const int64_t divisor = JsonInt(contract, "PriceDivisor", snapshot.priceDivisor);
    const int32_t raw = which == kBid   ? snapshot.book[0].bid.price
                        : which == kAsk ? snapshot.book[0].ask.price
                                        : snapshot.last;
    // An empty side (no asks at the upper limit, no bids at the lower) has no price to add
    // ticks to; neither is a price at or below zero one to send.
    if (quoted && divisor > 0 && raw > 0) {
        const double tick = JsonDouble(contract, Field::kTickSize, 0.0);
        const double price =
            static_cast<double>(raw) / static_cast<double>(divisor) + (buy ? 1 : -1) * extraTicks * tick;
        if (price > 1e-12) {
            return price;
        }
    }
    Tell(kInvalidPrice);
    Log(kError, kInvalidPrice);
    return std::nullopt;
}

std::optional<ShortcutTrader::OrderPrice> ShortcutTrader::PriceOfChoice(const Json::Value& contract,
                                                                        QChar choice, bool buy) {
    switch (choice.unicode()) {
        case '2':
        case '3':
            return OrderPrice{OrderTicket::Pricing::kEngineRule, 0};
        case '6': {
            const QString refusal = MarketOrderRefusal(contract);
            if (!refusal.isEmpty()) {
                Tell(refusal);
                return std::nullopt;
            }
            return OrderPrice{OrderTicket::Pricing::kMarket, 0};
        }
        default:
            break;
    }
    const int side = choice == QLatin1Char('1')   ? (buy ? kAsk : kBid)
                     : choice == QLatin1Char('4') ? (buy ? kBid : kAsk)
                                                  : kLast;
    const std::optional<double> price = TickedPrice(contract, side, buy, m_settings.extraTicks);
    if (!price) {
        return std::nullopt;
    }
    return OrderPrice{OrderTicket::Pricing::kLimit, *price};
}

// ---- Orders -----------------------------------------------------------------------------------

OrderTicket ShortcutTrader::Ticket(const Json::Value& account, const Json::Value& contract, QChar direction,
                                   QChar offset, int64_t volume, const OrderPrice& price) const {
    const QString accountId = AccountIdOf(account);
    const CategoryPolicy policy = CategoryPolicy::OfAccount(accountId);
    OrderTicket ticket = policy.NewTicket(accountId, contract);
    ticket.direction = direction;
    ticket.offset = offset;
    // Every keyboard order carries a hedge flag: the one the account's own category chooses.
    ticket.hedge = policy.DefaultHedge(accountId);
    ticket.volume = volume;
    ticket.pricing = price.pricing;
    if (price.pricing == OrderTicket::Pricing::kLimit) {
        const int decimals = static_cast<int>(JsonInt(contract, "PriceDecimals", 2));
        ticket.priceText = QString::number(price.price, 'f', std::clamp(decimals, 0, 8));
    }
    ticket.fields[Field::kOrderChannel] = "1";
    ticket.fields[Field::kForceClose] = "0";
    return ticket;
}

OrderSender::Outcome ShortcutTrader::Send(const OrderTicket& ticket) {
    Json::Value members(Json::objectValue);
    members["SoftwareType"] = kLogSource.toStdString();
    members["OrderMode"] = "手动";
    return m_sender.Send(ticket, members);
}

Json::Value ShortcutTrader::PositionsOf(const Json::Value& account, const Json::Value& contract) {
    Json::Value mine(Json::arrayValue);
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    const Json::Value all = engine ? engine->GetPositions(account) : Json::Value();
    if (!all.isArray()) {
        return mine;
    }
    for (const Json::Value& position : all) {
        if (ContractRecords::Same(position, contract)) {
            mine.append(position);
        }
    }
    return mine;
}

std::optional<std::vector<CloseTodayRule::ClosingLeg>> ShortcutTrader::ClosingLegs(
    const Json::Value& account, const Json::Value& contract, QChar positionSide, int64_t volume) {
    int64_t closable = 0;
    int64_t today = 0;
    for (const Json::Value& position : PositionsOf(account, contract)) {
        if (CodeOf(JsonWText(position, Field::kDirection)) == positionSide) {
            closable += JsonInt(position, Field::kClosableVolume, 0);
            today += JsonInt(position, Field::kTodayClosableVolume, 0);
        }
    }
    if (volume <= 0 || volume > closable) {
        Tell(kNotEnough);
        return std::nullopt;
    }
    return CloseTodayRule::Split(JsonWText(contract, Field::kExchangeCode), volume, today);
}

void ShortcutTrader::PlaceOrder(const OrderKey& key, int64_t volume) {
    // What the confirmation shows is what is sent: nothing below reads the strip's state again.
    const Json::Value account = m_account;
    const Json::Value contract = m_contract;
    const bool buy = key.direction == Codes::Direction::kBuy;
    const std::optional<double> price = TickedPrice(contract, key.atAsk ? kAsk : kBid, buy, key.extraTicks);
    if (!price) {
        return;
    }
    const OrderPrice limit{OrderTicket::Pricing::kLimit, *price};
    const OrderTicket keyed = Ticket(account, contract, key.direction, key.offset, volume, limit);
    std::vector<OrderTicket> tickets{keyed};
    if (key.offset == Codes::Offset::kClose) {
        const auto legs = ClosingLegs(account, contract, OppositeOf(key.direction), volume);
        if (!legs) {
            return;
        }
        tickets.clear();
        for (const auto& leg : *legs) {
            tickets.push_back(Ticket(account, contract, key.direction, leg.offset, leg.volume, limit));
        }
    }
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    if (!m_settings.orderWithoutConfirm && !(engine && m_prompter.ConfirmOrder(*engine, keyed.Request()))) {
        Log(kNormal, QStringLiteral("用户取消一键下单"));
        return;
    }
    if (!PasswordAccepted(account)) {
        Log(kError, QStringLiteral("一键下单校验密码失败|"));
        return;
    }
    for (const OrderTicket& ticket : tickets) {
        Send(ticket);
    }
}

void ShortcutTrader::Cancel(CancelKind kind) {
    static const std::map<CancelKind, std::pair<const char*, const char*>> kTexts = {
        {kCancelBuys, {"撤买", "您是否确认撤销所有未成交的买单委托？"}},
        {kCancelSells, {"撤卖", "您是否确认撤销所有未成交的卖单委托？"}},
        {kCancelAll, {"撤全部", "您是否确认撤销所有未成交的委托？"}},
        {kCancelLast, {"撤最后", "您是否确认撤销最近一笔未成交的委托？"}},
    };
    const Json::Value account = m_account;
    const QString name = QString::fromUtf8(kTexts.at(kind).first);
    if (!AccountIdOf(account).isEmpty() && IsStockAccount()) {
        Tell(kStockRefused);
        return;
    }
    if (!m_settings.cancelWithoutConfirm && !Ask(QString::fromUtf8(kTexts.at(kind).second))) {
        Log(kNormal, QStringLiteral("用户取消一键") + name);
        return;
    }
    Handle<I::EntityAccountMgrI> accounts = GetService<I::EntityAccountMgrI>();
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    Json::Value query(Json::objectValue);
    query["EAccountID"] = Member(account, "EAccountID");
    if (!accounts || !engine || !accounts->GetAccount(query)) {
        Log(kError, QStringLiteral("一键%1校验账号失败").arg(name));
        return;
    }
    const Json::Value orders = engine->GetCancellableOrders(account);
    std::vector<Json::Value> chosen;
    if (orders.isArray()) {
        for (const Json::Value& order : orders) {
            const QChar direction = CodeOf(JsonWText(order, Field::kDirection));
            if ((kind == kCancelBuys && direction != Codes::Direction::kBuy) ||
                (kind == kCancelSells && direction != Codes::Direction::kSell)) {
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
        cancel["EAccountID"] = Member(account, "EAccountID");
        for (const char* key : {Field::kExchangeCode, Field::kContractCode, Field::kExchangeOrderId,
                                Field::kAccountNumber, Field::kSession, "OrderID"}) {
            if (!Member(order, key).isNull()) {
                cancel[key] = order[key];
            }
        }
        engine->CancelOrder(cancel);
    }
    Log(kNormal, name);
}

void ShortcutTrader::CloseAll() {
    if (!CheckAccount(QStringLiteral("一键全平参数检查失败"))) {
        return;
    }
    const Json::Value account = m_account;
    if (!m_settings.closeWithoutConfirm && !Ask(QStringLiteral("您是否确认对所有持仓执行平仓操作？  "))) {
        Log(kNormal, QStringLiteral("用户取消一键全平"));
        return;
    }
    if (!PasswordAccepted(account)) {
        Log(kError, QStringLiteral("一键全平校验密码失败"));
        return;
    }
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    Handle<I::KRTContractI> contracts = GetService<I::KRTContractI>();
    const Json::Value positions = engine ? engine->GetPositions(account) : Json::Value();
    // One close per contract and side, over that side's whole closable quantity.
    std::map<std::pair<QString, QString>, std::map<QChar, int64_t>> closable;
    if (positions.isArray()) {
        for (const Json::Value& position : positions) {
            const QChar side = CodeOf(JsonWText(position, Field::kDirection));
            if (!side.isNull()) {
                closable[{JsonWText(position, Field::kExchangeCode),
                          JsonWText(position, Field::kContractCode)}][side] +=
                    JsonInt(position, Field::kClosableVolume, 0);
            }
        }
    }
    for (const auto& [key, sides] : closable) {
        const Json::Value contract =
            contracts ? contracts->GetContract(ContractRecords::Query(key.first, key.second)) : Json::Value();
        for (const auto& [side, volume] : sides) {
            if (volume <= 0) {
                continue;
            }
            const QChar direction = OppositeOf(side);
            const std::optional<OrderPrice> price =
                PriceOfChoice(contract, m_settings.closePrice, direction == Codes::Direction::kBuy);
            const auto legs = price ? ClosingLegs(account, contract, side, volume) : std::nullopt;
            if (!legs) {
                Log(kError, QStringLiteral("一键全平参数检查失败"));
                continue;
            }
            for (const auto& leg : *legs) {
                Send(Ticket(account, contract, direction, leg.offset, leg.volume, *price));
            }
        }
    }
    Log(kNormal, QStringLiteral("一键全平"));
}

std::optional<int64_t> ShortcutTrader::NetPositionForAction(const QString& action, const Json::Value& account,
                                                            const Json::Value& contract) {
    if (!CheckAccount(QStringLiteral("一键%1参数检查失败").arg(action))) {
        return std::nullopt;
    }
    int64_t longs = 0;
    int64_t shorts = 0;
    for (const Json::Value& position : PositionsOf(account, contract)) {
        (CodeOf(JsonWText(position, Field::kDirection)) == Codes::Direction::kBuy ? longs : shorts) +=
            JsonInt(position, Field::kPositionVolume, 0);
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
    if (!PasswordAccepted(account)) {
        Log(kError, QStringLiteral("一键%1校验密码失败").arg(action));
        return std::nullopt;
    }
    return longs - shorts;
}

void ShortcutTrader::Lock() {
    const Json::Value account = m_account;
    const Json::Value contract = m_contract;
    const std::optional<int64_t> netLong = NetPositionForAction(QStringLiteral("锁仓"), account, contract);
    if (!netLong) {
        return;
    }
    // Locking opens the other side for the net position, so long and short end equal.
    const QChar direction = *netLong < 0 ? Codes::Direction::kBuy : Codes::Direction::kSell;
    const std::optional<OrderPrice> price =
        PriceOfChoice(contract, m_settings.lockPrice, direction == Codes::Direction::kBuy);
    if (!price) {
        return;
    }
    Send(Ticket(account, contract, direction, Codes::Offset::kOpen, std::abs(*netLong), *price));
    Log(kNormal, QStringLiteral("一键锁仓"));
}

void ShortcutTrader::Reverse() {
    const Json::Value account = m_account;
    const Json::Value contract = m_contract;
    const std::optional<int64_t> netLong = NetPositionForAction(QStringLiteral("反手"), account, contract);
    if (!netLong) {
        return;
    }
    // Reversing closes the net position and opens as much on the other side.
    const QChar netSide = *netLong > 0 ? Codes::Direction::kBuy : Codes::Direction::kSell;
    const QChar direction = OppositeOf(netSide);
    const int64_t net = std::abs(*netLong);
    const std::optional<OrderPrice> price =
        PriceOfChoice(contract, m_settings.reversePrice, direction == Codes::Direction::kBuy);
    if (!price) {
        return;
    }
    const auto legs = ClosingLegs(account, contract, netSide, net);
    if (!legs) {
        Log(kError, QStringLiteral("一键反手参数检查失败"));
        return;
    }
    m_reverseLegs.clear();
    for (const auto& leg : *legs) {
        m_reverseLegs.push_back(Ticket(account, contract, direction, leg.offset, leg.volume, *price));
    }
    m_reverseLegs.push_back(Ticket(account, contract, direction, Codes::Offset::kOpen, net, *price));
    for (OrderTicket& leg : m_reverseLegs) {
        // The engine keeps the legs of a reverse in order, one at a time.
        leg.fields["Parallelism"] = false;
        leg.fields["TimeSpan"] = 0;
    }
    SendNextReverseLeg();
    Log(kNormal, QStringLiteral("一键反手"));
}

void ShortcutTrader::SendNextReverseLeg() {
    m_reverseWaitsFor.clear();
    if (m_reverseLegs.empty()) {
        return;
    }
    const OrderTicket leg = m_reverseLegs.front();
    m_reverseLegs.pop_front();
    const OrderSender::Outcome outcome = Send(leg);
    if (!outcome.sent) {
        m_reverseLegs.clear();
        return;
    }
    if (!m_reverseLegs.empty()) {
        m_reverseWaitsFor = outcome.smartOrderIds.value(0);
    }
}

void ShortcutTrader::OnSmartOrderNotice(const Json::Value& notice) {
    const SmartOrderTracker::Report report = m_sender.Tracker().Follow(notice);
    if (!report.ours) {
        return;
    }
    if (report.failed) {
        Log(kError, report.error);
        Tell(report.error);
    }
    if (m_reverseWaitsFor.isEmpty() || report.smartOrderId != m_reverseWaitsFor) {
        return;
    }
    if (report.accepted) {
        SendNextReverseLeg();
    } else if (report.failed || report.cancelled) {
        // Refused or withdrawn before the market took it: the position stays as it is rather
        // than being locked by the opening leg.
        m_reverseLegs.clear();
        m_reverseWaitsFor.clear();
        Log(kError, QStringLiteral("一键反手平仓未成功，未发送开仓委托"));
    }
}
