#pragma once

#include "frame/ToolWindow.h"

// The six content-window wrappers, one per window type. Each owns exactly one tool dialog.

// "KRTToolQuickMouse": the stock quick-mouse window.
class CWDlgQuickMouse : public ToolWindow {
public:
    CWDlgQuickMouse();
};

// "KRFutureQMouse": the futures quick-mouse window.
class CFutureQMouseWindow : public ToolWindow {
public:
    CFutureQMouseWindow();
};

// "KRTShortcutTrade": the keyboard order strip. A "Linkage" notification hands the linked
// contract to the dialog.
class CWDlgShortcutTrade : public ToolWindow {
public:
    CWDlgShortcutTrade();
    bool OnNotify(const Json::Value& message, Json::Value& result) override;
};

// "PositionAnalyze": position risk analysis.
class CWPositionAnalyze : public KRTToolWindow {
public:
    explicit CWPositionAnalyze(Kora::Utility::WStringMap params);
};

// "OptBatchWindow": the option batch trading board.
class CWOptionBatchTrade : public KRTToolWindow {
public:
    explicit CWOptionBatchTrade(Kora::Utility::WStringMap params);
};

// "KROptionQMouse": the option quick-mouse window.
class COptionQMouseWindow : public KRTToolWindow {
public:
    explicit COptionQMouseWindow(Kora::Utility::WStringMap params);
};
