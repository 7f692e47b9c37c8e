#pragma once

#include <json/value.h>

#include <array>
#include <functional>
#include <utility>

#include "CKrDlgOperate.h"
#include "kernel/MsgReceiver.h"
#include "kernel/QuoteReceiver.h"
#include "kora/interface/QuoteKey.h"
#include "ladder/LadderQuote.h"
#include "trading/LadderWindowPresenter.h"
#include "trading/TradePrompter.h"

class CKROptionMouselist;
class CKrStockCombox;
class COpenInfo;
class CPositionInfo;
class CPriceHSpinEdit;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The option quick-mouse window: one option traded from a price ladder through a stock-option
// account (category 6) or a futures account (category 8). Beside the ladder stand the order
// choices (contract, hedge type for a futures account, covered for a stock-option account, open,
// close or net position, volume), the position and openable-volume panels, and the step mode of
// the ladder. What it trades and how is its presenter's (LadderWindowPresenter); every order
// carries "OrderMode" 0, a net-position order is first resolved by the engine, and an order that
// would trade against one of the trader's own resting orders is sent only once the trader
// agrees (SelfTradeCheck).
//
// Quotes arrive on the host's delivery thread and are shown at most once a frame (WM_USER+4128);
// message-centre messages are re-posted to the window (WM_USER+4097).
class CDlgOptionQuickMouse : public CKrDlgOperate,
                             public Kora::Kernel::QuoteReceiver,
                             public Kora::Kernel::MsgReceiver {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 11004;
    // Controls of the template.
    static constexpr int kContractId = 9007;
    static constexpr int kHeaderId = 9008;
    static constexpr int kHedgeId = 9009;
    static constexpr int kOpenId = 9001;
    static constexpr int kCloseId = 9002;
    static constexpr int kNetId = 9011;
    static constexpr int kCoveredId = 9012;
    static constexpr int kLongPanelId = 11066;
    static constexpr int kShortPanelId = 11067;
    static constexpr int kVolumeId = 11001;
    static constexpr int kOpenPanelId = 11068;
    static constexpr int kConditionId = 9017;
    static constexpr int kOpenableId = 9015;
    static constexpr int kCentreId = 11069;
    static constexpr int kStepModeId = 9020;
    static constexpr int kStepHelpId = 9021;
    static constexpr std::array<std::pair<int, int>, 8> kVolumeButtons{{{11000, 1},
                                                                        {11002, 2},
                                                                        {11003, 3},
                                                                        {11004, 5},
                                                                        {11005, 10},
                                                                        {11006, 20},
                                                                        {11008, 50},
                                                                        {11009, 100}}};
    // Commands of the futures window's close-today radio, net box, FAK and FOK boxes and lock
    // buttons, which this window does not have: they arrive and do nothing.
    static constexpr std::array<int, 6> kFuturesOnlyCommands{9003, 9010, 9024, 9025, 11007, 11011};

    static constexpr Win::UINT kQuoteMessage = Win::WM_USER + 4128;
    // How the window announces itself to linked windows ("CWID").
    static inline const QString kLinkageId = QStringLiteral("OptionQuickMouse");

    explicit CDlgOptionQuickMouse(QWidget* parent = nullptr);
    ~CDlgOptionQuickMouse() override;

    void InitUI() override;
    void InitWindow() override;
    void SubscribeMsg() override;
    void UnSubscribeMsg() override;
    void OnKoraMsg(const QString& topic, const Json::Value& payload) override;
    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override;

    // Host threads.
    void OnMsg(const QString& topic, const Json::Value& payload, const Json::Value& extra) override;
    void OnQuotePush(const Kora::Interface::QuotePushRecord& record, const Json::Value& info) override;

    // Makes an option record current; `announce` tells the linked windows. False for a contract
    // that is not an option of the window's account.
    bool SetContract(const Json::Value& contract, bool announce);
    const Json::Value& Contract() const { return m_presenter.Contract(); }
    // "%d年%d月 (%d天)", a run of blanks, "+ %s": the option's expiry, the days left to it and
    // the name of its underlying; empty for a contract the options data service does not know.
    static QString ContractHeader(const Kora::Interface::QuoteKey& option);

    CKROptionMouselist& Ladder() const { return *m_ladder; }
    LadderWindowPresenter& Presenter() { return m_presenter; }
    // Called with the host's stamp of each quote push once the ladder has painted it.
    void SetQuoteShownObserver(std::function<void(int64_t enqueuedNs)> observer);
    uint64_t QuotesShown() const;
    uint64_t QuotesReceived() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void LayOutControls();
    void ConnectControls();

    void LoadContractList();
    void ShowCategory();
    void ChooseListedContract(int index, bool announce);
    void ChooseTypedContract(const QString& code);
    void FollowLinkage(const Json::Value& payload);

    void ShowPush(const Kora::Interface::QuotePushRecord& record);
    void ShowQuote();
    void RefreshTrading();
    void ShowLadderTrading();
    void ShowPositions();

    void SelectOffset(int id);
    void SetNetPosition(bool on);
    void SetVolume(int volume);
    void ChooseStepMode(int index);
    void OpenStepHelp();

    void PlaceOrder(const QString& priceText, QChar direction);
    void MoveOrder(const QString& orderId, const QString& priceText);
    // True when the order crosses none of the trader's resting orders, or the trader agrees.
    bool SelfTradeAccepted(QChar direction, const QString& priceText, const QString& movedOrderId = {});

    WindowPrompter m_prompter;
    LadderWindowPresenter m_presenter;
    QString m_accountParam;
    Kora::Interface::QuoteKey m_quoteKey;
    LadderQuote m_quote;

    int64_t m_unpaintedStamp = 0;
    std::function<void(int64_t)> m_quoteShownObserver;

    CKrStockCombox* m_contractBox = nullptr;
    QLabel* m_header = nullptr;
    QLabel* m_hedgeLabel = nullptr;
    QComboBox* m_hedgeBox = nullptr;
    QButtonGroup* m_offsetGroup = nullptr;
    QRadioButton* m_openRadio = nullptr;
    QRadioButton* m_closeRadio = nullptr;
    QCheckBox* m_netBox = nullptr;
    QCheckBox* m_coveredBox = nullptr;
    CPriceHSpinEdit* m_volumeEdit = nullptr;
    std::vector<QPushButton*> m_volumeButtons;
    CPositionInfo* m_longPanel = nullptr;
    CPositionInfo* m_shortPanel = nullptr;
    COpenInfo* m_openPanel = nullptr;
    QPushButton* m_conditionButton = nullptr;
    QPushButton* m_openableButton = nullptr;
    QCheckBox* m_centreBox = nullptr;
    QComboBox* m_stepBox = nullptr;
    QPushButton* m_stepHelpButton = nullptr;
    CKROptionMouselist* m_ladder = nullptr;
};
