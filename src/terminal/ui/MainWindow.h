#pragma once

#include <QMainWindow>
#include <memory>

#include "host/HostRuntime.h"
#include "ui/AccountActions.h"

class QLabel;
class QTimer;

namespace Terminal::Ui {

class AccountPanel;
class KeyRouter;
class MarketWatch;
class ToolDock;

// The terminal's main window: the market watch in the middle, the accounts below, the
// component's tool windows docked around them, and the menus that open tools ("工具": every
// window type the content-window providers offer, by "MenuName", then every instruct, by
// "Name"), choose and log accounts in and out ("账户"), and list the open windows and bring the
// default arrangement back ("窗口").
//
// While it exists it is the terminal's main window for the UI frame service, the presenter of
// the combination order page and of the conditional order page, and the keyboard's router.
// A content window that a component parents to the main window itself (the keyboard order strip)
// floats above it instead of covering the menus.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(HostRuntime& runtime, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Creates a content window of the type and docks it; null when no provider made one. The
    // dock's object name, by which a saved window state finds it, is dockName when that is free,
    // else the type, numbered when another dock has it.
    ToolDock* OpenTool(const QString& type, const QString& dockName = {});
    // The docks that hold a tool window (a closed dock is gone from here at once).
    QList<ToolDock*> ToolDocks() const;
    void CloseAllTools();
    // The arrangement of a first start: no tool windows, the accounts docked below the market
    // watch, the first category, the window's initial size.
    void ArrangeDefault();
    // Runs one of the component's instructs ({"Function": instruct}).
    void RunInstruct(const QString& instruct);

    MarketWatch* Watch() const { return m_watch; }
    AccountPanel* Accounts() const { return m_accounts; }
    QMenu* ToolsMenu() const { return m_toolsMenu; }
    QMenu* AccountsMenu() const { return m_accountsMenu; }
    QMenu* WindowsMenu() const { return m_windowsMenu; }
    AccountActions& Actions() { return m_actions; }

protected:
    void childEvent(QChildEvent* event) override;

private:
    void BuildMenus();
    void FillToolsMenu();
    void FillWindowsMenu();
    void BuildStatusBar();
    void UpdateStatus();
    void InstallPages();
    QString WindowTypeName(const QString& type) const;
    QString FreeDockName(const QString& wanted, const QString& type) const;
    Kora::Utility::Handle<Kora::Interface::ContentWindowI> WindowHolding(QWidget* widget) const;
    void FloatStrayWindows();
    void ReleaseStrayWindows();

    HostRuntime& m_runtime;
    AccountActions m_actions;
    MarketWatch* m_watch = nullptr;
    AccountPanel* m_accounts = nullptr;
    QDockWidget* m_accountsDock = nullptr;
    QMenu* m_toolsMenu = nullptr;
    QMenu* m_accountsMenu = nullptr;
    QMenu* m_windowsMenu = nullptr;
    QLabel* m_accountStatus = nullptr;
    QLabel* m_marketStatus = nullptr;
    QLabel* m_clockStatus = nullptr;
    QTimer* m_statusTimer = nullptr;
    KeyRouter* m_keys = nullptr;
};

}  // namespace Terminal::Ui
