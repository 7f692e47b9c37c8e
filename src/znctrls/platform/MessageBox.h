#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace Win {

// Buttons and icons of a message box, and its answers, with the Windows values.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONWARNING = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr unsigned MB_TOPMOST = 0x40000;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

struct MessageBoxRequest {
    QWidget* owner = nullptr;
    QString text;
    QString title;
    unsigned flags = MB_OK;
};

// Answers a message box instead of a person. Process-wide: a test or a headless terminal sets
// one to read the text and choose the button.
using MessageBoxResponder = std::function<int(const MessageBoxRequest&)>;

// Replaces the responder (an empty one restores the real dialog); answers the previous one.
MessageBoxResponder SetMessageBoxResponder(MessageBoxResponder responder);

// Shows the box (or asks the responder) and answers the button chosen.
int ShowMessageBox(const MessageBoxRequest& request);

}  // namespace Win
