#pragma once

#include <json/value.h>

#include <cstdint>
#include <functional>
#include <initializer_list>

#include "CKrDlgOperate.h"
#include "kernel/MsgReceiver.h"
#include "kernel/QuoteReceiver.h"
#include "kora/interface/QuoteKey.h"
#include "trading/LadderWindowPresenter.h"
#include "trading/TradePrompter.h"

// What every price-ladder order window does between the host and its presenter
// (LadderWindowPresenter), whatever its ladder control and panels: the contract made current
// (its quote key, what the host holds of its quote, its quotes followed, the linked windows
// told); its quotes, kept on the host's delivery thread and shown at most once a frame
// (WM_USER+4128); message-centre messages re-posted to the window (WM_USER+4097); the host's
// answers for the window's account and the smart-order notices handed to the presenter; the
// contracts other windows link followed.
class CDlgPresenterWindow : public CKrDlgOperate,
                            public Kora::Kernel::QuoteReceiver,
                            public Kora::Kernel::MsgReceiver {
    Q_OBJECT
public:
    static constexpr Win::UINT kQuoteMessage = Win::WM_USER + 4128;

    CDlgPresenterWindow(int templateId, LadderWindowPresenter::Setup setup, QWidget* parent = nullptr);
    ~CDlgPresenterWindow() override;

    void UnSubscribeMsg() override;
    void OnKoraMsg(const QString& topic, const Json::Value& payload) override;
    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override;

    // Host threads.
    void OnMsg(const QString& topic, const Json::Value& payload, const Json::Value& extra) override;
    void OnQuotePush(const Kora::Interface::QuotePushRecord& record, const Json::Value& info) override;

    // Makes a contract record current; `announce` tells the linked windows. False for a contract
    // the window may not trade.
    virtual bool SetContract(const Json::Value& contract, bool announce);
    // Makes current the first contract of a code, on any exchange, that the window may trade;
    // false when there is none.
    bool SetContractOfCode(const QString& code, bool announce);
    const Json::Value& Contract() const { return m_presenter.Contract(); }

    LadderWindowPresenter& Presenter() { return m_presenter; }
    const LadderWindowPresenter& Presenter() const { return m_presenter; }
    // Called with the host's stamp of each quote push once the ladder has painted it.
    void SetQuoteShownObserver(std::function<void(int64_t enqueuedNs)> observer);
    // Quotes shown, and quote pushes received, since creation.
    uint64_t QuotesShown() const { return m_presenter.Quotes().Shown(); }
    uint64_t QuotesReceived() const { return m_presenter.Quotes().Received(); }

protected:
    // What the host holds of a contract's quote when the contract becomes current.
    struct HeldQuote {
        bool known = false;
        Kora::Interface::QuoteSnapshot snapshot{};
        int32_t divisor = 0;
    };

    // ---- What a window kind adds ----
    // The contract just made current, before its quotes are followed.
    virtual void ShowContract(const Json::Value& contract, const HeldQuote& held) = 0;
    // Tells the linked windows of the contract.
    virtual void Announce(const Kora::Interface::QuoteKey& contract) = 0;
    // A quote push of the current contract.
    virtual void ShowPush(const Kora::Interface::QuotePushRecord& record) = 0;
    // The host's answers for the window's account, once the presenter has read them.
    virtual void ShowOrderAnswers(const Json::Value& payload) = 0;
    // Another window links a contract ({"Stock", ...}); the window changes to it.
    virtual void FollowLinkage(const Json::Value& payload);

    // ---- For the window kinds ----
    void SubscribeTopics(std::initializer_list<QString> topics);
    // The ladder calls this after each paint, so the quote shown last is measured to the screen.
    void OnLadderPainted() { m_presenter.Quotes().OnPainted(); }
    const Kora::Interface::QuoteKey& QuoteKey() const { return m_quoteKey; }
    TradePrompter& Prompter() { return m_prompter; }

private:
    WindowPrompter m_prompter;
    LadderWindowPresenter m_presenter;
    Kora::Interface::QuoteKey m_quoteKey;
};
