#pragma once

#include "frame/ToolWindow.h"
#include "kora/interface/ContentWindowI.h"

class CDlgFutrueQuickMouse;
class CDlgOptionQuickMouse;

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

// "KROptionQMouse": the option quick-mouse window. The creation parameters may name its trading
// account ("EAccountID").
//
// It keeps a simple-linkage flag (off at creation), which its context-menu command "简单联动"
// toggles. The terminal asks it through notifications, each answered into the result:
// - "M_GetShowTopState": true, as the futures window;
// - "联动行为调查" (a linkage survey, {"联动频道", "CWID", ["调查回执"]}): the receipt (or an empty
//   object) with "Result": true when the asker is another window, the channel is "0" and the
//   flag is set; the receipt unchanged otherwise;
// - "设置联动" naming this window ("CWID" "OptionQuickMouse"): the message with the flag as the
//   integer "m_bSimpleLinkage".
// The saved-parameters query answers an empty text; a "NewParam" query whose parameters hold a
// contract ("STKPTR": its "(id,code)" key or its Json record) changes the window to it.
// PreDestroy releases the subscriptions and destroys the dialog.
class COptionQMouseWindow : public KRTToolWindow {
public:
    // The menu command's identifier.
    static constexpr int kSimpleLinkageCommand = 32901;

    explicit COptionQMouseWindow(Kora::Utility::WStringMap params = {});

    bool OnNotify(const Json::Value& message, Json::Value& result) override;
    Kora::Utility::SharedWString GetSavedParams(const QString& key,
                                                const Kora::Utility::WStringMap& params) override;
    Kora::Interface::LRESULT OnMsg(Kora::Interface::UINT message, Kora::Interface::WPARAM wParam,
                                   Kora::Interface::LPARAM lParam) override;
    Kora::Utility::SharedWStringMapVector BuildMenu() override;
    void PreDestroy(const Kora::Utility::WStringMap& params) override;

    // A menu command by its "Identity".
    void OnMenuCommand(const QString& identity);
    bool SimpleLinkage() const { return m_simpleLinkage; }
    // Null once the window was destroyed.
    CDlgOptionQuickMouse* QuickMouse() const { return m_quickMouse; }

private:
    CDlgOptionQuickMouse* m_quickMouse;
    bool m_simpleLinkage = false;
};
