#pragma once

#include <array>

#include "ladderwindow/CDlgLadderWindow.h"

class CKROptionMouselist;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The option quick-mouse window: one option traded from a price ladder through a stock-option
// account (category 6) or a futures account (category 8). Besides what every ladder window has
// (CDlgLadderWindow) it offers the hedge type for a futures account, "备兑" (covered) for a
// stock-option account, open, close or net position ("净仓", checked at start), and the step
// mode of its option ladder. Every order carries "OrderMode" 0, a net-position order is first
// resolved by the engine, and an order that would trade against one of the trader's own resting
// orders is sent only once the trader agrees (SelfTradeCheck).
class CDlgOptionQuickMouse : public CDlgLadderWindow {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 11004;
    // Controls of the template besides those of every ladder window.
    static constexpr int kHeaderId = 9008;
    static constexpr int kHedgeId = 9009;
    static constexpr int kOpenId = 9001;
    static constexpr int kCloseId = 9002;
    static constexpr int kNetId = 9011;
    static constexpr int kCoveredId = 9012;
    static constexpr int kStepModeId = 9020;
    static constexpr int kStepHelpId = 9021;
    // Commands of the futures window's close-today radio, net box, FAK and FOK boxes and lock
    // buttons, which this window does not have: they arrive and do nothing.
    static constexpr std::array<int, 6> kFuturesOnlyCommands{9003, 9010, 9024, 9025, 11007, 11011};
    // How the window announces itself to linked windows ("CWID").
    static inline const QString kLinkageId = QStringLiteral("OptionQuickMouse");

    explicit CDlgOptionQuickMouse(QWidget* parent = nullptr);

    void InitWindow() override;
    void SubscribeMsg() override;
    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override;

    // "%d年%d月 (%d天)", a run of blanks, "+ %s": the option's expiry, the days left to it and
    // the name of its underlying; empty for a contract the options data service does not know.
    static QString ContractHeader(const Kora::Interface::QuoteKey& option);

    CKROptionMouselist& Ladder() const { return *m_ladder; }

protected:
    CMouseOrderList& LadderList() const override;
    void OnContractChanged() override;
    void BuildLadder(const Json::Value& contract, const LadderQuote& quote) override;
    void Announce(const Kora::Interface::QuoteKey& contract) override;
    void OnAccountChanged() override;
    void PlaceOrder(const QString& priceText, QChar direction) override;
    void MoveOrder(const QString& orderId, const QString& priceText) override;

    void CreateControls() override;
    void LayOutControls() override;
    void ConnectControls() override;

private:
    void ShowCategory();
    void SelectOffset(int id);
    void SetNetPosition(bool on);
    void ChooseStepMode(int index);
    void OpenStepHelp();
    // True when the order crosses none of the trader's resting orders, or the trader agrees.
    bool SelfTradeAccepted(QChar direction, const QString& priceText, const QString& movedOrderId = {});

    QLabel* m_header = nullptr;
    QLabel* m_hedgeLabel = nullptr;
    QComboBox* m_hedgeBox = nullptr;
    QButtonGroup* m_offsetGroup = nullptr;
    QRadioButton* m_openRadio = nullptr;
    QRadioButton* m_closeRadio = nullptr;
    QCheckBox* m_netBox = nullptr;
    QCheckBox* m_coveredBox = nullptr;
    QComboBox* m_stepBox = nullptr;
    QPushButton* m_stepHelpButton = nullptr;
    CKROptionMouselist* m_ladder = nullptr;
};
