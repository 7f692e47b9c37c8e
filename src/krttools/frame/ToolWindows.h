#pragma once

#include "frame/ToolWindow.h"
#include "kora/interface/ContentWindowI.h"

class CDlgFutrueQuickMouse;

// The six content-window wrappers, one per window type. Each owns exactly one tool dialog.

// "KRTToolQuickMouse": the stock quick-mouse window.
class CWDlgQuickMouse : public ToolWindow {
public:
    CWDlgQuickMouse();
};

// "KRFutureQMouse": the futures quick-mouse window. The creation parameters may name its
// trading account ("EAccountID"). It answers the host's "M_GetShowTopState" query with true
// (a trading window is kept in front), and the "QuickMouse" command brings it forward with the
// keyboard on its ladder.
class CFutureQMouseWindow : public ToolWindow, public Kora::Interface::Do2I {
public:
    explicit CFutureQMouseWindow(const Kora::Utility::WStringMap& params = {});
    bool OnNotify(const Json::Value& message, Json::Value& result) override;
    Json::Value Do(const Json::Value& command) override;

    CDlgFutrueQuickMouse* QuickMouse() const { return m_quickMouse; }

private:
    CDlgFutrueQuickMouse* m_quickMouse;
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

// "OptBatchWindow": the option batch trading board. It follows the terminal's linkage
// ("StockChanged"): a linked underlying or option switches the board to that underlying. It
// saves no parameters ("NewParam" and "SaveParam" answer an empty text).
class CWOptionBatchTrade : public KRTToolWindow {
public:
    explicit CWOptionBatchTrade(Kora::Utility::WStringMap params);
    using KRTToolWindow::OnMsg;
    void OnMsg(const QString& topic, const Json::Value& payload, const Json::Value& extra) override;
};

// "KROptionQMouse": the option quick-mouse window.
class COptionQMouseWindow : public KRTToolWindow {
public:
    explicit COptionQMouseWindow(Kora::Utility::WStringMap params);
};
