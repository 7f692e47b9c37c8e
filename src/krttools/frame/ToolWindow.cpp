#include "frame/ToolWindow.h"

#include "platform/WinMessage.h"

namespace I = Kora::Interface;

ToolWindow::ToolWindow(std::unique_ptr<CKrDlgOperate> dialog) : m_dialog(std::move(dialog)) {
    if (m_dialog) {
        m_dialog->Create();
    }
}

ToolWindow::~ToolWindow() {
    Detach();
}

void ToolWindow::SetParent(I::WindowHandle parent) {
    if (!m_dialog) {
        return;
    }
    // Docked, the dialog becomes a plain child widget; without a parent it is its own window.
    m_dialog->setParent(parent, parent ? Qt::Widget : Qt::Window);
}

I::WindowHandle ToolWindow::GetParent() {
    return m_dialog ? m_dialog->parentWidget() : nullptr;
}

void ToolWindow::Redraw() {
    if (m_dialog) {
        m_dialog->update();
    }
}

void ToolWindow::Show(bool show) {
    if (!m_dialog) {
        return;
    }
    m_dialog->setVisible(show);
    if (show) {
        m_dialog->update();
    }
}

void ToolWindow::Move(int x, int y, int width, int height) {
    if (m_dialog) {
        m_dialog->setGeometry(x, y, width, height);
        m_dialog->update();
    }
}

I::LRESULT ToolWindow::PreTranslateMessage(const I::WindowMessage& message) {
    if (message.message == Win::WM_KEYDOWN &&
        (message.wParam == Win::VK_ESCAPE || message.wParam == Win::VK_F12)) {
        return 0;
    }
    return m_dialog && m_dialog->PreTranslateMessage(message) ? 1 : 0;
}

I::WindowHandle ToolWindow::GetHwnd() {
    return m_dialog && m_dialog->IsCreated() ? m_dialog.get() : nullptr;
}

void ToolWindow::PreDestroy(const Kora::Utility::WStringMap&) {
    Subscriptions().UnsubscribeAll();
    if (m_dialog) {
        m_dialog->UnSubscribeMsg();
    }
}

void ToolWindow::Activate() {
    if (m_dialog) {
        m_dialog->activateWindow();
    }
}

void ToolWindow::Focus() {
    if (m_dialog) {
        m_dialog->setFocus();
    }
}

KRTToolWindow::KRTToolWindow(std::unique_ptr<CKrDlgOperate> dialog, Kora::Utility::WStringMap params)
    : ToolWindow(std::move(dialog)), KRTContentWindow(std::move(params)) {}

void KRTToolWindow::SetParent(I::WindowHandle parent) {
    ToolWindow::SetParent(parent);
    KRTContentWindow::SetParent(parent);
}

void KRTToolWindow::Redraw() {
    ToolWindow::Redraw();
    KRTContentWindow::Redraw();
}

void KRTToolWindow::Show(bool show) {
    ToolWindow::Show(show);
    KRTContentWindow::Show(show);
}

void KRTToolWindow::Move(int x, int y, int width, int height) {
    ToolWindow::Move(x, y, width, height);
    KRTContentWindow::Move(x, y, width, height);
}

void KRTToolWindow::PreDestroy(const Kora::Utility::WStringMap& params) {
    KRTContentWindow::PreDestroy(params);
    ToolWindow::PreDestroy(params);
}

I::LRESULT KRTToolWindow::OnMsg(I::UINT message, I::WPARAM wParam, I::LPARAM lParam) {
    return KRTContentWindow::OnMsg(message, wParam, lParam);
}

Kora::Utility::SharedWStringMapVector KRTToolWindow::BuildMenu() {
    return KRTContentWindow::BuildMenu();
}
