#pragma once

#include <memory>

#include "CKrDlgOperate.h"
#include "KRTContentWindow.h"
#include "kernel/ContentWindow.h"
#include "kernel/MsgReceiver.h"

// What every content-window wrapper does with the one dialog it owns: the dialog is created
// with the wrapper and destroyed with it; the host's parent, show, move and redraw calls act on
// it; Escape and F12 key-downs never reach it, so a tool window is never closed by a key.
class ToolWindow : public Kora::Kernel::ContentWindow, public Kora::Kernel::MsgReceiver {
public:
    explicit ToolWindow(std::unique_ptr<CKrDlgOperate> dialog);
    ~ToolWindow() override;

    void SetParent(Kora::Interface::WindowHandle parent) override;
    Kora::Interface::WindowHandle GetParent() override;
    void Redraw() override;
    void Show(bool show) override;
    void Move(int x, int y, int width, int height) override;
    Kora::Interface::LRESULT PreTranslateMessage(const Kora::Interface::WindowMessage& message) override;
    Kora::Interface::WindowHandle GetHwnd() override;
    void PreDestroy(const Kora::Utility::WStringMap& params) override;
    void Activate() override;
    void Focus() override;

    CKrDlgOperate* Dialog() const { return m_dialog.get(); }

protected:
    // Destroys the dialog before the wrapper goes; every later call acts on no window.
    void DestroyDialog() { m_dialog.reset(); }

private:
    std::unique_ptr<CKrDlgOperate> m_dialog;
};

// The wrapper family built on the control library's content-window base: the base sees every
// parent, move and redraw too, and supplies the context menu and message answers.
class KRTToolWindow : public ToolWindow, public KRTContentWindow {
public:
    KRTToolWindow(std::unique_ptr<CKrDlgOperate> dialog, Kora::Utility::WStringMap params);

    void SetParent(Kora::Interface::WindowHandle parent) override;
    void Redraw() override;
    void Show(bool show) override;
    void Move(int x, int y, int width, int height) override;
    void PreDestroy(const Kora::Utility::WStringMap& params) override;
    Kora::Interface::LRESULT OnMsg(Kora::Interface::UINT message, Kora::Interface::WPARAM wParam,
                                   Kora::Interface::LPARAM lParam) override;
    Kora::Utility::SharedWStringMapVector BuildMenu() override;
};
