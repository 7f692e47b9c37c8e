#pragma once

#include <json/value.h>

#include <QColor>
#include <atomic>
#include <functional>
#include <set>
#include <vector>

#include "CKrDlgOperate.h"
#include "COptListTradeBatch.h"
#include "kernel/MsgReceiver.h"
#include "kernel/QuoteReceiver.h"
#include "option/OptionBoardChain.h"
#include "option/OptionBoardFrame.h"
#include "option/OptionBoardRisk.h"
#include "trading/CombinationOrderFollower.h"
#include "trading/TradePrompter.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;
class QToolButton;

// "期权批量交易": the options of one underlying and month as a T-shaped board. The trader ticks
// buy and sell cells, sees the Vega and Delta they add and the premium spread ("风险试算")
// beside those of the account's working orders ("已委"), and sends the ticked legs as one
// combination order ("下单"), which the terminal's combination order page shows for
// confirmation. The smart orders of the confirmed page are followed; their failures are told.
//
// Quotes of the board's options and of the underlying arrive on the host's delivery thread and
// only mark a refresh pending; a 500 ms timer refreshes the board when one is. Message-centre
// messages are re-posted to the window (WM_USER+4097) and handled on its thread.
class CDlgOptionBatchTrade : public CKrDlgOperate,
                             public Kora::Kernel::MsgReceiver,
                             public Kora::Kernel::QuoteReceiver {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 2016;
    static constexpr int kRefreshTimerId = 1;
    static constexpr int kRefreshMs = 500;
    // Controls of the template.
    enum ControlId {
        kWorkingBuyVega = 2101,
        kWorkingBuyDelta,
        kWorkingSellVega,
        kWorkingSellDelta,
        kTrialBuyVega,
        kTrialBuyDelta,
        kTrialSellVega,
        kTrialSellDelta,
        kTrialLegs,
        kTrialSpread,
        kTrialNote,
        kHelpButton,
        kAccountCombo,
        kPriceCombo,
        kQuantityEdit,
        kQuantityUp,
        kQuantityDown,
        kOrderButton,
        kClearButton,
        kUnderlyingCombo,
        kUnderlyingLast,
        kUnderlyingChange,
        kUnderlyingRate,
        kTabBar,
        kBoard,
    };

    explicit CDlgOptionBatchTrade(QWidget* parent = nullptr);
    ~CDlgOptionBatchTrade() override;

    void InitUI() override;
    void InitWindow() override;
    void SubscribeMsg() override;
    void UnSubscribeMsg() override;
    // {"Function": "ChangeStock", "ActivityParam": a linkage}: follows a linked underlying or
    // option to its underlying (and the option's month).
    void ChangeStock(const Json::Value& request) override;
    void OnKoraMsg(const QString& topic, const Json::Value& payload) override;

    // Host threads.
    void OnMsg(const QString& topic, const Json::Value& payload, const Json::Value& extra) override;
    void OnQuotePush(const Kora::Interface::QuotePushRecord& record, const Json::Value& info) override;

    // ---- What the controls do.
    // "下单": checks, composes and opens the combination order page; a refusal is told.
    void PlaceOrder();
    // "清空".
    void ClearTicks();
    // Shows an underlying's options of a month (the nearest when empty or not listed).
    void ShowUnderlying(const Kora::Interface::QuoteKey& underlying, const QString& month = {});
    void ChooseMonth(int index);
    void ChooseTab(OptionBoard::Tab tab);
    void ChooseAccount(int index);
    // The quantity spin: the quantity less `step`, not below 0.
    void StepQuantity(int step);
    // Reads the quotes and fills the board now.
    void Refresh();
    // "?": the help page of "..\cfg\professional.ini".
    void OpenHelp();

    // ---- What it shows.
    const OptionBoard::Chain& Chain() const { return m_chain; }
    const OptionBoard::Frame& Frame() const { return m_frame; }
    COptListTradeBatch& Board() const { return *m_board; }
    const Json::Value& Account() const { return m_account; }
    const OptionBoard::RiskSums& Trial() const { return m_trial; }
    const OptionBoard::RiskSums& Working() const { return m_working; }
    bool IsRefreshPending() const { return m_refreshPending.load(); }
    const CombinationOrderFollower& Orders() const { return m_orders; }
    // Called, once the board shows a refresh (as the board paints it, or at once when nothing in
    // view changed), with the host's stamp of the newest quote push that refresh read.
    void SetRefreshShownObserver(std::function<void(int64_t newestPushNs)> observer);

protected:
    void OnTimer(int id) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Colors {
        QColor tabBackground, atTheMoneyBackground, atTheMoneyText, strikeBackground, strikeText;
        QColor inTheMoney[2], outOfTheMoney[2];
        QColor boardBackground, boardText;
        COptListTradeBatch::HeaderColors header;
    };

    void CreateControls();
    void LayOutControls();
    void ConnectControls();
    void ReadColors();
    void StyleButtons();

    void LoadAccounts();
    void LoadUnderlyings();
    // The underlying shown first: the first whose options the account trades, else the first.
    Kora::Interface::QuoteKey FirstUnderlying() const;
    void FollowLinkage(const Json::Value& linkage);

    OptionBoard::Market ReadMarket(Kora::Interface::QuoteSnapshot& underlying, bool& hasUnderlying) const;
    void ShowUnderlyingLine(const Kora::Interface::QuoteSnapshot& snapshot, bool known);
    // Gives the board the frame's cells; true when something in view changed.
    bool PaintFrame();
    // Tells the observer the newest push the board shows, once.
    void ReportShown();
    std::vector<OptionBoard::Leg> TickedLegs() const;
    QString LegName(COptListTradeBatch::CellRef cell) const;
    void RecomputeTrial();
    void RecomputeWorking();
    void ShowSums(const OptionBoard::RiskSums& sums, int buyVega, int buyDelta, int sellVega, int sellDelta);
    int AccountCategory() const;

    OptionBoard::Chain m_chain;
    OptionBoard::Tab m_tab = OptionBoard::Tab::kImpliedVolatility;
    std::vector<OptionBoard::RowQuotes> m_quotes;
    OptionBoard::Market m_market;
    OptionBoard::Frame m_frame;
    OptionBoard::RiskSums m_trial;
    OptionBoard::RiskSums m_working;
    // A new chain centres its at-the-money row once filled, and keeps it centred as the board is
    // resized until the trader scrolls.
    bool m_centreWhenFilled = false;
    int m_anchorRow = -1;
    int m_anchorScroll = 0;
    Json::Value m_account;
    Colors m_colors;

    std::atomic<bool> m_refreshPending{false};
    std::atomic<int64_t> m_newestPushNs{0};
    int64_t m_shownPushNs = 0;
    int64_t m_reportedPushNs = 0;
    std::function<void(int64_t)> m_refreshShownObserver;

    WindowPrompter m_prompter;
    CombinationOrderFollower m_orders;

    QComboBox* m_accountBox = nullptr;
    QComboBox* m_priceBox = nullptr;
    QLineEdit* m_quantityEdit = nullptr;
    QPushButton* m_orderButton = nullptr;
    QPushButton* m_clearButton = nullptr;
    QToolButton* m_helpButton = nullptr;
    QComboBox* m_underlyingBox = nullptr;
    QTabBar* m_tabs = nullptr;
    QWidget* m_tabStrip = nullptr;
    COptListTradeBatch* m_board = nullptr;
};
