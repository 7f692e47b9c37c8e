#pragma once

#include <json/value.h>

#include <array>
#include <functional>
#include <initializer_list>
#include <utility>

#include "CKrDlgOperate.h"
#include "kernel/MsgReceiver.h"
#include "kernel/QuoteReceiver.h"
#include "kora/interface/QuoteKey.h"
#include "ladder/LadderQuote.h"
#include "trading/LadderWindowPresenter.h"
#include "trading/TradePrompter.h"

class CKrStockCombox;
class CMouseOrderList;
class COpenInfo;
class CPositionInfo;
class CPriceHSpinEdit;
class QCheckBox;
class QHBoxLayout;
class QVBoxLayout;
class QPushButton;

// What every quick-mouse order window does around its price ladder, whatever it trades: the
// contract list, the volume edit and buttons, the position and openable-volume panels, the
// conditional-order and openable buttons, " 最新价居中"; the contract's quotes (kept on the
// host's delivery thread and shown at most once a frame, WM_USER+4128); the ladder's four
// requests and the host's answers, handed to the window's presenter (LadderWindowPresenter);
// its working orders and positions on the ladder and the panels. A window kind adds its own
// order choices, builds its ladder's rows and announces its contract.
//
// Message-centre messages are re-posted to the window (WM_USER+4097).
class CDlgLadderWindow : public CKrDlgOperate,
                         public Kora::Kernel::QuoteReceiver,
                         public Kora::Kernel::MsgReceiver {
    Q_OBJECT
public:
    // The controls every ladder window's template has.
    static constexpr int kContractId = 9007;
    static constexpr int kLongPanelId = 11066;
    static constexpr int kShortPanelId = 11067;
    static constexpr int kVolumeId = 11001;
    static constexpr int kOpenPanelId = 11068;
    static constexpr int kConditionId = 9017;
    static constexpr int kOpenableId = 9015;
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

    CDlgLadderWindow(int templateId, LadderWindowPresenter::Setup setup, QWidget* parent = nullptr);
    ~CDlgLadderWindow() override;

    // The look every ladder window shares, the common controls and the window kind's own, laid
    // out and connected.
    void InitUI() override;
    void UnSubscribeMsg() override;
    void OnKoraMsg(const QString& topic, const Json::Value& payload) override;
    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override;

    // Host threads.
    void OnMsg(const QString& topic, const Json::Value& payload, const Json::Value& extra) override;
    void OnQuotePush(const Kora::Interface::QuotePushRecord& record, const Json::Value& info) override;

    // Makes a contract record current; `announce` tells the linked windows. False for a contract
    // the window may not trade.
    bool SetContract(const Json::Value& contract, bool announce);
    const Json::Value& Contract() const { return m_presenter.Contract(); }

    LadderWindowPresenter& Presenter() { return m_presenter; }
    // Called with the host's stamp of each quote push once the ladder has painted it.
    void SetQuoteShownObserver(std::function<void(int64_t enqueuedNs)> observer);
    // Quotes shown, and quote pushes received, since creation.
    uint64_t QuotesShown() const;
    uint64_t QuotesReceived() const;

protected:
    // ---- What a window kind adds ----
    // Its own controls and ladder (after the common ones), their layout (with
    // AddCommonControls), their connections.
    virtual void CreateControls() = 0;
    virtual void LayOutControls() = 0;
    virtual void ConnectControls() = 0;
    virtual CMouseOrderList& LadderList() const = 0;
    // A new contract is current: the choices that depend on it. Before its ladder is built.
    virtual void OnContractChanged() {}
    // Lays the contract's rows out on the ladder, given its quote as the host holds it.
    virtual void BuildLadder(const Json::Value& contract, const LadderQuote& quote) = 0;
    // Tells the linked windows of the contract.
    virtual void Announce(const Kora::Interface::QuoteKey& contract) = 0;
    // Another window links a contract ({"Stock", ...}); the window changes to it.
    virtual void FollowLinkage(const Json::Value& payload);
    // The account changed, before the contracts and orders are read again.
    virtual void OnAccountChanged() {}
    // The ladder's requests; by default straight to the presenter.
    virtual void PlaceOrder(const QString& priceText, QChar direction);
    virtual void MoveOrder(const QString& orderId, const QString& priceText);

    // ---- For the window kinds ----
    // The ladder's columns with their titles and widths, its column roles, cursors and rows.
    void SetUpLadder(CMouseOrderList& ladder, std::initializer_list<std::pair<const char*, int>> columns);
    // A row of controls; `stretched` takes the room left.
    static QHBoxLayout* Row(std::initializer_list<QWidget*> controls, QWidget* stretched = nullptr);
    // The volume buttons in rows of four, the three panels, the two buttons and the box, in that order.
    void AddCommonControls(QVBoxLayout& side);
    // The account the window's parameters name (else as LadderWindowPresenter::ChooseAccount
    // says), its contracts in the list, its default volume.
    void ChooseAccount();
    void LoadContractList();
    // The first listed contract; false when the list is empty.
    bool ChooseFirstContract();
    void SubscribeTopics(std::initializer_list<QString> topics);

    void RefreshTrading();
    // The working orders on the ladder, and the positions, as the presenter holds them.
    void ShowWorkingOrders();
    void ShowPositions();
    void SetVolume(int volume);

    const LadderQuote& Quote() const { return m_quote; }
    const Kora::Interface::QuoteKey& QuoteKey() const { return m_quoteKey; }
    TradePrompter& Prompter() { return m_prompter; }

    bool eventFilter(QObject* watched, QEvent* event) override;

    CKrStockCombox* m_contractBox = nullptr;
    CPriceHSpinEdit* m_volumeEdit = nullptr;
    std::vector<QPushButton*> m_volumeButtons;
    CPositionInfo* m_longPanel = nullptr;
    CPositionInfo* m_shortPanel = nullptr;
    COpenInfo* m_openPanel = nullptr;
    QPushButton* m_conditionButton = nullptr;
    QPushButton* m_openableButton = nullptr;
    QCheckBox* m_centreBox = nullptr;

private:
    void CreateCommonControls();
    void ConnectCommonControls();
    void ChooseListedContract(int index, bool announce);
    void ChooseTypedContract(const QString& code);
    void ShowPush(const Kora::Interface::QuotePushRecord& record);
    void ShowQuote();

    WindowPrompter m_prompter;
    LadderWindowPresenter m_presenter;
    QString m_accountParam;
    Kora::Interface::QuoteKey m_quoteKey;
    LadderQuote m_quote;
    int64_t m_unpaintedStamp = 0;
    std::function<void(int64_t)> m_quoteShownObserver;
};
