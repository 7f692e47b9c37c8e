#pragma once

#include <json/value.h>

#include <QImage>
#include <functional>
#include <memory>

#include "CKrDlgOperate.h"
#include "analysis/CSumAnalyzeData.h"
#include "analysis/PositionAnalyzeLists.h"
#include "kernel/LatestQuoteSlot.h"
#include "kernel/MsgReceiver.h"
#include "kernel/QuoteReceiver.h"

class CKrOwnerDrawList;
class CKrPriceHSpinEdit;
class EChart;
class QComboBox;
class QLineEdit;

// "持仓风险分析" (template 11005): the Greeks of an account's option positions ("真实持仓分析")
// and of positions the user adds by hand ("增加模拟持仓"), their sum ("调整后风险值"), and two
// charts of the summed Greeks against the underlying price, the volatility, the rate or the days
// left, valued in the chosen underlying's market ("风险试算"), which the user may change. "一键下单"
// sends the simulated positions to the host's combination order page.
//
// The market parameters of each underlying are kept by the tools service and outlive the
// window. Account events (re-posted as 5121) and quotes of the chosen underlying and of the
// positions' options (5152; pushes that arrive before the window took the last one replace it)
// are handled on the window's thread; each revaluation of a set comes back as 5151 and redraws
// its list, the sum's also the charts.
class CDlgPositionAnalyze : public CKrDlgOperate,
                            public Kora::Kernel::MsgReceiver,
                            public Kora::Kernel::QuoteReceiver {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 11005;
    enum ControlId {
        kGroupCombo = 11074,
        kAccountCombo = 1024,
        kTradeStatisticsButton = 11002,
        kPriceCalcButton = 11001,
        kSellAnalysisButton = 11000,
        kRefreshButton = 11042,
        kRealList = 11078,
        kSimulatedCaption = 11116,
        kAddButton = 11102,
        kDeleteButton = 11080,
        kSimulatedList = 11063,
        kSumCaption = 11117,
        kSumList = 11079,
        kUnderlyingCombo = 9007,
        kDaysEdit = 11085,
        kVolatilityEdit = 11090,
        kPriceEdit = 11092,
        kRateEdit = 11094,
        kImpliedVolatilityEdit = 11088,
        kRestoreButton = 11041,
        kHelpButton = 11104,
        kGreekComboA = 9008,
        kAxisComboA = 9010,
        kGreekComboB = 9009,
        kAxisComboB = 9011,
        kXAxisLink = 11099,
        kOneClickButton = 9020,
        kChartA = 11081,
        kChartB = 11083,
    };
    static constexpr Win::UINT kAccountEvent = 5121;
    static constexpr Win::UINT kUnderlyingQuote = 5152;
    enum MenuCommand { kMenuAdd = 40001, kMenuDelete = 40002 };
    static constexpr int kSumRowHeight = 20;

    explicit CDlgPositionAnalyze(QWidget* parent = nullptr);
    ~CDlgPositionAnalyze() override;

    // The X-axis label count of every position risk window; each new window sets it to 4.
    static int LabelCount();
    // The chart's X label of point `index` (value x) of `pointCount`: every (n / m)-th point
    // only, once there are at least m = `labelCount` points; "%.4f" above 99 points, else "%.0f".
    static QString XAxisLabel(int index, double x, int pointCount, int labelCount);

    CPositionAnalyzeData& RealSet() const { return *m_real; }
    CPositionAnalyzeData& SimulatedSet() const { return *m_simulated; }
    CSumAnalyzeData& SumSet() const { return *m_sum; }
    CKrOwnerDrawList& RealList() const { return *m_realList; }
    CKrOwnerDrawList& SimulatedList() const { return *m_simulatedList; }
    CKrOwnerDrawList& SumList() const { return *m_sumList; }
    EChart& ChartA() const { return *m_chartA; }
    EChart& ChartB() const { return *m_chartB; }
    const Json::Value& Account() const { return m_account; }
    const Kora::Interface::QuoteKey& Underlying() const { return m_underlying; }
    double Persent() const { return m_persent; }

    // The window's commands, as its buttons, combos and menu run them.
    void OnAccountChosen();
    void OnGroupChosen();
    void OnUnderlyingChosen();
    void Refresh();
    void Restore();
    void AddSimulated();
    void DeleteSimulated();
    void OneClickOrder();
    void OpenXAxisSettings();
    void OpenHelp();
    // Runs one of the component's instructs (the tool buttons).
    void RunInstruct(const QString& instruct);

    // For measuring: called with the host's stamp of an underlying quote once both lists and
    // both charts have been painted after it.
    void SetQuoteShownObserver(std::function<void(int64_t enqueuedNs)> observer);
    // Quote pushes received, and those handled (later pushes replace one not yet handled).
    uint64_t QuotesReceived() const { return m_quotes.Stored(); }
    uint64_t QuotesHandled() const { return m_quotesHandled; }

    void InitUI() override;
    void InitWindow() override;
    void SubscribeMsg() override;
    void UnSubscribeMsg() override;
    void OnMsg(const QString& topic, const Json::Value& payload, const Json::Value& extra) override;
    void OnQuotePush(const Kora::Interface::QuotePushRecord& record, const Json::Value& info) override;
    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override;

private:
    QWidget* BuildTopBar();
    QWidget* BuildTrialPanel();
    QWidget* BuildChartPanel(const QString& title, int greekId, int axisId, int chartId, EChart*& chart,
                             int initialGreek);
    void WireControls();

    void FillAccounts();
    void FillGroups();
    void FillUnderlyings();
    void LoadAccount(const Json::Value& account);
    // Makes the first underlying of the account's positions the chosen one, unless the chosen
    // one is among them; true when the choice changed (and the sums were recomputed).
    bool ChooseHeldUnderlying();
    void ShowParameters(const AnalyzeParameters& parameters);
    void ReadParameters();
    void FollowQuotes();
    void RecomputeSums();
    void OnAccountEvent(const QString& topic, const Json::Value& payload);
    void OnCellClicked(CKrOwnerDrawList& list);
    void OnQuote();
    void OnRevalued(Win::WPARAM rows, Win::LPARAM set);
    void FillChart(EChart& chart, int greekId, int axisId);
    void ShowSimulatedMenu(const QPoint& at);
    void NotePainted(QObject* widget);
    UnderlyingParameters& Parameters();
    Json::Value SimulatedPositions() const;

    // The tools service's store; a window without one keeps its own.
    std::unique_ptr<UnderlyingParameters> m_ownParameters;
    std::unique_ptr<CPositionAnalyzeData> m_real;
    std::unique_ptr<CPositionAnalyzeData> m_simulated;
    std::unique_ptr<CSumAnalyzeData> m_sum;
    Json::Value m_account;
    Kora::Interface::QuoteKey m_underlying;
    double m_persent = 0.5;
    PositionAnalyzeLists::Bitmaps m_bitmaps;

    QComboBox* m_groups = nullptr;
    QComboBox* m_accounts = nullptr;
    QComboBox* m_underlyings = nullptr;
    CKrOwnerDrawList* m_realList = nullptr;
    CKrOwnerDrawList* m_simulatedList = nullptr;
    CKrOwnerDrawList* m_sumList = nullptr;
    CKrPriceHSpinEdit* m_daysEdit = nullptr;
    CKrPriceHSpinEdit* m_volatilityEdit = nullptr;
    CKrPriceHSpinEdit* m_priceEdit = nullptr;
    CKrPriceHSpinEdit* m_rateEdit = nullptr;
    EChart* m_chartA = nullptr;
    EChart* m_chartB = nullptr;

    Kora::Kernel::LatestQuoteSlot m_quotes;
    std::function<void(int64_t)> m_quoteShownObserver;
    int64_t m_unpaintedStamp = 0;
    int m_paintsAwaited = 0;
    uint64_t m_quotesHandled = 0;
};
