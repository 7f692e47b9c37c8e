#pragma once

#include <json/value.h>

#include "CKrDlg.h"

// Base of every docked tool dialog. Creation runs InitUI (controls) then InitWindow (accounts,
// contracts, subscriptions). Message-centre messages may arrive on a host thread: tools hand
// them to PostKoraMsg, which re-posts them to the dialog as WM_USER+4097 so OnKoraMsg always
// runs on the UI thread.
class CKrDlgOperate : public CKrDlg {
    Q_OBJECT
public:
    static constexpr Win::UINT kKoraMessage = Win::WM_USER + 4097;

    using CKrDlg::CKrDlg;

    virtual void InitUI() {}
    virtual void InitWindow() {}
    virtual void SubscribeMsg() {}
    virtual void UnSubscribeMsg() {}
    // A contract chosen elsewhere ({"Function": "ChangeStock", "ActivityParam": ...}).
    virtual void ChangeStock(const Json::Value& request) {}
    // Handles a message-centre message on the UI thread.
    virtual void OnKoraMsg(const QString& topic, const Json::Value& payload) {}

    // Safe from any thread.
    void PostKoraMsg(const QString& topic, const Json::Value& payload);

    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override;

protected:
    bool OnInitDialog() override;
};
