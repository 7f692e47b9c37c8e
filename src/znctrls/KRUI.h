#pragma once

#include <json/value.h>

#include <QString>
#include <functional>
#include <optional>

#include "kora/interface/KRTEngineI.h"
#include "platform/MessageBox.h"

class QWidget;

// The control library's free functions that tools call for message boxes and passwords.

// A modal message box (through the process-wide responder when one is set); answers the button.
int KRUI_MsgBox(QWidget* owner, const QString& text, const QString& title = QStringLiteral("提示"),
                unsigned flags = Win::MB_OK | Win::MB_ICONINFORMATION);

// Asks for a password: answers the text entered, or nothing when the user cancelled.
using PasswordPrompt = std::function<std::optional<QString>(QWidget* owner, const QString& title)>;
// Replaces the prompt (empty restores the dialog); answers the previous one.
PasswordPrompt KRUI_SetPasswordPrompt(PasswordPrompt prompt);

// Asks for the account's trading password and has the engine check it. False when the user
// cancels, the password is wrong, or there is no engine.
bool KRUI_CheckPwd(Kora::Interface::KRTEngineI* engine, const Json::Value& account, QWidget* owner);

// Before an order: asks for the password only when the engine requires one for the account.
bool KRUI_CheckPwdWhenTrade(Kora::Interface::KRTEngineI* engine, const Json::Value& account, QWidget* owner);
