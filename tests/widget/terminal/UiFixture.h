#pragma once

#include <gtest/gtest.h>

#include <QMenu>
#include <memory>

#include "host/HostRuntime.h"
#include "ui/MainWindow.h"
#include "ui/ToolDock.h"
#include "unit/terminal/TerminalTestSupport.h"

namespace TerminalUiTest {

// The menu entry whose data is the window type or instruct; null when there is none.
QAction* MenuEntry(QMenu& menu, const QString& data);
// The menu's entry with that text, after the menu filled itself as before showing; null when
// there is none.
QAction* MenuEntryTitled(QMenu& menu, const QString& text);
// The sub-menu with that title, likewise.
QMenu* SubMenu(QMenu& menu, const QString& title);
// The dock of the window's tool window of that type; null when none is open.
Terminal::Ui::ToolDock* DockOf(Terminal::Ui::MainWindow& window, const QString& type);

// A scripted terminal with its main window, shown and active; the real component is loaded
// from the run layout unless the test says otherwise.
class UiFixture : public ::testing::Test {
protected:
    void SetUp() override { Start(true); }
    void TearDown() override;

    void Start(bool withComponent);
    Terminal::HostRuntime& Host() { return *m_host; }
    Terminal::Ui::MainWindow& Window() { return *m_window; }
    void CloseWindow() { m_window.reset(); }

private:
    std::unique_ptr<Terminal::HostRuntime> m_host;
    std::unique_ptr<Terminal::Ui::MainWindow> m_window;
};

// The same terminal without the component: what the main window does on its own.
class BareUiFixture : public UiFixture {
protected:
    void SetUp() override { Start(false); }
};

}  // namespace TerminalUiTest
