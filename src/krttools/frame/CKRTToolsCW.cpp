#include "frame/CKRTToolsCW.h"

#include <new>

#include "frame/ToolWindows.h"

using Kora::Utility::Handle;
using Kora::Utility::WStringMap;
namespace I = Kora::Interface;

namespace {

struct WindowType {
    const char* type;
    const char* name;
    const char* menuName;
};

constexpr WindowType kWindowTypes[] = {
    {"KRTToolQuickMouse", "快鼠交易", "快鼠交易"},
    {"KRFutureQMouse", "期货快鼠交易", "期货快鼠交易"},
    {"PositionAnalyze", "持仓风险分析", "持仓风险分析"},
    {"OptBatchWindow", "期权批量交易", "期权批量交易(&B)"},
    {"KROptionQMouse", "期权快鼠交易", "期权快鼠交易"},
    {"KRTShortcutTrade", "键盘下单", "键盘下单"},
};

I::ContentWindowI* NewWindow(const QString& type, const WStringMap& params) {
    if (type == QLatin1String("KRTToolQuickMouse")) {
        auto* window = new (std::nothrow) CWDlgQuickMouse;
        if (window) {
            window->SetTypeName(type);
        }
        return window;
    }
    if (type == QLatin1String("KRFutureQMouse")) {
        return new (std::nothrow) CFutureQMouseWindow(params);
    }
    if (type == QLatin1String("PositionAnalyze")) {
        return new (std::nothrow) CWPositionAnalyze(params);
    }
    if (type == QLatin1String("OptBatchWindow")) {
        return new (std::nothrow) CWOptionBatchTrade(params);
    }
    if (type == QLatin1String("KROptionQMouse")) {
        return new (std::nothrow) COptionQMouseWindow(params);
    }
    if (type == QLatin1String("KRTShortcutTrade")) {
        return new (std::nothrow) CWDlgShortcutTrade;
    }
    return nullptr;
}

}  // namespace

Handle<I::ContentWindowI> CKRTToolsCW::CreateContentWindow(const QString& type, const WStringMap& params) {
    return Handle<I::ContentWindowI>(NewWindow(type, params));
}

Kora::Utility::SharedWStringMapVector CKRTToolsCW::GetWindowTypes() {
    auto types = std::make_shared<std::vector<WStringMap>>();
    for (const WindowType& t : kWindowTypes) {
        types->push_back({{QStringLiteral("Type"), QString::fromUtf8(t.type)},
                          {QStringLiteral("Name"), QString::fromUtf8(t.name)},
                          {QStringLiteral("Public"), QStringLiteral("true")},
                          {QStringLiteral("MenuName"), QString::fromUtf8(t.menuName)}});
    }
    return types;
}
