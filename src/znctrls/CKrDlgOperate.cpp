#include "CKrDlgOperate.h"

void CKrDlgOperate::PostKoraMsg(const QString& topic, const Json::Value& payload) {
    Win::PostMessage(this, kKoraMessage, Win::MakePayload(topic), Win::MakePayload(payload));
}

Win::LRESULT CKrDlgOperate::OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) {
    if (message == kKoraMessage) {
        const QString* topic = Win::PayloadValue<QString>(wParam);
        const Json::Value* payload = Win::PayloadValue<Json::Value>(static_cast<uintptr_t>(lParam));
        if (topic && payload) {
            OnKoraMsg(*topic, *payload);
        }
        return 1;
    }
    return CKrDlg::OnMessage(message, wParam, lParam);
}

bool CKrDlgOperate::OnInitDialog() {
    InitUI();
    InitWindow();
    return true;
}
