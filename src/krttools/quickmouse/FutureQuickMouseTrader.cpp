#include "quickmouse/FutureQuickMouseTrader.h"

#include <set>

#include "KRUI.h"
#include "kernel/EngineLog.h"
#include "kernel/HostAccess.h"
#include "kora/interface/AddinI.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/KRTConfigI.h"
#include "kora/interface/KRTEngineI.h"
#include "kora/utility/JsonAccess.h"
#include "trading/SmartOrder.h"

using Kora::Kernel::GetService;
using Kora::Utility::Handle;
using Kora::Utility::JsonDouble;
using Kora::Utility::JsonInt;
using Kora::Utility::JsonText;
using Kora::Utility::JsonWText;
using Kora::Utility::Member;
namespace I = Kora::Interface;

namespace {

// Log codes of the window's order lines.
constexpr int kCodeReorder = 1;
constexpr int kCodeOrder = 3002;
constexpr int kCodeCancel = 3004;

const char* const kCancelled = "4";
const char* const kFilled = "0";
const char* const kRejected = "5";

bool IsWorkingStatus(const std::string& status) {
    return status == "1" || status == "2";
}

void TradeLog(int level, const QString& text, int code = 0) {
    if (Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>()) {
        engine->Log(level, text, code ? QString::number(code) : QString(), QString(),
                    FutureQuickMouseTrader::kLogSource);
    }
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

QChar CodeOf(const Json::Value& record, const char* key, char fallback) {
    const QString text = JsonWText(record, key);
    return text.isEmpty() ? QLatin1Char(fallback) : text.front();
}

int64_t RemainingVolume(const Json::Value& order) {
    return JsonInt(order, Field::kOrderVolume, 0) - JsonInt(order, Field::kTradedVolume, 0);
}

// A day order like `order` (its contract, direction, offset and hedge) at another price.
FutureOrderFields OrderLike(const Json::Value& order, const QString& priceText, int64_t volume) {
    FutureOrderFields fields;
    fields.exchangeCode = JsonWText(order, Field::kExchangeCode);
    fields.contractCode = JsonWText(order, Field::kContractCode);
    fields.direction = CodeOf(order, Field::kDirection, '0');
    fields.offset = CodeOf(order, Field::kOffsetFlag, '0');
    fields.hedge = CodeOf(order, Field::kHedgeFlag, '1');
    fields.priceText = priceText;
    fields.volumeText = QString::number(volume);
    return fields;
}

}  // namespace

Handle<I::EntityAccountI> FutureQuickMouseTrader::Account() const {
    Handle<I::EntityAccountMgrI> accounts = GetService<I::EntityAccountMgrI>();
    if (!accounts || m_accountId.isEmpty()) {
        return {};
    }
    return accounts->GetAccount(AccountQuery());
}

Json::Value FutureQuickMouseTrader::AccountQuery() const {
    Json::Value query(Json::objectValue);
    query["EAccountID"] = m_accountId.toStdString();
    return query;
}

bool FutureQuickMouseTrader::IsOfWindow(const Json::Value& record) const {
    return JsonText(record, Field::kExchangeCode) == JsonText(m_contract, Field::kExchangeCode) &&
           JsonText(record, Field::kContractCode) == JsonText(m_contract, Field::kContractCode) &&
           CodeOf(record, Field::kHedgeFlag, '1') == m_choices.hedge;
}

// ---- Orders ---------------------------------------------------------------------------------

bool FutureQuickMouseTrader::PasswordAccepted() const {
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    Handle<I::KRTConfigI> config = GetService<I::KRTConfigI>();
    const Json::Value account = AccountQuery();
    const bool settingsAsk =
        config &&
        Kora::Utility::JsonBool(config->GetOrderSettings(QStringLiteral("期货"), account), "NeedPassword");
    // The settings may ask for the password on every order; otherwise the engine decides.
    return settingsAsk ? KRUI_CheckPwd(engine.Get(), account, m_owner)
                       : KRUI_CheckPwdWhenTrade(engine.Get(), account, m_owner);
}

bool FutureQuickMouseTrader::PlaceOrder(const QString& priceText, QChar direction) {
    if (!Account() || JsonText(m_contract, Field::kContractCode).empty() || !PasswordAccepted()) {
        return false;
    }
    return Send(OrderRequest(m_accountId, OrderFromChoices(m_contract, m_choices, priceText, direction)));
}

bool FutureQuickMouseTrader::Send(const Json::Value& request) {
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    if (!engine) {
        return false;
    }
    Json::Value members(Json::objectValue);
    members["ReorderEnable"] = false;
    members["CancelOrderEnable"] = false;
    const Kora::Kernel::SmartOrderResult result =
        Kora::Kernel::InsertSmartOrder(*engine, request, members, [](const Json::Value& order) {
            TradeLog(Kora::Kernel::kLogInfo, QStringLiteral("常规|快鼠下单板准备下单"));
            TradeLog(Kora::Kernel::kLogTrade, OrderLine(order), kCodeOrder);
        });
    if (!result.sent) {
        TradeLog(Kora::Kernel::kLogError, QStringLiteral("错误|") + result.error);
        KRUI_MsgBox(m_owner, result.error, QStringLiteral("提示"), Win::MB_OK | Win::MB_ICONWARNING);
        return false;
    }
    m_smartOrderIds.append(result.orderId);
    return true;
}

bool FutureQuickMouseTrader::SendCancel(I::EntityAccountI& account, const QString& orderId,
                                        const Json::Value& order, const QString& logText) {
    Json::Value request = order.isObject() ? order : Json::Value(Json::objectValue);
    request["OrderID"] = orderId.toStdString();
    TradeLog(Kora::Kernel::kLogTrade, logText.arg(orderId), kCodeCancel);
    const Json::Value answer = account.CancelOrder(request);
    if (JsonInt(answer, "ErrorCode", 0) != 0) {
        TradeLog(Kora::Kernel::kLogError,
                 QStringLiteral("错误|%1|%2").arg(orderId, JsonWText(answer, "ErrorMsg")));
        return false;
    }
    return true;
}

void FutureQuickMouseTrader::CancelOrder(const QString& orderId) {
    Handle<I::EntityAccountI> account = Account();
    if (!account) {
        return;
    }
    Json::Value query(Json::objectValue);
    query["OrderID"] = orderId.toStdString();
    SendCancel(*account, orderId, account->QueryOrder(query), QStringLiteral("%1|快鼠撤单"));
}

void FutureQuickMouseTrader::MoveOrder(const QString& orderId, const QString& priceText) {
    Handle<I::EntityAccountI> account = Account();
    if (!account) {
        return;
    }
    Json::Value query(Json::objectValue);
    query["OrderID"] = orderId.toStdString();
    const Json::Value order = account->QueryOrder(query);
    if (!order.isObject()) {
        TradeLog(Kora::Kernel::kLogError, QStringLiteral("错误|%1|委托不存在").arg(orderId));
        return;
    }
    // The re-order waits for the cancel; a cancel the host refuses leaves the order where it is.
    if (SendCancel(*account, orderId, order, QStringLiteral("%1|快鼠改单中撤单"))) {
        Json::Value reorder = OrderRequest(m_accountId, OrderLike(order, priceText, RemainingVolume(order)));
        m_reorders[orderId] = reorder;
    }
}

void FutureQuickMouseTrader::ChangeVolume(const std::vector<QString>& orderIds, const QString& volumeText) {
    Handle<I::EntityAccountI> account = Account();
    if (!account || orderIds.empty()) {
        return;
    }
    bool ok = false;
    const int volume = volumeText.trimmed().toInt(&ok);
    if (!ok || volume < 1) {
        KRUI_MsgBox(m_owner, kBadVolume, QStringLiteral("提示"), Win::MB_OK | Win::MB_ICONWARNING);
        return;
    }
    std::vector<Json::Value> orders;
    std::set<std::string> offsets;
    for (const QString& id : orderIds) {
        Json::Value query(Json::objectValue);
        query["OrderID"] = id.toStdString();
        Json::Value order = account->QueryOrder(query);
        if (order.isObject()) {
            offsets.insert(JsonText(order, Field::kOffsetFlag));
            orders.push_back(std::move(order));
        }
    }
    if (orders.empty()) {
        return;
    }
    if (!m_choices.autoOffset && offsets.size() > 1) {
        KRUI_MsgBox(m_owner, kMixedOffsets, QStringLiteral("提示"), Win::MB_OK | Win::MB_ICONWARNING);
        return;
    }
    if (KRUI_MsgBox(m_owner, kConfirmChange, QStringLiteral("提示"),
                    Win::MB_OKCANCEL | Win::MB_ICONQUESTION) != Win::IDOK) {
        return;
    }
    for (size_t i = 0; i < orders.size(); ++i) {
        SendCancel(*account, JsonWText(orders[i], "OrderID", orderIds[i]), orders[i],
                   QStringLiteral("%1|快鼠撤单"));
    }
    FutureOrderFields fields =
        OrderLike(orders.front(), JsonWText(orders.front(), Field::kOrderPrice), volume);
    if (m_choices.autoOffset) {
        fields.offset = QLatin1Char('3');
    }
    Send(OrderRequest(m_accountId, fields));
}

// ---- Answers --------------------------------------------------------------------------------

void FutureQuickMouseTrader::OnOrderAnswers(const Json::Value& payload) {
    const Json::Value& records = Member(payload, "RawContent");
    if (!records.isArray()) {
        return;
    }
    for (const Json::Value& record : records) {
        auto pending = m_reorders.find(JsonWText(record, "OrderID"));
        if (pending == m_reorders.end()) {
            continue;
        }
        const std::string status = JsonText(record, Field::kOrderStatus);
        if (status != kCancelled && status != kFilled && status != kRejected) {
            continue;
        }
        Json::Value reorder = std::move(pending->second);
        m_reorders.erase(pending);
        // Only what was still working when the cancel took effect moves; a fill in the meantime
        // must not be bought or sold twice.
        const int64_t remaining = RemainingVolume(record);
        if (status != kCancelled || remaining <= 0) {
            continue;
        }
        reorder[Field::kOrderVolume] = std::to_string(remaining);
        TradeLog(Kora::Kernel::kLogTrade, QStringLiteral("常规|快鼠改单撤单完成，准备下单"), kCodeReorder);
        Send(reorder);
    }
}

QString FutureQuickMouseTrader::OnSmartOrderReport(const Json::Value& payload) {
    const QString id = JsonWText(payload, "SmartOrderId");
    if (id.isEmpty() || !m_smartOrderIds.contains(id)) {
        return {};
    }
    const int64_t state = JsonInt(payload, "State", 0);
    // Finished smart orders are forgotten, so the list stays as long as what is still running.
    if (state == 2 || state == 3 || state == 4) {
        m_smartOrderIds.removeAll(id);
    }
    return state == 4 ? JsonWText(payload, "ErrorMsg") : QString();
}

// ---- What the window shows --------------------------------------------------------------------

std::vector<LadderOrder> FutureQuickMouseTrader::WorkingOrders() const {
    std::vector<LadderOrder> working;
    Handle<I::EntityAccountI> account = Account();
    if (!account) {
        return working;
    }
    const Json::Value orders = account->GetOrders();
    if (!orders.isArray()) {
        return working;
    }
    for (const Json::Value& order : orders) {
        if (!IsOfWindow(order) || !IsWorkingStatus(JsonText(order, Field::kOrderStatus))) {
            continue;
        }
        const std::string direction = JsonText(order, Field::kDirection);
        if (direction != "0" && direction != "1") {
            continue;
        }
        LadderOrder entry;
        entry.id = JsonWText(order, "OrderID");
        entry.side = direction == "0" ? 0 : 1;
        entry.price = JsonDouble(order, Field::kOrderPrice, 0);
        entry.volume = static_cast<int>(RemainingVolume(order));
        if (!entry.id.isEmpty() && entry.volume > 0) {
            working.push_back(entry);
        }
    }
    return working;
}

Json::Value FutureQuickMouseTrader::Positions() const {
    Json::Value positions(Json::arrayValue);
    Handle<I::EntityAccountI> account = Account();
    const Json::Value all = account ? account->GetPositions() : Json::Value();
    if (!all.isArray()) {
        return positions;
    }
    for (const Json::Value& position : all) {
        if (IsOfWindow(position)) {
            positions.append(position);
        }
    }
    return positions;
}

FutureQuickMouseTrader::Openable FutureQuickMouseTrader::OpenableVolumes() const {
    Openable openable;
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    if (!engine || JsonText(m_contract, Field::kContractCode).empty()) {
        return openable;
    }
    FutureOrderChoices opening = m_choices;
    opening.autoOffset = false;
    opening.offset = QLatin1Char('0');
    opening.volumeText.clear();
    for (QChar direction : {QLatin1Char('0'), QLatin1Char('1')}) {
        const Json::Value answer = engine->GetMaxOpenVolume(
            OrderRequest(m_accountId, OrderFromChoices(m_contract, opening, {}, direction)));
        (direction == QLatin1Char('0') ? openable.buy : openable.sell) =
            QString::number(JsonInt(answer, "MaxVolume", 0));
    }
    return openable;
}

bool FutureQuickMouseTrader::OpenConditionalOrder() const {
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
    params["Direction"] = "0";
    params["OffsetFlag"] = QString(m_choices.EffectiveOffset()).toStdString();
    conditions->Execute(QString::asprintf("-%d-@", 808), params);
    return true;
}
