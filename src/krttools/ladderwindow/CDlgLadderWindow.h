#pragma once

#include <json/value.h>

#include <array>
#include <initializer_list>
#include <utility>

#include "ladder/LadderQuote.h"
#include "ladderwindow/CDlgPresenterWindow.h"

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
// conditional-order and openable buttons, " 最新价居中"; the contract's quotes on the ladder;
// the ladder's four requests handed to the window's presenter (LadderWindowPresenter); its
// working orders and positions on the ladder and the panels. A window kind adds its own order
// choices, builds its ladder's rows and announces its contract.
class CDlgLadderWindow : public CDlgPresenterWindow {
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

    CDlgLadderWindow(int templateId, LadderWindowPresenter::Setup setup, QWidget* parent = nullptr);

    // The look every ladder window shares, the common controls and the window kind's own, laid
    // out and connected.
    void InitUI() override;
    void OnKoraMsg(const QString& topic, const Json::Value& payload) override;
    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override;

    // The contract already current is kept as it is: its ladder is not built again.
    bool SetContract(const Json::Value& contract, bool announce) override;

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

    void RefreshTrading();
    // The working orders on the ladder, and the positions, as the presenter holds them.
    void ShowWorkingOrders();
    void ShowPositions();
    void SetVolume(int volume);

    const LadderQuote& Quote() const { return m_quote; }

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
    void ShowContract(const Json::Value& contract, const HeldQuote& held) final;
    void ShowPush(const Kora::Interface::QuotePushRecord& record) final;
    void ShowOrderAnswers(const Json::Value& payload) final;
    void ShowQuote();

    QString m_accountParam;
    LadderQuote m_quote;
};
