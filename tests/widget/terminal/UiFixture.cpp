#include "UiFixture.h"

#include <QtTest/QTest>
#include <algorithm>
#include <functional>

#include "support/RunLayoutFolder.h"

namespace TerminalUiTest {

namespace {

// The menu's first entry the test accepts, after the menu filled itself as before showing.
QAction* FirstEntry(QMenu& menu, const std::function<bool(const QAction&)>& accepts) {
    emit menu.aboutToShow();
    const QList<QAction*> actions = menu.actions();
    const auto found = std::find_if(actions.begin(), actions.end(), [&](QAction* a) { return accepts(*a); });
    return found == actions.end() ? nullptr : *found;
}

}  // namespace

QAction* MenuEntry(QMenu& menu, const QString& data) {
    return FirstEntry(menu, [&](const QAction& action) { return action.data().toString() == data; });
}

QAction* MenuEntryTitled(QMenu& menu, const QString& text) {
    return FirstEntry(menu, [&](const QAction& action) { return action.text() == text; });
}

QMenu* SubMenu(QMenu& menu, const QString& title) {
    QAction* entry = MenuEntryTitled(menu, title);
    return entry ? entry->menu() : nullptr;
}

Terminal::Ui::ToolDock* DockOf(Terminal::Ui::MainWindow& window, const QString& type) {
    for (Terminal::Ui::ToolDock* dock : window.ToolDocks()) {
        if (dock->Type() == type) {
            return dock;
        }
    }
    return nullptr;
}

void UiFixture::Start(bool withComponent) {
    m_host = std::make_unique<Terminal::HostRuntime>(ScriptedOptions());
    if (withComponent) {
        ASSERT_TRUE(m_host->LoadComponentLibrary(RunLayoutLibrary())) << m_host->LastError().toStdString();
    }
    m_window = std::make_unique<Terminal::Ui::MainWindow>(*m_host);
    m_window->show();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
}

void UiFixture::TearDown() {
    m_window.reset();
    if (m_host) {
        m_host->Settle();
    }
    m_host.reset();
}

}  // namespace TerminalUiTest
