#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>

#include "kernel/ContentWindow.h"

namespace TerminalUiTest {

// A content window that writes down what the host does to it, for the order of the host's calls
// that no real tool window reveals. Its dialog is a plain widget it owns, as the component's
// wrappers own theirs; its log outlives it.
class RecordingWindow : public Kora::Kernel::ContentWindow {
public:
    explicit RecordingWindow(std::shared_ptr<QStringList> log)
        : m_log(std::move(log)), m_dialog(new QWidget) {
        m_dialog->setFocusPolicy(Qt::StrongFocus);
    }
    ~RecordingWindow() override { m_log->append(QStringLiteral("Destroyed")); }

    // The key that PreTranslateMessage consumes (0: none).
    Kora::Interface::WPARAM consumedKey = 0;
    std::vector<Kora::Interface::WindowMessage> translated;
    std::vector<Kora::Interface::WPARAM> commands;

    void SetParent(Kora::Interface::WindowHandle parent) override {
        m_log->append(parent ? QStringLiteral("SetParent") : QStringLiteral("SetParent(null)"));
        m_dialog->setParent(parent);
    }
    Kora::Interface::WindowHandle GetParent() override { return m_dialog->parentWidget(); }
    void Show(bool show) override {
        m_log->append(show ? QStringLiteral("Show") : QStringLiteral("Hide"));
        m_dialog->setVisible(show);
    }
    void Move(int x, int y, int width, int height) override {
        m_log->append(QStringLiteral("Move"));
        m_dialog->setGeometry(x, y, width, height);
    }
    Kora::Interface::LRESULT PreTranslateMessage(const Kora::Interface::WindowMessage& message) override {
        translated.push_back(message);
        return message.wParam == consumedKey ? 1 : 0;
    }
    Kora::Interface::WindowHandle GetHwnd() override { return m_dialog.get(); }
    void PreDestroy(const Kora::Utility::WStringMap&) override {
        m_log->append(QStringLiteral("PreDestroy"));
    }
    Kora::Interface::LRESULT OnMsg(Kora::Interface::UINT message, Kora::Interface::WPARAM wParam,
                                   Kora::Interface::LPARAM) override {
        if (message == 0x0111) {
            commands.push_back(wParam);
        }
        return 1;
    }
    bool CanClose(int32_t) override { return true; }
    Kora::Utility::SharedWStringMapVector BuildMenu() override {
        return std::make_shared<std::vector<Kora::Utility::WStringMap>>(
            std::vector<Kora::Utility::WStringMap>{{{QStringLiteral("ID"), QStringLiteral("32771")},
                                                    {QStringLiteral("Text"), QStringLiteral("锁定合约")}}});
    }
    void Focus() override { m_dialog->setFocus(); }

private:
    std::shared_ptr<QStringList> m_log;
    std::unique_ptr<QWidget> m_dialog;
};

// Offers one window type, "RecordingWindow", whose windows log into one shared list.
class RecordingProvider : public Kora::Interface::ContentWindowProviderI {
public:
    static inline const QString kType = QStringLiteral("RecordingWindow");

    std::shared_ptr<QStringList> log = std::make_shared<QStringList>();
    // The newest window; it lives only as long as the host holds it.
    RecordingWindow* last = nullptr;

    Kora::Utility::Handle<Kora::Interface::ContentWindowI> CreateContentWindow(
        const QString& type, const Kora::Utility::WStringMap&) override {
        if (type != kType) {
            return {};
        }
        last = new RecordingWindow(log);
        return Kora::Utility::Handle<Kora::Interface::ContentWindowI>(last);
    }
    Kora::Utility::SharedWStringMapVector GetWindowTypes() override {
        return std::make_shared<std::vector<Kora::Utility::WStringMap>>(
            std::vector<Kora::Utility::WStringMap>{
                {{QStringLiteral("Type"), kType},
                 {QStringLiteral("Name"), QStringLiteral("记录窗口")},
                 {QStringLiteral("Public"), QStringLiteral("true")},
                 {QStringLiteral("MenuName"), QStringLiteral("记录窗口")}}});
    }
};

}  // namespace TerminalUiTest
