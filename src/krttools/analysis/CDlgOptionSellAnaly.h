#pragma once

#include <atomic>
#include <optional>

#include "CKrDlg.h"
#include "kernel/QuoteReceiver.h"
#include "option/pricing/ShortOptionAnalysis.h"
#include "option/valuation/ListedOption.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;
class SellOptionList;
class SellProfitModel;

// "卖方分析" (template 11009): for a trader who considers writing an option. It lists the options
// of an underlying with the host's figures; a click on one (or "更换标的" and the option chooser)
// makes it the analysed option and shows its details; "计算" values it at the historical
// volatility, finds its implied volatility at the planned selling price and fills the profit
// table of the short position over a ladder of underlying prices, with the chance of each
// price under three volatility regimes and the probability-weighted average profit.
// "参数设定" changes the ladder and the regimes and computes again. The chosen option and its
// underlying are followed through the quote receiver; "刷新行情" reads the list's figures again.
class CDlgOptionSellAnaly : public CKrDlg, public Kora::Kernel::QuoteReceiver {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 11009;
    enum ControlId {
        kUnderlyingCombo = 11073,
        kAllMonthsRadio = 17070,
        kNearestMonthRadio = 17071,
        kNearestThreeMonthsRadio = 1107,
        kCallCheck = 17079,
        kPutCheck = 17153,
        kInTheMoneyCheck = 17120,
        kAtTheMoneyCheck = 1010,
        kOutOfTheMoneyCheck = 1011,
        kOptionList = 11107,
        kOptionName = 11101,
        kClass = 1002,
        kKind = 1003,
        kStrike = 1012,
        kContractUnit = 1016,
        kExpiry = 1017,
        kDaysLeft = 1018,
        kUnderlyingName = 1019,
        kExerciseStyle = 1028,
        kUnderlyingPrice = 1029,
        kHistoryDays = 1020,
        kChangeButton = 11006,
        kSellPrice = 1021,
        kQuantity = 1022,
        kRate = 1035,
        kHisVolatility = 1023,
        kImpliedVolatility = 1024,
        kIntrinsicValue = 1025,
        kTimeValue = 1026,
        kTheoreticalPrice = 1027,
        kDelta = 1030,
        kGamma = 1031,
        kRho = 1032,
        kTheta = 1033,
        kVega = 1034,
        kComputeButton = 11009,
        kSettingsButton = 11008,
        kProfitTable = 1210,
        kSummaryTable = 1212,
        kRefreshButton = 1,
    };
    // Timer 1 follows a click in the list, timer 2 a change of underlying; both fire once.
    static constexpr int kClickTimer = 1;
    static constexpr int kChangeTimer = 2;
    static constexpr int kTimerMs = 100;
    static constexpr Win::UINT kQuoteMessage = Win::WM_USER + 4128;

    explicit CDlgOptionSellAnaly(QWidget* parent = nullptr);
    ~CDlgOptionSellAnaly() override;

    // A click on a row of the option list: timer 1 then downloads the option's history and
    // shows it.
    void OnOptionClicked(int row);
    // "更换标的": the option chooser; a chosen option becomes the analysed one.
    void ChangeUnderlying();
    // Takes an option as the analysed one: its underlying in the combo and the list, its
    // history downloaded, and timer 2 then selects it in the list and shows its details.
    void TakeOption(const Kora::Interface::QuoteKey& option);
    // The same for a contract in its text form "(marketId,code)", for callers that reach the
    // dialog only as a QDialog (through the meta-object system).
    Q_INVOKABLE void TakeOptionText(const QString& option);
    // "计算".
    Q_INVOKABLE void Compute();
    // "参数设定": the settings dialog, then "计算" when it is confirmed.
    void OpenSettings();
    // "刷新行情".
    void RefreshQuotes();

    // The analysed option; nothing before one is chosen.
    const std::optional<OptionValuation::ListedOption>& Chosen() const { return m_chosen; }
    const OptionPricing::SellLadder& Ladder() const { return m_ladder; }
    SellOptionList& Options() const { return *m_options; }
    SellProfitModel& ProfitRows() const { return *m_profitRows; }
    SellProfitModel& Summary() const { return *m_summary; }

    void OnQuotePush(const Kora::Interface::QuotePushRecord& record, const Json::Value& info) override;
    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override;

protected:
    bool OnInitDialog() override;
    void OnTimer(int id) override;

private:
    void BuildControls();
    QWidget* BuildFilters();
    QWidget* BuildDetails();
    QWidget* BuildInputs();
    QWidget* BuildResults();
    QWidget* BuildProfitTables();
    void ShowLadder();
    void FillUnderlyings();
    void OnUnderlyingChanged();
    void ApplyFilter();
    void Download(const Kora::Interface::QuoteKey& option);
    void ShowOption(const Kora::Interface::QuoteKey& option);
    void ShowUnderlyingPrice();
    bool Validate();

    QComboBox* m_underlyings = nullptr;
    QTableView* m_list = nullptr;
    QLabel* m_ladderText = nullptr;
    SellOptionList* m_options = nullptr;
    SellProfitModel* m_profitRows = nullptr;
    SellProfitModel* m_summary = nullptr;
    std::optional<OptionValuation::ListedOption> m_chosen;
    // The option a timer will show: clicked (timer 1) or taken (timer 2).
    Kora::Interface::QuoteKey m_pending;
    OptionPricing::SellLadder m_ladder;
    std::atomic<bool> m_quotePending{false};
};
