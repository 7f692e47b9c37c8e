#pragma once

#include "ladderwindow/CDlgLadderWindow.h"

class CKRMouselist;
class CodeLock;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QRadioButton;
class QToolButton;

// The futures quick-mouse window (template 101): one futures contract traded from a price
// ladder, with the order choices (contract, hedge type, offset, time condition, volume) and the
// position and openable-volume panels beside it. What it trades and how is its presenter's
// (LadderWindowPresenter, futures setup); what every ladder window does is CDlgLadderWindow's;
// this dialog adds the futures choices, the contract lock and the futures ladder.
class CDlgFutrueQuickMouse : public CDlgLadderWindow {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 101;
    // Controls of the template besides those of every ladder window.
    static constexpr int kHedgeId = 9009;
    static constexpr int kOpenId = 9001;
    static constexpr int kCloseId = 9002;
    static constexpr int kCloseTodayId = 9003;
    static constexpr int kAutoId = 9010;
    static constexpr int kFakId = 9024;
    static constexpr int kFokId = 9025;

    explicit CDlgFutrueQuickMouse(QWidget* parent = nullptr);

    void InitWindow() override;
    void SubscribeMsg() override;

    bool IsContractLocked() const { return m_locked; }
    // Brings the window forward and gives the ladder the keyboard.
    void FocusLadder();

    CKRMouselist& Ladder() const { return *m_ladder; }

protected:
    CMouseOrderList& LadderList() const override;
    void OnContractChanged() override;
    void BuildLadder(const Json::Value& contract, const LadderQuote& quote) override;
    void Announce(const Kora::Interface::QuoteKey& contract) override;
    void FollowLinkage(const Json::Value& payload) override;

    void CreateControls() override;
    void LayOutControls() override;
    void ConnectControls() override;

private:
    void LoadHedgeEntries();
    void SetLocked(bool locked);
    void SelectOffset(int id);
    void SetAutoOffset(bool on);
    void ReevaluateOffset();

    bool m_locked = false;
    QComboBox* m_hedgeBox = nullptr;
    CodeLock* m_lock = nullptr;
    QButtonGroup* m_offsetGroup = nullptr;
    QRadioButton* m_openRadio = nullptr;
    QRadioButton* m_closeRadio = nullptr;
    QRadioButton* m_closeTodayRadio = nullptr;
    QCheckBox* m_autoBox = nullptr;
    QCheckBox* m_fakBox = nullptr;
    QCheckBox* m_fokBox = nullptr;
    CKRMouselist* m_ladder = nullptr;
};
