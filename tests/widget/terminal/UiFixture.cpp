#include "UiFixture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QtTest/QTest>

namespace TerminalUiTest {

bool WaitUntil(const std::function<bool()>& condition) {
    QDeadlineTimer deadline(10000);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

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

void UiFixture::Start(bool withComponent) {
    Terminal::HostOptions options;
    options.tradingDay = QDate(2024, 3, 15);
    m_host = std::make_unique<Terminal::HostRuntime>(options);
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
