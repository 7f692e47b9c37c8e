#include "UiFixture.h"

#include <QtTest/QTest>

namespace TerminalUiTest {

QAction* MenuEntry(QMenu& menu, const QString& data) {
    emit menu.aboutToShow();
    for (QAction* action : menu.actions()) {
        if (action->data().toString() == data) {
            return action;
        }
    }
    return nullptr;
}

QAction* MenuEntryTitled(QMenu& menu, const QString& text) {
    emit menu.aboutToShow();
    for (QAction* action : menu.actions()) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
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
    m_host = std::make_unique<Terminal::HostRuntime>(TerminalTest::ScriptedOptions());
    if (withComponent) {
        ASSERT_TRUE(m_host->LoadComponentLibrary(qEnvironmentVariable("KRT_DIST_BIN") +
                                                 QStringLiteral("/libKRTTools.so")))
            << m_host->LastError().toStdString();
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
