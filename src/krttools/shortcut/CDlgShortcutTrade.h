#pragma once

#include <json/value.h>

#include <QPoint>
#include <optional>

#include "CKrDlgOperate.h"
#include "kernel/MsgReceiver.h"
#include "kora/interface/QuoteKey.h"
#include "shortcut/ShortcutActionHandler.h"
#include "shortcut/ShortcutTrader.h"
#include "trading/TradePrompter.h"

class QLabel;
class QLineEdit;

// The keyboard order strip (template 11001): the current contract's name, the order quantity
// (11001) and its multiplier (11002). Key chords of the keyboard order mode arrive as actions
// 1-14 and act on the current contract and trading account.
//
// One action at a time: while an action waits for the trader (a confirmation, a password),
// further actions are not acted on, and contract linkage, account changes and new settings that
// arrive meanwhile are applied once it is done, so what was confirmed is what is sent.
class CDlgShortcutTrade : public CKrDlgOperate,
                          public Kora::Kernel::MsgReceiver,
                          public ShortcutActionHandler {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 11001;
    static constexpr int kNameId = 11061;
    static constexpr int kQuantityId = 11001;
    static constexpr int kMultiplierId = 11002;

    explicit CDlgShortcutTrade(QWidget* parent = nullptr);
    ~CDlgShortcutTrade() override;

    void InitUI() override;
    void InitWindow() override;
    void SubscribeMsg() override;
    void UnSubscribeMsg() override;
    void ChangeStock(const Json::Value& request) override;
    void OnKoraMsg(const QString& topic, const Json::Value& payload) override;
    void OnMsg(const QString& topic, const Json::Value& payload, const Json::Value& extra) override;

    bool OnShortcutAction(int action, const Json::Value& option) override;

    // The strip as the keyboard order mode shows it: a small tool window owned by the terminal's
    // main window (hidden, minimised and closed with it) that floats above it, clear of its menu
    // bar, and stays where the trader drags it.
    void FloatAbove(QWidget* mainWindow);

    // Makes the contract of key current and tells linked windows; false when it is unknown.
    bool SetContract(const Kora::Interface::QuoteKey& key, bool announce);
    const Kora::Interface::QuoteKey& ContractKey() const { return m_contractKey; }
    ShortcutTrader& Trader() { return m_trader; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void LoadSettings();
    void LoadAccount();
    void Act(int action, const Json::Value& option);
    void PlaceOrder(const Json::Value& option);
    void SetMultiplier(const Json::Value& option);
    void StepOptionChain(int step);
    // The whole number from 1 to the largest order volume in an edit; 0 after telling the user
    // what is wrong.
    int64_t ReadCount(QLineEdit* edit, const QString& emptyText, const QString& invalidText);
    // Applies what arrived while an action was running.
    void ApplyDeferred();

    WindowPrompter m_prompter;
    ShortcutTrader m_trader;
    Kora::Interface::QuoteKey m_contractKey;
    bool m_modeOn = false;
    bool m_locked = false;
    bool m_acting = false;
    // What waits for the running action to end: the latest linked contract, an account reload,
    // a settings reload.
    std::optional<Kora::Interface::QuoteKey> m_deferredContract;
    bool m_deferredAccount = false;
    bool m_deferredSettings = false;
    QPoint m_dragOffset;
    QLabel* m_name = nullptr;
    QLineEdit* m_quantity = nullptr;
    QLineEdit* m_multiplier = nullptr;
    QColor m_border;
    QColor m_background;
};
