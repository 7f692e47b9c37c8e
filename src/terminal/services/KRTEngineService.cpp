#include "services/KRTEngineService.h"

#include <cstdio>

#include "host/ErrorCodes.h"
#include "host/OrderRequest.h"
#include "host/Records.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "platform/MessageBox.h"
#include "services/AccountRecords.h"

namespace Terminal::Services {

using Kora::Utility::JsonBool;
using Kora::Utility::JsonText;
using Kora::Utility::JsonWText;
using Kora::Utility::Member;

KRTEngineService::KRTEngineService(Market::Simulator& market, OrderDesk& orders, NormalMsgCenter& messages,
                                   const ConfigStore& config, bool autoConfirm)
    : ServiceBase(QStringLiteral("交易引擎")),
      m_market(market),
      m_orders(orders),
      m_messages(messages),
      m_config(config),
      m_autoConfirm(autoConfirm) {
    const Json::Value engine = config.Section(QStringLiteral("Engine"));
    m_passwordRequired.store(JsonBool(engine, "PasswordRequired", false));
    m_currentAccount = JsonText(engine, "CurrentAccount");
    if (!m_market.Account(m_currentAccount)) {
        const auto accounts = m_market.Accounts();
        m_currentAccount = accounts.empty() ? std::string() : accounts.front().eAccountId;
    }
}

Json::Value KRTEngineService::AccountsWhere(
    const std::function<bool(const Market::TradingAccount&)>& keep) const {
    Json::Value records(Json::arrayValue);
    for (const Market::TradingAccount& account : m_market.Accounts()) {
        if (m_market.IsLoggedIn(account.eAccountId) && keep(account)) {
            records.append(Records::Account(account, true));
        }
    }
    return records;
}

Json::Value KRTEngineService::GetLoggedInAccounts() {
    return AccountsWhere([](const Market::TradingAccount&) { return true; });
}

Json::Value KRTEngineService::GetCurrentAccount() {
    const std::string id = CurrentAccountId();
    const auto account = m_market.Account(id);
    if (!account || !m_market.IsLoggedIn(id)) {
        return Json::Value();
    }
    return Records::Account(*account, true);
}

Json::Value KRTEngineService::GetProperty(const QString& name) {
    if (name == QStringLiteral("Lock")) {
        return m_locked.load();
    }
    if (name == QStringLiteral("SoftwareType")) {
        return m_config.Value(QStringLiteral("Engine"), QStringLiteral("SoftwareType"));
    }
    if (name == QStringLiteral("CurrentAccount")) {
        return CurrentAccountId();
    }
    if (name == QStringLiteral("TradingDay")) {
        const QDate day = m_market.TradingDay();
        return day.year() * 10000 + day.month() * 100 + day.day();
    }
    return Json::Value();
}

int32_t KRTEngineService::GetAccountCategory(const Json::Value& account) {
    const auto known = AccountRecords::AccountOf(m_market, account);
    return known ? known->category : -1;
}

Json::Value KRTEngineService::GetAccountsByCategory(int32_t category) {
    return AccountsWhere(
        [category](const Market::TradingAccount& account) { return account.category == category; });
}

Json::Value KRTEngineService::GetPositions(const Json::Value& account) {
    return AccountRecords::Positions(m_market, account);
}

Json::Value KRTEngineService::GetMoney(const Json::Value& account) {
    return AccountRecords::Money(m_market, account);
}

Json::Value KRTEngineService::GetOrders(const Json::Value& account) {
    return AccountRecords::Orders(m_market, account, false);
}

Json::Value KRTEngineService::GetCancellableOrders(const Json::Value& account) {
    return AccountRecords::Orders(m_market, account, true);
}

Json::Value KRTEngineService::CreateOrder(const Json::Value& request) {
    Json::Value order = ToOrderObject(request);
    if (!order.isNull() && JsonText(order, "EAccountID").empty()) {
        order["EAccountID"] = CurrentAccountId();
    }
    return order;
}

Json::Value KRTEngineService::Invoke(const QString& function, const Json::Value& params) {
    if (function == QStringLiteral("InsertSmartOrder")) {
        return m_orders.InsertSmartOrder(params);
    }
    if (function == QStringLiteral("ResolveNetPosition")) {
        return m_orders.ResolveNetPosition(params);
    }
    if (function == QStringLiteral("CancelOrder")) {
        return CancelOrder(params);
    }
    if (function == QStringLiteral("KRTEngineOption")) {
        return AccountsWhere([](const Market::TradingAccount& account) {
            return account.category == 6 || account.category == 8;
        });
    }
    if (function == QStringLiteral("GetAccount")) {
        const auto account = AccountRecords::AccountOf(m_market, params);
        return account ? Records::Account(*account, m_market.IsLoggedIn(account->eAccountId)) : Json::Value();
    }
    return ErrorAnswer(ErrorCode::kUnsupported, "不支持的操作");
}

Json::Value KRTEngineService::GetMaxOpenVolume(const Json::Value& request) {
    // The question carries no volume and often no price: ask for one unit at the last price.
    Json::Value question = request;
    if (question.isObject()) {
        const bool isOrderObject = Member(question, "Order").isObject();
        Json::Value& order = isOrderObject ? question["Order"] : question;
        const char* volume = isOrderObject ? "Volume" : Field::kOrderVolume;
        const char* price = isOrderObject ? "LimitPrice" : Field::kOrderPrice;
        if (Kora::Utility::JsonInt(order, volume, 0) <= 0) {
            order[volume] = 1;
        }
        if (JsonText(order, price).empty() && JsonText(order, "LimitPriceType").empty()) {
            order["LimitPriceType"] = "最新价";
        }
    }
    const ParsedOrder parsed = ParseOrderRequest(question, m_market, CurrentAccountId());
    Json::Value answer(Json::objectValue);
    if (!parsed.Ok()) {
        answer = ErrorAnswer(parsed.errorCode, parsed.errorMessage);
        answer["MaxVolume"] = 0;
        return answer;
    }
    answer["ErrorCode"] = 0;
    answer["MaxVolume"] = Json::Int64(m_market.MaxVolume(parsed.ticket));
    return answer;
}

bool KRTEngineService::ConfirmOrder(const Json::Value& order, Kora::Interface::WindowHandle owner) {
    if (m_autoConfirm) {
        return true;
    }
    const Json::Value& o = Member(order, "Order").isObject() ? order["Order"] : order;
    const QString text =
        QStringLiteral("确认下单？\n合约: %1  方向: %2  开平: %3\n数量: %4  价格: %5")
            .arg(JsonWText(Member(o, "Contract"), "ContractCode", JsonWText(o, Field::kContractCode)),
                 JsonWText(o, "Direction", JsonWText(o, Field::kDirection)),
                 JsonWText(o, "OffsetFlag", JsonWText(o, Field::kOffsetFlag)),
                 JsonWText(o, "Volume", JsonWText(o, Field::kOrderVolume)),
                 JsonWText(o, "LimitPrice", JsonWText(o, Field::kOrderPrice, JsonWText(o, "PriceType"))));
    return Win::ShowMessageBox(
               {owner, text, QStringLiteral("提示"), Win::MB_OKCANCEL | Win::MB_ICONQUESTION}) == Win::IDOK;
}

bool KRTEngineService::IsTradePasswordRequired(const Json::Value&) {
    return m_passwordRequired.load();
}

bool KRTEngineService::CheckTradePassword(const Json::Value& account, const QString& password) {
    PasswordCheck check;
    {
        std::lock_guard lock(m_lock);
        check = m_passwordCheck;
    }
    if (check) {
        return check(account, password);
    }
    const auto known = AccountRecords::AccountOf(m_market, account);
    return known && password.toStdString() == known->password;
}

Json::Value KRTEngineService::SendRequest(int32_t requestNo, const Json::Value& request,
                                          const Json::Value& account) {
    if (requestNo <= 0) {
        return ErrorAnswer(ErrorCode::kUnsupported, "不支持的操作");
    }
    if (!AccountRecords::AccountOf(m_market, account)) {
        return ErrorAnswer(ErrorCode::kUnknownAccount, "账号不存在");
    }
    {
        std::lock_guard lock(m_lock);
        m_requests.Add({requestNo, request, account});
    }
    Json::Value answer(Json::objectValue);
    answer["ErrorCode"] = 0;
    answer["RequestNo"] = requestNo;
    return answer;
}

Json::Value KRTEngineService::CancelOrder(const Json::Value& request) {
    return m_orders.Cancel(request, CurrentAccountId());
}

void KRTEngineService::Log(int32_t level, const QString& text, const QString& extra1, const QString& extra2,
                           const QString& source) {
    if (m_echoLog.load()) {
        std::fprintf(stderr, "[%d] %s: %s\n", level, source.toUtf8().constData(), text.toUtf8().constData());
    }
    std::lock_guard lock(m_lock);
    m_log.Add({level, text, extra1, extra2, source});
}

void KRTEngineService::SetLocked(bool locked) {
    m_locked.store(locked);
    Json::Value payload(Json::objectValue);
    payload["Lock"] = locked;
    m_messages.Post(Kora::Interface::Topic::kLockUI, payload, 0);
}

bool KRTEngineService::SetCurrentAccount(const std::string& accountId) {
    if (!m_market.Account(accountId)) {
        return false;
    }
    std::lock_guard lock(m_lock);
    m_currentAccount = accountId;
    return true;
}

std::string KRTEngineService::CurrentAccountId() const {
    std::lock_guard lock(m_lock);
    return m_currentAccount;
}

void KRTEngineService::SetPasswordCheck(PasswordCheck check) {
    std::lock_guard lock(m_lock);
    m_passwordCheck = std::move(check);
}

std::vector<KRTEngineService::LogEntry> KRTEngineService::LogEntries() const {
    std::lock_guard lock(m_lock);
    return m_log.Copy();
}

std::vector<KRTEngineService::SentRequest> KRTEngineService::SentRequests() const {
    std::lock_guard lock(m_lock);
    return m_requests.Copy();
}

}  // namespace Terminal::Services
