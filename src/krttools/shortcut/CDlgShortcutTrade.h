#pragma once

#include <json/value.h>

#include "CKrDlgOperate.h"
#include "kernel/MsgReceiver.h"
#include "kora/interface/QuoteKey.h"
#include "shortcut/ShortcutActionHandler.h"
#include "shortcut/ShortcutTrader.h"

class QLabel;
class QLineEdit;

// The keyboard order strip (template 11001): the current contract's name, the order quantity
// (11001) and its multiplier (11002). Key chords of the keyboard order mode arrive as actions
// 1-14 and act on the current contract and trading account.
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

    // Makes the contract of key current and tells linked windows; false when it is unknown.
    bool SetContract(const Kora::Interface::QuoteKey& key, bool announce);
    const Kora::Interface::QuoteKey& ContractKey() const { return m_contractKey; }
    ShortcutTrader& Trader() { return m_trader; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void LoadSettings();
    void LoadAccount();
    void PlaceOrder(const Json::Value& option);
    void SetMultiplier(const Json::Value& option);
    void StepOptionChain(int step);
    // The whole number of at least 1 in an edit; 0 after telling the user what is wrong.
    int ReadCount(QLineEdit* edit, const QString& emptyText, const QString& invalidText);
    void ShowSmartOrderResult(const Json::Value& payload);

    ShortcutTrader m_trader;
    Kora::Interface::QuoteKey m_contractKey;
    bool m_modeOn = false;
    bool m_locked = false;
    QLabel* m_name = nullptr;
    QLineEdit* m_quantity = nullptr;
    QLineEdit* m_multiplier = nullptr;
    QColor m_border;
    QColor m_background;
};
