#include "frame/CKRTToolsApp.h"

#include <algorithm>

#include "frame/KeyboardMode.h"

CKRTToolsApp& CKRTToolsApp::Instance() {
    static CKRTToolsApp app;
    return app;
}

void CKRTToolsApp::AddOpenDialog(QWidget* dialog) {
    if (dialog && !IsOpenDialog(dialog)) {
        m_openDialogs.emplace_back(dialog);
    }
}

void CKRTToolsApp::RemoveOpenDialog(QWidget* dialog) {
    m_openDialogs.remove_if(
        [dialog](const QPointer<QWidget>& open) { return open.isNull() || open == dialog; });
}

bool CKRTToolsApp::IsOpenDialog(QWidget* dialog) const {
    return std::any_of(m_openDialogs.begin(), m_openDialogs.end(),
                       [dialog](const QPointer<QWidget>& open) { return open == dialog; });
}

void CKRTToolsApp::SetOwnedToolWindow(QWidget* window) {
    if (m_toolWindow && m_toolWindow != window) {
        delete m_toolWindow.data();
    }
    m_toolWindow = window;
}

void CKRTToolsApp::CleanUp() {
    for (QPointer<QWidget>& dialog : m_openDialogs) {
        if (dialog) {
            dialog->close();
        }
    }
    m_openDialogs.clear();
    if (m_toolWindow) {
        delete m_toolWindow.data();
    }
    m_toolWindow = nullptr;
    shortcutWindow = nullptr;
    keyboardModeOn = false;
    KeyboardMode::ReleaseKeyState();
}
