#pragma once

#include <json/value.h>

#include <array>
#include <functional>
#include <utility>

#include "CKrDlgOperate.h"
#include "kernel/MsgReceiver.h"
#include "kernel/QuoteReceiver.h"
#include "kora/interface/QuoteKey.h"
#include "quickmouse/FutureQuote.h"
#include "trading/LadderWindowPresenter.h"
#include "trading/TradePrompter.h"

class CKRMouselist;
class CodeLock;
class CKrStockCombox;
class COpenInfo;
class CPositionInfo;
class CPriceHSpinEdit;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

// The futures quick-mouse window (template 101): one futures contract traded from a price
// ladder, with the order choices (contract, hedge type, offset, time condition, volume) and the
// position and openable-volume panels beside it. What it trades and how is its presenter's
// (LadderWindowPresenter, futures setup); this dialog lays out the controls and wires them, the
// ladder's requests and the host's messages to it.
//
// Quotes of the contract arrive on the host's delivery thread; the latest one is kept and the
// window is woken once (WM_USER+4128) to show it, at most once per frame, however fast pushes
// come. Message-centre messages are re-posted to the window (WM_USER+4097).
class CDlgFutrueQuickMouse : public CKrDlgOperate,
                             public Kora::Kernel::QuoteReceiver,
                             public Kora::Kernel::MsgReceiver {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 101;
    // Controls of the template.
    static constexpr int kContractId = 9007;
    static constexpr int kHedgeId = 9009;
    static constexpr int kOpenId = 9001;
    static constexpr int kCloseId = 9002;
    static constexpr int kCloseTodayId = 9003;
    static constexpr int kAutoId = 9010;
    static constexpr int kLongPanelId = 11066;
    static constexpr int kShortPanelId = 11067;
    static constexpr int kVolumeId = 11001;
    static constexpr int kOpenPanelId = 11068;
    static constexpr int kConditionId = 9017;
    static constexpr int kOpenableId = 9015;
    static constexpr int kFakId = 9024;
    static constexpr int kFokId = 9025;
    static constexpr int kCentreId = 11069;
    // The volume buttons and the volume each sets.
    static constexpr std::array<std::pair<int, int>, 8> kVolumeButtons{{{11000, 1},
                                                                        {11002, 2},
                                                                        {11003, 3},
                                                                        {11004, 5},
                                                                        {11005, 10},
                                                                        {11006, 20},
                                                                        {11008, 50},
                                                                        {11009, 100}}};

    static constexpr Win::UINT kQuoteMessage = Win::WM_USER + 4128;

    explicit CDlgFutrueQuickMouse(QWidget* parent = nullptr);
    ~CDlgFutrueQuickMouse() override;

    void InitUI() override;
    void InitWindow() override;
    void SubscribeMsg() override;
    void UnSubscribeMsg() override;
    void OnKoraMsg(const QString& topic, const Json::Value& payload) override;
    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override;

    // Host threads.
    void OnMsg(const QString& topic, const Json::Value& payload, const Json::Value& extra) override;
    void OnQuotePush(const Kora::Interface::QuotePushRecord& record, const Json::Value& info) override;

    // Makes a contract record current; `announce` tells the linked windows. False for a
    // contract that is not a known futures contract of the window's account.
    bool SetContract(const Json::Value& contract, bool announce);
    const Json::Value& Contract() const { return m_presenter.Contract(); }
    bool IsContractLocked() const;
    // Brings the window forward and gives the ladder the keyboard.
    void FocusLadder();

    CKRMouselist& Ladder() const { return *m_ladder; }
    LadderWindowPresenter& Presenter() { return m_presenter; }
    // Called with the host's stamp of each quote push once the ladder has painted it.
    void SetQuoteShownObserver(std::function<void(int64_t enqueuedNs)> observer);
    // Quotes shown, and quote pushes received, since creation.
    uint64_t QuotesShown() const;
    uint64_t QuotesReceived() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void LayOutControls();
    void ConnectControls();

    void LoadContractList();
    void LoadHedgeEntries();
    void ChooseListedContract(int index, bool announce);
    void ChooseTypedContract(const QString& code);
    void FollowLinkage(const Json::Value& payload);
    void Announce();

    void ShowPush(const Kora::Interface::QuotePushRecord& record);
    void ShowQuote(const FutureQuote& quote);
    void RefreshTrading();
    void ShowPositions();

    void SetLocked(bool locked);
    void SelectOffset(int id);
    void SetAutoOffset(bool on);
    void ReevaluateOffset();
    void SetVolume(int volume);
    void ShowOpenableVolumes();

    WindowPrompter m_prompter;
    LadderWindowPresenter m_presenter;
    QString m_accountParam;
    Kora::Interface::QuoteKey m_quoteKey;
    FutureQuote m_quote;

    CKrStockCombox* m_contractBox = nullptr;
    QComboBox* m_hedgeBox = nullptr;
    CodeLock* m_lock = nullptr;
    QButtonGroup* m_offsetGroup = nullptr;
    QRadioButton* m_openRadio = nullptr;
    QRadioButton* m_closeRadio = nullptr;
    QRadioButton* m_closeTodayRadio = nullptr;
    QCheckBox* m_autoBox = nullptr;
    QCheckBox* m_fakBox = nullptr;
    QCheckBox* m_fokBox = nullptr;
    CPriceHSpinEdit* m_volumeEdit = nullptr;
    std::vector<QPushButton*> m_volumeButtons;
    CPositionInfo* m_longPanel = nullptr;
    CPositionInfo* m_shortPanel = nullptr;
    COpenInfo* m_openPanel = nullptr;
    QPushButton* m_conditionButton = nullptr;
    QPushButton* m_openableButton = nullptr;
    QCheckBox* m_centreBox = nullptr;
    CKRMouselist* m_ladder = nullptr;
};
