#include "trading/LadderWindowPresenter.h"

#include <algorithm>
#include <set>

#include "kernel/EngineLog.h"
#include "kernel/HostAccess.h"
#include "kora/interface/AddinI.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/KRTContractI.h"
#include "kora/interface/KRTEngineI.h"
#include "kora/utility/JsonAccess.h"
#include "trading/ContractRecords.h"
#include "trading/TradePrompter.h"

using Kora::Kernel::GetService;
using Kora::Utility::Handle;
using Kora::Utility::JsonBool;
using Kora::Utility::JsonDouble;
using Kora::Utility::JsonInt;
using Kora::Utility::JsonText;
using Kora::Utility::JsonWText;
using Kora::Utility::Member;
using TradingCodes::CodeOf;
namespace I = Kora::Interface;
namespace Codes = TradingCodes;

namespace {

// Log codes of the window's order lines.
constexpr int kCodeReorder = 1;
constexpr int kCodeOrder = 3002;
constexpr int kCodeCancel = 3004;

const QString kConfirmChange = QStringLiteral("改单确认");
const QString kCancelRefused = QStringLiteral("部分挂单撤单失败，未发送新委托");
const QString kBadVolume = QStringLiteral("请输入正确的委托数量");

QChar CodeOf(const Json::Value& record, const char* key, QChar fallback) {
    const QChar code = CodeOf(JsonWText(record, key));
    return code.isNull() ? fallback : code;
}

int64_t RemainingVolume(const Json::Value& order) {
    return JsonInt(order, Field::kOrderVolume, 0) - JsonInt(order, Field::kTradedVolume, 0);
}

// "%s|%s|%s|%s|%s|%d|%s|%s|%s|手动下单|快鼠下单" of an order object.
QString OrderLine(const Json::Value& object) {
    const Json::Value& order = Member(object, "Order");
    const Json::Value& ext = Member(order, "ExtRawData");
    return QStringList{JsonWText(Member(order, "Contract"), "ContractCode"),
                       JsonWText(order, "Direction"),
                       JsonWText(order, "OffsetFlag"),
                       JsonWText(ext, Field::kHedgeFlag),
                       JsonWText(order, "LimitPrice"),
                       QString::number(JsonInt(order, "Volume", 0)),
                       JsonWText(ext, Field::kPriceType),
                       JsonWText(ext, Field::kTimeCondition),
                       JsonWText(ext, Field::kVolumeCondition),
                       QStringLiteral("手动下单"),
                       QStringLiteral("快鼠下单")}
        .join(QLatin1Char('|'));
}

Json::Value OrderQuery(const QString& orderId) {
    Json::Value query(Json::objectValue);
    query["OrderID"] = orderId.toStdString();
    return query;
}

}  // namespace

LadderWindowPresenter::Setup LadderWindowPresenter::Setup::Futures() {
    Setup setup;
    setup.accountCategories = {8};
    setup.logSource = QStringLiteral("快鼠下单板");
    return setup;
}

LadderWindowPresenter::LadderWindowPresenter(Setup setup, TradePrompter& prompter)
    : m_setup(std::move(setup)),
      m_prompter(prompter),
      m_sender(m_setup.logSource, prompter),
      m_quotes([this](const I::QuotePushRecord& record) {
          if (m_show) {
              m_show(record);
          }
      }) {}

void LadderWindowPresenter::Log(int level, const QString& text, int code) const {
    if (Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>()) {
        engine->Log(level, text, code ? QString::number(code) : QString(), QString(), m_setup.logSource);
    }
}

// ---- Account and contract ---------------------------------------------------------------------

void LadderWindowPresenter::ChooseAccount(const QString& ownAccountId) {
    QString accountId = ownAccountId;
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    if (accountId.isEmpty() && engine) {
        const auto isWindowCategory = [&](int category) {
            return std::find(m_setup.accountCategories.begin(), m_setup.accountCategories.end(), category) !=
                   m_setup.accountCategories.end();
        };
        const Json::Value current = engine->GetCurrentAccount();
        if (isWindowCategory(engine->GetAccountCategory(current))) {
            accountId = JsonWText(current, "EAccountID");
        }
        for (auto category = m_setup.accountCategories.begin();
             accountId.isEmpty() && category != m_setup.accountCategories.end(); ++category) {
            const Json::Value accounts = engine->GetAccountsByCategory(*category);
            if (accounts.isArray() && !accounts.empty()) {
                accountId = JsonWText(accounts[0], "EAccountID");
            }
        }
    }
    m_accountId = accountId;
    m_policy = CategoryPolicy::OfAccount(accountId);
}

Json::Value LadderWindowPresenter::AccountQuery() const {
    Json::Value query(Json::objectValue);
    query["EAccountID"] = m_accountId.toStdString();
    return query;
}

Handle<I::EntityAccountI> LadderWindowPresenter::Account() const {
    Handle<I::EntityAccountMgrI> accounts = GetService<I::EntityAccountMgrI>();
    if (!accounts || m_accountId.isEmpty()) {
        return {};
    }
    return accounts->GetAccount(AccountQuery());
}

bool LadderWindowPresenter::IsEligible(const Json::Value& contract) const {
    if (!contract.isObject() || JsonText(contract, Field::kContractCode).empty() ||
        JsonBool(contract, "IsOption") != m_setup.tradesOptions) {
        return false;
    }
    if (m_accountId.isEmpty()) {
        return JsonWText(contract, "ProductClass") == m_policy.ConfigCategory();
    }
    Handle<I::KRTContractI> contracts = GetService<I::KRTContractI>();
    return contracts && contracts->IsContractOfAccount(AccountQuery(), ContractRecords::Query(contract));
}

std::vector<Json::Value> LadderWindowPresenter::EligibleContracts() const {
    std::vector<Json::Value> eligible;
    Handle<I::KRTContractI> contracts = GetService<I::KRTContractI>();
    const Json::Value list = contracts && !m_accountId.isEmpty()
                                 ? contracts->GetContractsOfAccount(AccountQuery())
                                 : Json::Value();
    if (list.isArray()) {
        for (const Json::Value& contract : list) {
            if (contract.isObject() && JsonBool(contract, "IsOption") == m_setup.tradesOptions) {
                eligible.push_back(contract);
            }
        }
    }
    return eligible;
}

bool LadderWindowPresenter::IsOfWindow(const Json::Value& record) const {
    const bool sameSort =
        m_policy.kind() == CategoryPolicy::Kind::kStockOption
            ? CodeOf(record, Field::kCoveredFlag, Codes::Covered::kUncovered) == m_choices.covered
            : CodeOf(record, Field::kHedgeFlag, Codes::Hedge::kSpeculation) == m_choices.hedge;
    return ContractRecords::Same(record, m_contract) && sameSort;
}

// ---- Orders -----------------------------------------------------------------------------------

OrderTicket LadderWindowPresenter::NewTicket(const Json::Value& contract, QChar hedge, QChar covered) const {
    OrderTicket ticket = m_policy.NewTicket(m_accountId, contract);
    if (!ticket.hedge.isNull()) {
        ticket.hedge = hedge;
    }
    if (!ticket.covered.isNull()) {
        ticket.covered = covered;
    }
    for (const std::string& name : m_setup.ticketFields.getMemberNames()) {
        ticket.fields[name] = m_setup.ticketFields[name];
    }
    return ticket;
}

OrderTicket LadderWindowPresenter::TicketLike(const Json::Value& order, const QString& priceText,
                                              int64_t volume) const {
    OrderTicket ticket = NewTicket(order, CodeOf(order, Field::kHedgeFlag, Codes::Hedge::kSpeculation),
                                   CodeOf(order, Field::kCoveredFlag, Codes::Covered::kUncovered));
    ticket.direction = CodeOf(order, Field::kDirection, Codes::Direction::kBuy);
    ticket.offset = CodeOf(order, Field::kOffsetFlag, Codes::Offset::kOpen);
    ticket.priceText = priceText;
    ticket.volume = volume;
    return ticket;
}

bool LadderWindowPresenter::PlaceOrder(const QString& priceText, QChar direction) {
    if (!Account() || JsonText(m_contract, Field::kContractCode).empty()) {
        return false;
    }
    bool ok = false;
    const int64_t volume = m_choices.volumeText.trimmed().toLongLong(&ok);
    if (!ok || volume < 1 || volume > OrderTicket::kMaxVolume) {
        m_prompter.Tell(kBadVolume);
        return false;
    }
    if (!m_policy.PasswordAccepted(m_accountId, m_prompter)) {
        return false;
    }
    OrderTicket ticket = NewTicket(m_contract, m_choices.hedge, m_choices.covered);
    ticket.direction = direction;
    ticket.offset = m_choices.EffectiveOffset();
    ticket.priceText = priceText;
    ticket.volume = volume;
    ticket.duration = m_choices.duration;
    return Send(ticket);
}

bool LadderWindowPresenter::Send(const OrderTicket& ticket, const Json::Value& extraMembers) {
    Json::Value members(Json::objectValue);
    members["ReorderEnable"] = false;
    members["CancelOrderEnable"] = false;
    for (const std::string& name : extraMembers.getMemberNames()) {
        members[name] = extraMembers[name];
    }
    return m_sender
        .Send(ticket, members,
              [this](const Json::Value& order) {
                  Log(Kora::Kernel::kLogInfo, QStringLiteral("常规|快鼠下单板准备下单"));
                  Log(Kora::Kernel::kLogTrade, OrderLine(order), kCodeOrder);
              })
        .sent;
}

bool LadderWindowPresenter::SendCancel(I::EntityAccountI& account, const QString& orderId,
                                       const Json::Value& order, const QString& logText) {
    Json::Value request = order.isObject() ? order : Json::Value(Json::objectValue);
    request["OrderID"] = orderId.toStdString();
    Log(Kora::Kernel::kLogTrade, logText.arg(orderId), kCodeCancel);
    const Json::Value answer = account.CancelOrder(request);
    if (JsonInt(answer, "ErrorCode", 0) != 0) {
        Log(Kora::Kernel::kLogError,
            QStringLiteral("错误|%1|%2").arg(orderId, JsonWText(answer, "ErrorMsg")));
        return false;
    }
    return true;
}

void LadderWindowPresenter::CancelOrder(const QString& orderId) {
    Handle<I::EntityAccountI> account = Account();
    if (!account) {
        return;
    }
    SendCancel(*account, orderId, account->QueryOrder(OrderQuery(orderId)),
               QStringLiteral("%1|快鼠撤单") + m_setup.cancelLogSuffix);
}

void LadderWindowPresenter::MoveOrders(const std::vector<QString>& orderIds, const QString& priceText) {
    Handle<I::EntityAccountI> account = Account();
    if (!account) {
        return;
    }
    std::map<QString, OrderTicket> reorders;
    bool allCancelled = true;
    for (const QString& orderId : orderIds) {
        const Json::Value order = account->QueryOrder(OrderQuery(orderId));
        if (!order.isObject()) {
            Log(Kora::Kernel::kLogError, QStringLiteral("错误|%1|委托不存在").arg(orderId));
            continue;
        }
        if (SendCancel(*account, orderId, order,
                       QStringLiteral("%1|快鼠改单中撤单") + m_setup.moveLogSuffix)) {
            reorders[orderId] = TicketLike(order, priceText, RemainingVolume(order));
        } else {
            allCancelled = false;
        }
    }
    if (!allCancelled) {
        m_prompter.Tell(kCancelRefused);
        return;
    }
    m_reorders.merge(reorders);
}

void LadderWindowPresenter::ChangeVolume(const std::vector<QString>& orderIds, const QString& volumeText) {
    Handle<I::EntityAccountI> account = Account();
    if (!account || orderIds.empty()) {
        return;
    }
    bool ok = false;
    const int volume = volumeText.trimmed().toInt(&ok);
    if (!ok || volume < 1 || volume > OrderTicket::kMaxVolume) {
        m_prompter.Tell(kBadVolume);
        return;
    }
    std::vector<Json::Value> orders;
    std::set<std::string> offsets;
    for (const QString& id : orderIds) {
        Json::Value order = account->QueryOrder(OrderQuery(id));
        if (order.isObject()) {
            offsets.insert(JsonText(order, Field::kOffsetFlag));
            orders.push_back(std::move(order));
        }
    }
    if (orders.empty()) {
        return;
    }
    if (!m_choices.netPosition && offsets.size() > 1) {
        m_prompter.Tell(QStringLiteral("存在开平标志不一致的挂单,不允许更改挂单数量"));
        return;
    }
    const QString question =
        m_setup.changeVolumeQuestion ? m_setup.changeVolumeQuestion(orders, volume) : kConfirmChange;
    if (!m_prompter.Confirm(question)) {
        return;
    }
    // An order that filled while the trader was deciding cannot be cancelled; replacing the
    // group then would add the new volume to lots already traded.
    bool allCancelled = true;
    for (size_t i = 0; i < orders.size(); ++i) {
        allCancelled &= SendCancel(*account, JsonWText(orders[i], "OrderID", orderIds[i]), orders[i],
                                   QStringLiteral("%1|快鼠撤单") + m_setup.cancelLogSuffix);
    }
    if (!allCancelled) {
        m_prompter.Tell(kCancelRefused);
        return;
    }
    OrderTicket ticket = TicketLike(orders.front(), JsonWText(orders.front(), Field::kOrderPrice), volume);
    if (m_choices.netPosition) {
        ticket.offset = Codes::Offset::kNetPosition;
    }
    Send(ticket);
}

// ---- Answers ----------------------------------------------------------------------------------

void LadderWindowPresenter::OnOrderAnswers(const Json::Value& payload) {
    const Json::Value& records = Member(payload, "RawContent");
    if (!records.isArray()) {
        return;
    }
    for (const Json::Value& record : records) {
        auto pending = m_reorders.find(JsonWText(record, "OrderID"));
        if (pending == m_reorders.end()) {
            continue;
        }
        const QChar status = CodeOf(JsonWText(record, Field::kOrderStatus));
        if (status != Codes::OrderStatus::kCancelled && status != Codes::OrderStatus::kFilled &&
            status != Codes::OrderStatus::kRejected) {
            continue;
        }
        OrderTicket reorder = std::move(pending->second);
        m_reorders.erase(pending);
        // Only what was still working when the cancel took effect moves; a fill in the meantime
        // must not be bought or sold twice.
        const int64_t remaining = RemainingVolume(record);
        if (status != Codes::OrderStatus::kCancelled || remaining <= 0) {
            continue;
        }
        reorder.volume = remaining;
        Log(Kora::Kernel::kLogTrade, QStringLiteral("常规|快鼠改单撤单完成，准备下单"), kCodeReorder);
        Send(reorder, m_setup.reorderMembers);
    }
}

void LadderWindowPresenter::OnSmartOrderNotice(const Json::Value& payload) {
    const SmartOrderTracker::Report report = m_sender.Tracker().Follow(payload);
    if (report.ours && report.failed) {
        m_prompter.Tell(report.error);
    }
}

// ---- What the window shows --------------------------------------------------------------------

std::vector<LadderWindowPresenter::WorkingOrder> LadderWindowPresenter::WorkingOrders() const {
    std::vector<WorkingOrder> working;
    Handle<I::EntityAccountI> account = Account();
    const Json::Value orders = account ? account->GetOrders() : Json::Value();
    if (!orders.isArray()) {
        return working;
    }
    for (const Json::Value& order : orders) {
        if (!IsOfWindow(order) || !Codes::IsWorkingStatus(CodeOf(JsonWText(order, Field::kOrderStatus)))) {
            continue;
        }
        WorkingOrder entry;
        entry.id = JsonWText(order, "OrderID");
        entry.direction = CodeOf(JsonWText(order, Field::kDirection));
        if (!Codes::IsBuyDirection(entry.direction) && !Codes::IsSellDirection(entry.direction)) {
            continue;
        }
        entry.price = JsonDouble(order, Field::kOrderPrice, 0);
        entry.volume = static_cast<int>(RemainingVolume(order));
        if (!entry.id.isEmpty() && entry.volume > 0) {
            working.push_back(entry);
        }
    }
    return working;
}

void LadderWindowPresenter::RefreshPositions() {
    m_positions = Json::Value(Json::arrayValue);
    Handle<I::EntityAccountI> account = Account();
    const Json::Value all = account ? account->GetPositions() : Json::Value();
    if (!all.isArray()) {
        return;
    }
    for (const Json::Value& position : all) {
        if (IsOfWindow(position)) {
            m_positions.append(position);
        }
    }
}

Json::Value LadderWindowPresenter::PricedPositions(double nowPrice) const {
    Json::Value priced = m_positions;
    for (Json::Value& position : priced) {
        position["NowPrice"] = nowPrice;
    }
    return priced;
}

LadderWindowPresenter::Openable LadderWindowPresenter::OpenableVolumes() const {
    Openable openable;
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    if (!engine || JsonText(m_contract, Field::kContractCode).empty()) {
        return openable;
    }
    OrderTicket ticket = NewTicket(m_contract, m_choices.hedge, m_choices.covered);
    ticket.offset = Codes::Offset::kOpen;
    for (QChar direction : {Codes::Direction::kBuy, Codes::Direction::kSell}) {
        ticket.direction = direction;
        const Json::Value answer = engine->GetMaxOpenVolume(ticket.Request());
        (direction == Codes::Direction::kBuy ? openable.buy : openable.sell) =
            QString::number(JsonInt(answer, "MaxVolume", 0));
    }
    return openable;
}

bool LadderWindowPresenter::OpenConditionalOrder() const {
    Handle<I::KRTAddinConditionI> conditions = GetService<I::KRTAddinConditionI>();
    if (!conditions || JsonText(m_contract, Field::kContractCode).empty()) {
        return false;
    }
    Json::Value params(Json::objectValue);
    params["ExchangeCode"] = JsonText(m_contract, Field::kExchangeCode);
    params["ContractCode"] = JsonText(m_contract, Field::kContractCode);
    const int volume = m_choices.volumeText.toInt();
    if (volume > 0) {
        params["Volume"] = volume;
    }
    params["PriceType"] = "对手价";
    params["Direction"] = TradingCodes::CodeText(Codes::Direction::kBuy);
    params["OffsetFlag"] = TradingCodes::CodeText(m_choices.EffectiveOffset());
    conditions->Execute(QString::asprintf("-%d-@", 808), params);
    return true;
}
