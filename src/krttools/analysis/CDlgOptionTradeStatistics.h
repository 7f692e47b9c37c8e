#pragma once

#include <vector>

#include "CKrDlg.h"
#include "analysis/StrikeStatistics.h"
#include "analysis/TradeStatisticsTexts.h"
#include "kora/interface/QuoteKey.h"

class CESwitch;
class EChart;
class QComboBox;
class QLabel;
class QWidget;

// "期权成交统计": the calls and puts of one underlying and expiry month compared strike by
// strike (volume, turnover, net buying, open interest and its change, implied volatility) and
// the maximum-pain analysis, one statistic at a time on the chart, with a summary table of the
// call and put totals below it. The figures are today's as the host holds them when the rows
// are built: on opening and whenever another underlying or month is chosen, each time after the
// quote data download has made sure the host holds the chain's daily history.
class CDlgOptionTradeStatistics : public CKrDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 11014;
    enum ControlId {
        kUnderlyingCombo = 11118,
        kMonthCombo = 11119,
        kChart = 20000,
        kSwitchBar = 20001,
        kMoreLink = 20002,
        kQuoteLink = 20003,
        kDataText = 20004,
    };
    static constexpr int kDataTextTimer = 1;
    static constexpr int kDataTextPeriodMs = 100;

    explicit CDlgOptionTradeStatistics(QWidget* parent = nullptr);

    // Shows a statistic, as a click on its switch item does (index in TradeStatistic order).
    Q_INVOKABLE void ShowStatistic(int index);
    TradeStatistic Statistic() const { return m_statistic; }

    const Kora::Interface::QuoteKey& Underlying() const { return m_underlying; }
    const std::vector<StrikeStatistics>& Rows() const { return m_rows; }
    // -1 when there is no strike.
    double MaxPainPrice() const { return m_maxPain.price; }
    const std::vector<TradeSummaryRow>& Summary() const { return m_summary; }

    // "更多": the underlying is announced to the linked windows and the option batch board
    // opens, on it, through its instruct.
    void OpenMore();
    // "报价界面": the underlying is announced, so the terminal's quote view shows its options.
    void OpenQuoteView();

protected:
    bool OnInitDialog() override;
    void OnTimer(int id) override;
    void paintEvent(QPaintEvent* event) override;
    void done(int result) override;

private:
    void BuildControls();
    void FillUnderlyings();
    void FillMonths();
    void Rebuild();
    void DrawChart();
    void ShowDataText();
    void AnnounceUnderlying();
    void PaintSummary(QPainter& painter, const QRect& area) const;

    QComboBox* m_underlyingBox = nullptr;
    QComboBox* m_monthBox = nullptr;
    CESwitch* m_switch = nullptr;
    EChart* m_chart = nullptr;
    QLabel* m_dataText = nullptr;
    QWidget* m_summaryArea = nullptr;

    Kora::Interface::QuoteKey m_underlying;
    int m_priceDecimals = 0;
    TradeStatistic m_statistic = TradeStatistic::Volume;
    std::vector<StrikeStatistics> m_rows;
    OptionPricing::MaxPainResult m_maxPain;
    std::vector<TradeSummaryRow> m_summary;
};
