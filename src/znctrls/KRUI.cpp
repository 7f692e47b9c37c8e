#include "KRUI.h"

#include <QInputDialog>
#include <QLineEdit>

namespace {

PasswordPrompt g_prompt;

std::optional<QString> AskPassword(QWidget* owner, const QString& title) {
    if (g_prompt) {
        return g_prompt(owner, title);
    }
    bool ok = false;
    QString text = QInputDialog::getText(owner, title, QStringLiteral("请输入交易密码："),
                                         QLineEdit::Password, QString(), &ok);
    if (!ok) {
        return std::nullopt;
    }
    return text;
}

}  // namespace

int KRUI_MsgBox(QWidget* owner, const QString& text, const QString& title, unsigned flags) {
    return Win::ShowMessageBox(Win::MessageBoxRequest{owner, text, title, flags});
}

PasswordPrompt KRUI_SetPasswordPrompt(PasswordPrompt prompt) {
    std::swap(g_prompt, prompt);
    return prompt;
}

bool KRUI_CheckPwd(Kora::Interface::KRTEngineI* engine, const Json::Value& account, QWidget* owner) {
    if (!engine) {
        return false;
    }
    std::optional<QString> password = AskPassword(owner, QStringLiteral("交易密码确认"));
    if (!password) {
        return false;
    }
    if (!engine->CheckTradePassword(account, *password)) {
        KRUI_MsgBox(owner, QStringLiteral("交易密码错误，请重新输入！"), QStringLiteral("提示"),
                    Win::MB_OK | Win::MB_ICONWARNING);
        return false;
    }
    return true;
}

bool KRUI_CheckPwdWhenTrade(Kora::Interface::KRTEngineI* engine, const Json::Value& account, QWidget* owner) {
    if (!engine) {
        return false;
    }
    if (!engine->IsTradePasswordRequired(account)) {
        return true;
    }
    return KRUI_CheckPwd(engine, account, owner);
}
