#include "frame/ToolWindows.h"

#include "frame/PlaceholderToolDialog.h"
#include "kora/utility/JsonAccess.h"
#include "shortcut/CDlgShortcutTrade.h"

namespace {
std::unique_ptr<CKrDlgOperate> Placeholder(int templateId, const char* title) {
    return std::make_unique<PlaceholderToolDialog>(templateId, QString::fromUtf8(title));
}
}  // namespace

CWDlgQuickMouse::CWDlgQuickMouse() : ToolWindow(Placeholder(11000, "快鼠交易")) {}

CFutureQMouseWindow::CFutureQMouseWindow() : ToolWindow(Placeholder(101, "期货快鼠交易")) {}

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
    : KRTToolWindow(Placeholder(2017, "期权批量交易"), std::move(params)) {}

COptionQMouseWindow::COptionQMouseWindow(Kora::Utility::WStringMap params)
    : KRTToolWindow(Placeholder(11004, "期权快鼠交易"), std::move(params)) {}
