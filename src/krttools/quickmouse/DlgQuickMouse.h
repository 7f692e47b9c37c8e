#pragma once

#include <json/value.h>

#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "ladderwindow/CDlgPresenterWindow.h"

class CFastMouseOrderList2;
class CodeLock;
class CPriceHSpinEdit;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;
class QTableView;
class QToolButton;
class StockTradeList;

// The stock quick-mouse window (template 11000): one stock traded from the control library's
// price ladder, with a buy panel above a sell panel, percentage buttons that size an order from
// what can be bought or sold, the position summary and the stock's latest trades. On a credit
// ("融资融券") account each side switches between ordinary and margin orders ('a' 融资买入,
// 'b' 融券卖出).
//
// What the ladder's gestures send goes through the ladder-window presenter (stock setup); the
// window adds what is its own: the margin directions, sweep mode, the checks of lots and limits
// before anything is sent, and moving every order at a price at once.
class DlgQuickMouse : public CDlgPresenterWindow {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 11000;
    // Controls of the template.
    static constexpr int kCodeCaptionId = 11005;
    static constexpr int kCodeId = 11010;
    static constexpr int kNameId = 11006;
    static constexpr int kAccountId = 11073;
    static constexpr int kSettingsId = 11008;
    static constexpr int kCloseId = 11009;
    static constexpr int kModeTabId = 11063;
    static constexpr int kLadderId = 11054;
    static constexpr int kUpperLimitId = 11070;
    static constexpr int kLowerLimitId = 11071;
    static constexpr int kChangeId = 11072;
    static constexpr int kBuyOrdinaryId = 11020;
    static constexpr int kBuyMarginId = 11021;
    static constexpr int kSellOrdinaryId = 11022;
    static constexpr int kSellMarginId = 11023;
    static constexpr int kBuyableCaptionId = 11042;
    static constexpr int kBuyableId = 11043;
    static constexpr int kFinanceableCaptionId = 11044;
    static constexpr int kFinanceableId = 11045;
    static constexpr int kSellableCaptionId = 11046;
    static constexpr int kSellableId = 11047;
    static constexpr int kShortSellableCaptionId = 11048;
    static constexpr int kShortSellableId = 11049;
    static constexpr int kBuyPercentId = 11024;
    static constexpr int kBuyPercentSpinId = 11025;
    static constexpr int kBuyPercentSignId = 11028;
    static constexpr int kBuyApplyId = 11026;
    static constexpr int kSellPercentId = 11030;
    static constexpr int kSellPercentSpinId = 11031;
    static constexpr int kSellPercentSignId = 11032;
    static constexpr int kSellApplyId = 11033;
    static constexpr int kBuyVolumeId = 11002;
    static constexpr int kBuyVolumeUnitId = 11065;
    static constexpr int kSellVolumeId = 11062;
    static constexpr int kSellVolumeUnitId = 11064;
    static constexpr int kBuyFeedbackId = 11034;
    static constexpr int kSellFeedbackId = 11035;
    static constexpr std::array<int, 4> kSummaryCaptionIds{11036, 11037, 11038, 11039};
    static constexpr std::array<int, 4> kSummaryValueIds{11050, 11051, 11052, 11053};
    static constexpr int kCentreId = 11040;
    static constexpr int kResetId = 11041;
    static constexpr int kRefreshId = 11074;
    // The percentage buttons of each side and their percentages, in order.
    static constexpr std::array<int, 4> kPercents{10, 30, 50, 70};
    static constexpr std::array<int, 4> kBuyPercentIds{11000, 11013, 11012, 11017};
    static constexpr std::array<int, 4> kSellPercentIds{11016, 11015, 11014, 11018};

    // Feedback labels: shown on an order answer, hidden by their timer.
    static constexpr int kBuyFeedbackTimer = 1;
    static constexpr int kSellFeedbackTimer = 2;
    static constexpr int kFeedbackMs = 4000;

    enum Side { kBuy = 0, kSell = 1 };

    explicit DlgQuickMouse(QWidget* parent = nullptr);
    ~DlgQuickMouse() override;

    void InitUI() override;
    void InitWindow() override;
    void SubscribeMsg() override;
    void ChangeStock(const Json::Value& request) override;
    void OnKoraMsg(const QString& topic, const Json::Value& payload) override;
    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override;

    // The window's stock: a contract the account cannot trade in this window (an option, a
    // future, unknown) is never made current.
    const Json::Value& Stock() const { return Contract(); }
    const QString& AccountId() const { return Presenter().AccountId(); }
    bool IsCreditAccount() const { return m_credit; }
    // 0 ordinary, 1 margin.
    int MarginSwitch(Side side) const { return m_margin[side]; }
    bool IsSweepMode() const { return m_sweep; }
    bool IsStockLocked() const;
    CFastMouseOrderList2& Ladder() const { return *m_ladder; }

protected:
    void OnTimer(int id) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void ShowContract(const Json::Value& contract, const HeldQuote& held) override;
    void Announce(const Kora::Interface::QuoteKey& contract) override;
    void ShowPush(const Kora::Interface::QuotePushRecord& record) override;
    void ShowOrderAnswers(const Json::Value& payload) override;
    void FollowLinkage(const Json::Value& payload) override;

private:
    void CreateControls();
    void LayOutControls();
    void ConnectControls();

    // Accounts and stocks
    void LoadAccounts();
    void ChooseAccount(int index);
    Json::Value AccountQuery() const;
    void ChooseTypedCode(bool announce);
    void SetLocked(bool locked);

    // Sides
    void SetMarginSwitch(Side side, int margin);
    void ResetWindow();
    void ApplyPercent(Side side, int percent);
    void OnVolumeChanged();
    int64_t VolumeOf(Side side) const;
    QChar DirectionOf(Side side) const;

    // The ladder's requests
    void OnLadderRequest(Win::WPARAM request, const Json::Value& payload);
    void PlaceAt(Side side, double price);
    // Cancels the window's working orders of the side, at the price when one is given.
    void CancelOrders(Side side, std::optional<double> price);
    void MoveOrders(Side side, double from, double to);
    std::vector<QString> WorkingOrderIds(Side side, std::optional<double> price) const;
    bool IsWithinLimits(double price) const;
    double DayLimit(const char* name, const char* recordKey) const;

    // What the window shows
    void ShowSnapshot(const Kora::Interface::QuoteSnapshot& snapshot, int32_t divisor, int64_t last);
    void ShowChange();
    void ShowLimits();
    void RefreshAccountFigures();
    void RefreshOrders();
    void ShowPositionSummary();
    void RefreshTrades();
    void ShowFeedback(Side side, const QString& text);
    void ShowOrderFeedback(const Json::Value& payload);
    void ShowSmartOrderState(const Json::Value& payload);
    void SetTradeLocked(bool locked);

    bool m_credit = false;
    int m_decimals = 2;
    double m_tick = 0.01;
    std::array<int, 2> m_margin{0, 0};
    std::array<int64_t, 4> m_quantities{};  // buyable, financeable, sellable, short-sellable
    bool m_sweep = false;
    double m_lastPrice = 0;
    double m_bestBid = 0;
    double m_bestAsk = 0;
    double m_referencePrice = 0;
    double m_tradedVolume = 0;
    QString m_changeText;

    CFastMouseOrderList2* m_ladder = nullptr;
    QLabel* m_codeCaption = nullptr;
    QLineEdit* m_codeEdit = nullptr;
    QLabel* m_nameLabel = nullptr;
    QComboBox* m_accountBox = nullptr;
    CodeLock* m_lock = nullptr;
    QToolButton* m_settingsButton = nullptr;
    QToolButton* m_closeButton = nullptr;
    QTabBar* m_modeTab = nullptr;
    QLabel* m_upperLimitLabel = nullptr;
    QLabel* m_lowerLimitLabel = nullptr;
    QLabel* m_changeLabel = nullptr;
    std::array<QRadioButton*, 2> m_ordinaryRadio{};
    std::array<QRadioButton*, 2> m_marginRadio{};
    std::array<QLabel*, 4> m_quantityLabels{};
    std::array<CPriceHSpinEdit*, 2> m_percentEdit{};
    std::array<QPushButton*, 2> m_applyButton{};
    std::array<std::array<QPushButton*, 4>, 2> m_percentButtons{};
    std::array<CPriceHSpinEdit*, 2> m_volumeEdit{};
    std::array<QLabel*, 2> m_feedback{};
    std::array<QLabel*, 4> m_summaryValues{};
    QCheckBox* m_centreBox = nullptr;
    QPushButton* m_resetButton = nullptr;
    QPushButton* m_refreshButton = nullptr;
    StockTradeList* m_trades = nullptr;
    QTableView* m_tradeView = nullptr;
};
