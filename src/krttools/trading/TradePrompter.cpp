#include "trading/TradePrompter.h"

#include "KRUI.h"

namespace {
const QString kTitle = QStringLiteral("提示");
}  // namespace

void WindowPrompter::Tell(const QString& text) {
    KRUI_MsgBox(m_owner, text, kTitle, Win::MB_OK | Win::MB_ICONWARNING);
}

bool WindowPrompter::Confirm(const QString& question) {
    return KRUI_MsgBox(m_owner, question, kTitle, Win::MB_OKCANCEL | Win::MB_ICONQUESTION) == Win::IDOK;
}

bool WindowPrompter::Ask(const QString& question) {
    return KRUI_MsgBox(m_owner, question, kTitle, Win::MB_YESNO | Win::MB_ICONQUESTION) == Win::IDYES;
}

bool WindowPrompter::CheckPassword(Kora::Interface::KRTEngineI* engine, const Json::Value& account,
                                   bool everyOrder) {
    return everyOrder ? KRUI_CheckPwd(engine, account, m_owner)
                      : KRUI_CheckPwdWhenTrade(engine, account, m_owner);
}

bool WindowPrompter::ConfirmOrder(Kora::Interface::KRTEngineI& engine, const Json::Value& request) {
    return engine.ConfirmOrder(request, m_owner);
}
