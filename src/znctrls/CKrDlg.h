#pragma once

#include <QDialog>
#include <map>

#include "kora/interface/WindowTypes.h"
#include "platform/WinMessage.h"
#include "platform/WindowTimers.h"

// Dialog base of the control library. Like the dialogs it stands in for, a CKrDlg exists as an
// object before its window is "created": Create() (or DoModal()) runs OnInitDialog once, and
// until then window-handle answers are null. Numbered window messages arrive in OnMessage,
// window timers in OnTimer.
class CKrDlg : public QDialog, public Win::MessageWindow {
    Q_OBJECT
public:
    explicit CKrDlg(int templateId, QWidget* parent = nullptr);
    ~CKrDlg() override;

    int TemplateId() const { return m_templateId; }

    // Creates the window: runs OnInitDialog once. False when initialisation answers 0.
    bool Create(QWidget* parent = nullptr);
    bool IsCreated() const { return m_created; }
    // Runs the dialog modally through the process-wide modal runner.
    int DoModal();
    void DestroyWindow();

    // Keyboard pre-translation: true when the dialog consumed the message.
    virtual bool PreTranslateMessage(const Kora::Interface::WindowMessage& message);

    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override;

    void SetTimer(int id, int periodMs) { m_timers.SetTimer(id, periodMs); }
    void KillTimer(int id) { m_timers.KillTimer(id); }

    // Named parameters a caller hands the dialog before it is created.
    void AddParam(const QString& key, const QString& value) { m_params[key] = value; }
    QString GetParam(const QString& key) const;

protected:
    // Returns 0 when the dialog cannot be initialised.
    virtual bool OnInitDialog() { return true; }
    virtual void OnTimer(int id) {}
    // A docked dialog ignores Escape: a tool window is closed by its host, never by a key.
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_templateId;
    bool m_created = false;
    Win::WindowTimers m_timers;
    std::map<QString, QString> m_params;
};
