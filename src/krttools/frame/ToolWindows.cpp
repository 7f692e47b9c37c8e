#include "frame/ToolWindows.h"

#include "analysis/CDlgPositionAnalyze.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "option/CDlgOptionBatchTrade.h"
#include "option/CDlgOptionQuickMouse.h"
#include "platform/WinMessage.h"
#include "quickmouse/CDlgFutrueQuickMouse.h"
#include "quickmouse/DlgQuickMouse.h"
#include "shortcut/CDlgShortcutTrade.h"
#include "trading/ContractRecords.h"
#include "trading/Linkage.h"

namespace {
// The terminal announces a contract chosen in another window as "StockChanged", and one clicked
// in its quote list as "ListClick" or "ListDblClick".
const QString kLinkageTopics[] = {Kora::Interface::Topic::kStockChanged, Kora::Interface::Topic::kListClick,
                                  Kora::Interface::Topic::kListDblClick};
}  // namespace

CWDlgQuickMouse::CWDlgQuickMouse() : ToolWindow(std::make_unique<DlgQuickMouse>()) {}

namespace {
// A dialog of the window kind that trades for the account the parameters name, if any.
template <class Dialog>
std::unique_ptr<CKrDlgOperate> QuickMouseOf(const Kora::Utility::WStringMap& params) {
    auto dialog = std::make_unique<Dialog>();
    const QString account = Kora::Utility::ValueOf(params, QStringLiteral("EAccountID"));
    if (!account.isEmpty()) {
        dialog->AddParam(QStringLiteral("EAccountID"), account);
    }
    return dialog;
}

const QString kSimpleLinkage = QStringLiteral("简单联动");
}  // namespace

CFutureQMouseWindow::CFutureQMouseWindow(const Kora::Utility::WStringMap& params)
    : ToolWindow(QuickMouseOf<CDlgFutrueQuickMouse>(params)),
      m_quickMouse(static_cast<CDlgFutrueQuickMouse*>(Dialog())) {}

bool CFutureQMouseWindow::OnNotify(const Json::Value& message, Json::Value& result) {
    if (Kora::Utility::JsonText(message, "Function") == "M_GetShowTopState") {
        result = Json::Value(true);
        return true;
    }
    return ToolWindow::OnNotify(message, result);
}

Json::Value CFutureQMouseWindow::Do(const Json::Value& command) {
    if (Kora::Utility::JsonText(command, "Function") != "QuickMouse" || !m_quickMouse) {
        return Json::Value(false);
    }
    m_quickMouse->FocusLadder();
    return Json::Value(true);
}

CWDlgShortcutTrade::CWDlgShortcutTrade() : ToolWindow(std::make_unique<CDlgShortcutTrade>()) {}

bool CWDlgShortcutTrade::OnNotify(const Json::Value& message, Json::Value& result) {
    if (Kora::Utility::JsonText(message, "Function") == "Linkage" && Dialog()) {
        Json::Value request(Json::objectValue);
        request["Function"] = "ChangeStock";
        request["ActivityParam"] = Kora::Utility::Member(message, "ActivityParam");
        Dialog()->ChangeStock(request);
    }
    result = Json::Value(true);
    return true;
}

CWPositionAnalyze::CWPositionAnalyze(Kora::Utility::WStringMap params)
    : KRTToolWindow(std::make_unique<CDlgPositionAnalyze>(), std::move(params)) {}

CWOptionBatchTrade::CWOptionBatchTrade(Kora::Utility::WStringMap params)
    : KRTToolWindow(std::make_unique<CDlgOptionBatchTrade>(), std::move(params)) {
    for (const QString& topic : kLinkageTopics) {
        Subscriptions().Subscribe(topic);
    }
}

void CWOptionBatchTrade::OnMsg(const QString& topic, const Json::Value& payload, const Json::Value&) {
    // Linkage may be announced from any thread: the board takes it on its own, as a change of
    // the linked contract.
    if (Dialog() &&
        std::find(std::begin(kLinkageTopics), std::end(kLinkageTopics), topic) != std::end(kLinkageTopics)) {
        Dialog()->PostKoraMsg(Kora::Interface::Topic::kStockChanged, payload);
    }
}

COptionQMouseWindow::COptionQMouseWindow(Kora::Utility::WStringMap params)
    : KRTToolWindow(QuickMouseOf<CDlgOptionQuickMouse>(params), params),
      m_quickMouse(static_cast<CDlgOptionQuickMouse*>(Dialog())) {}

bool COptionQMouseWindow::OnNotify(const Json::Value& message, Json::Value& result) {
    using Kora::Utility::JsonWText;
    const QString function = JsonWText(message, "Function");
    if (function == QStringLiteral("M_GetShowTopState")) {
        result = Json::Value(true);
        return true;
    }
    if (function == QStringLiteral("联动行为调查")) {
        const Json::Value& receipt = Kora::Utility::Member(message, "调查回执");
        result = receipt.isObject() ? receipt : Json::Value(Json::objectValue);
        if (JsonWText(message, "CWID") != CDlgOptionQuickMouse::kLinkageId &&
            JsonWText(message, "联动频道") == QStringLiteral("0") && m_simpleLinkage) {
            result["Result"] = true;
        }
        return true;
    }
    if (function == QStringLiteral("设置联动") &&
        JsonWText(message, "CWID") == CDlgOptionQuickMouse::kLinkageId) {
        result = message;
        result["m_bSimpleLinkage"] = m_simpleLinkage ? 1 : 0;
        return true;
    }
    return KRTToolWindow::OnNotify(message, result);
}

Kora::Utility::SharedWString COptionQMouseWindow::GetSavedParams(const QString& key,
                                                                 const Kora::Utility::WStringMap& params) {
    const QString stock = Kora::Utility::ValueOf(params, QStringLiteral("STKPTR"));
    if (key == QStringLiteral("NewParam") && !stock.isEmpty() && m_quickMouse) {
        Json::Value record;
        const bool isRecord = stock.trimmed().startsWith(QLatin1Char('{')) &&
                              Kora::Utility::JsonParse(stock.toStdString(), record) && record.isObject();
        m_quickMouse->SetContract(
            isRecord ? record
                     : ContractRecords::OfKey(Linkage::LinkedStock(Json::Value(stock.toStdString()))),
            false);
    }
    return std::make_shared<QString>();
}

Kora::Interface::LRESULT COptionQMouseWindow::OnMsg(Kora::Interface::UINT message,
                                                    Kora::Interface::WPARAM wParam,
                                                    Kora::Interface::LPARAM lParam) {
    if (message == Win::WM_COMMAND && static_cast<int>(wParam) == kSimpleLinkageCommand) {
        OnMenuCommand(kSimpleLinkage);
        return 1;
    }
    return KRTToolWindow::OnMsg(message, wParam, lParam);
}

Kora::Utility::SharedWStringMapVector COptionQMouseWindow::BuildMenu() {
    Kora::Utility::SharedWStringMapVector menu = KRTToolWindow::BuildMenu();
    if (!menu) {
        menu = std::make_shared<std::vector<Kora::Utility::WStringMap>>();
    }
    menu->push_back(
        {{QStringLiteral("ID"), QString::number(kSimpleLinkageCommand)},
         {QStringLiteral("Text"), m_simpleLinkage ? QStringLiteral("✓ 简单联动") : kSimpleLinkage},
         {QStringLiteral("Identity"), kSimpleLinkage}});
    return menu;
}

void COptionQMouseWindow::OnMenuCommand(const QString& identity) {
    if (identity == kSimpleLinkage) {
        m_simpleLinkage = !m_simpleLinkage;
    }
}

void COptionQMouseWindow::PreDestroy(const Kora::Utility::WStringMap& params) {
    KRTToolWindow::PreDestroy(params);
    m_quickMouse = nullptr;
    DestroyDialog();
}
