#include "frame/KRTToolsInstruct.h"

#include "analysis/CDlgOptionSellAnaly.h"
#include "analysis/CDlgOptionTradeStatistics.h"
#include "frame/HostBoundary.h"
#include "frame/KeyboardMode.h"
#include "kernel/HostAccess.h"
#include "kora/interface/ContentWindowSvcI.h"
#include "kora/interface/FrameServicesI.h"
#include "kora/utility/JsonAccess.h"
#include "option/CDlgOptionBatchTradePop.h"
#include "option/CDlgOptionPriceCalc.h"

using Kora::Utility::Handle;
using Kora::Utility::WStringMap;
namespace I = Kora::Interface;

namespace {

struct Instruct {
    const char* instruct;
    const char* name;
    const char* description;
};

constexpr Instruct kInstructs[] = {
    {"QuickMouse", "快鼠交易", "快鼠交易"},
    {"OpenShortcutTrade", "打开炒单交易", "打开炒单交易"},
    {"PopOptBatchTrade", "期权批量下单", "弹出期权批量下单界面。"},
    {"OptionSellAnaly", "期权卖方分析", "弹出期权卖方分析"},
    {"OptionPriceCalc", "期权价格计算", "弹出期权价格计算界面"},
    {"OptionTradeStatistics", "期权成交统计", "弹出期权成交统计界面"},
};

// Asks the window the host shows for the quick-mouse action.
void FocusQuickMouse() {
    Handle<I::ContentWindowSvcI> windows = Kora::Kernel::GetService<I::ContentWindowSvcI>();
    if (!windows) {
        return;
    }
    if (Handle<I::Do2I> target = windows->GetContentWindow({}).Cast<I::Do2I>()) {
        Json::Value command(Json::objectValue);
        command["Function"] = "QuickMouse";
        target->Do(command);
    }
}

// The terminal's main window, which owns the modal tools (null without the UI frame service).
QWidget* MainWindow() {
    Handle<I::UIFrameI> frame = Kora::Kernel::GetService<I::UIFrameI>();
    return frame ? frame->GetMainWindow() : nullptr;
}

}  // namespace

Kora::Utility::SharedWStringMapVector KRTToolsInstruct::GetInstructs() {
    auto instructs = std::make_shared<std::vector<WStringMap>>();
    for (const Instruct& i : kInstructs) {
        instructs->push_back({{QStringLiteral("Instruct"), QString::fromUtf8(i.instruct)},
                              {QStringLiteral("Name"), QString::fromUtf8(i.name)},
                              {QStringLiteral("Description"), QString::fromUtf8(i.description)}});
    }
    return instructs;
}

Json::Value KRTToolsInstruct::ExecuteInstruct(const Json::Value& request) {
    const std::string function = Kora::Utility::JsonText(request, "Function");
    HostBoundary::Guard(QStringLiteral("ExecuteInstruct"), [&] {
        if (function == "QuickMouse") {
            FocusQuickMouse();
        } else if (function == "OpenShortcutTrade") {
            KeyboardMode::Toggle();
        } else if (function == "PopOptBatchTrade") {
            CDlgOptionBatchTradePop dialog(MainWindow());
            dialog.DoModal();
        } else if (function == "OptionSellAnaly") {
            CDlgOptionSellAnaly dialog(MainWindow());
            dialog.DoModal();
        } else if (function == "OptionPriceCalc") {
            CDlgOptionPriceCalc dialog(MainWindow());
            dialog.DoModal();
        } else if (function == "OptionTradeStatistics") {
            CDlgOptionTradeStatistics dialog(MainWindow());
            dialog.DoModal();
        }
    });
    return Json::Value();
}
