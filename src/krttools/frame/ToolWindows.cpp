#include "frame/ToolWindows.h"

#include "frame/PlaceholderToolDialog.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "option/CDlgOptionBatchTrade.h"
#include "quickmouse/CDlgFutrueQuickMouse.h"
#include "quickmouse/DlgQuickMouse.h"
#include "shortcut/CDlgShortcutTrade.h"

namespace {
// The terminal announces a contract chosen in another window as "StockChanged", and one clicked
// in its quote list as "ListClick" or "ListDblClick".
const QString kLinkageTopics[] = {Kora::Interface::Topic::kStockChanged, Kora::Interface::Topic::kListClick,
                                  Kora::Interface::Topic::kListDblClick};

std::unique_ptr<CKrDlgOperate> Placeholder(int templateId, const char* title) {
    return std::make_unique<PlaceholderToolDialog>(templateId, QString::fromUtf8(title));
}
}  // namespace

CWDlgQuickMouse::CWDlgQuickMouse() : ToolWindow(std::make_unique<DlgQuickMouse>()) {}

namespace {
std::unique_ptr<CKrDlgOperate> FuturesQuickMouse(const Kora::Utility::WStringMap& params) {
    auto dialog = std::make_unique<CDlgFutrueQuickMouse>();
    const QString account = Kora::Utility::ValueOf(params, QStringLiteral("EAccountID"));
    if (!account.isEmpty()) {
        dialog->AddParam(QStringLiteral("EAccountID"), account);
    }
    return dialog;
}
}  // namespace

CFutureQMouseWindow::CFutureQMouseWindow(const Kora::Utility::WStringMap& params)
    : ToolWindow(FuturesQuickMouse(params)), m_quickMouse(static_cast<CDlgFutrueQuickMouse*>(Dialog())) {}

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
    : KRTToolWindow(Placeholder(11003, "持仓风险分析"), std::move(params)) {}

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
    : KRTToolWindow(Placeholder(11004, "期权快鼠交易"), std::move(params)) {}
