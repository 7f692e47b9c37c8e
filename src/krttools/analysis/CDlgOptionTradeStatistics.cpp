#include "analysis/CDlgOptionTradeStatistics.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <functional>

#include "CESwitch.h"
#include "EChart.h"
#include "chooser/CDlgDownQuotaData.h"
#include "kernel/HostAccess.h"
#include "kora/interface/BaseQuoteDataSvcI.h"
#include "kora/interface/FrameServicesI.h"
#include "kora/interface/InstructI.h"
#include "kora/interface/OptionsDataSvcI.h"
#include "platform/ColorRef.h"
#include "platform/ControlId.h"

using Kora::Kernel::GetService;
using Kora::Utility::Handle;
namespace I = Kora::Interface;

namespace {

const QColor kCallColor(249, 79, 82);
const QColor kPutColor(25, 124, 31);
const QColor kChartBackground(Qt::black);
const QColor kChartAxes(Qt::red);
const QColor kChartText(0xD0, 0xD0, 0xD0);
const QColor kChartGrid(0x30, 0x30, 0x30);

constexpr const char* kSwitchItems[kTradeStatisticCount] = {
    "  成交量  ", "  成交额  ", "  净买量  ", "  持仓量  ", "   仓差   ", "  隐含波动率  ", "  最痛点位  ",
};

// The figure a statistic charts per contract (the pains come from the maximum-pain analysis).
std::function<double(const SideStatistics&)> FigureOf(TradeStatistic statistic) {
    switch (statistic) {
        case TradeStatistic::Volume:
            return [](const SideStatistics& s) { return s.volume; };
        case TradeStatistic::Turnover:
            return [](const SideStatistics& s) { return s.turnover; };
        case TradeStatistic::NetBuying:
            return [](const SideStatistics& s) { return s.netBuying; };
        case TradeStatistic::OpenInterest:
            return [](const SideStatistics& s) { return s.openInterest; };
        case TradeStatistic::OpenInterestChange:
            return [](const SideStatistics& s) { return s.openInterestChange; };
        case TradeStatistic::ImpliedVolatility:
            return [](const SideStatistics& s) { return s.impliedVolatility; };
        case TradeStatistic::MaxPain:
            break;
    }
    return [](const SideStatistics&) { return 0.0; };
}

QLabel* Link(const QString& text, int id, QWidget* parent) {
    auto* link = new QLabel(
        QStringLiteral("<a href=\"#\" style=\"color:#1E5FBF; text-decoration:none\">%1</a>").arg(text),
        parent);
    Win::SetControlId(link, id);
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    link->setCursor(Qt::PointingHandCursor);
    return link;
}

}  // namespace

CDlgOptionTradeStatistics::CDlgOptionTradeStatistics(QWidget* parent) : CKrDlg(kTemplateId, parent) {
    setWindowTitle(QStringLiteral("期权成交统计"));
    BuildControls();
}

void CDlgOptionTradeStatistics::BuildControls() {
    auto* outer = new QVBoxLayout(this);
    auto* choice = new QHBoxLayout;
    choice->addWidget(new QLabel(QStringLiteral("标的"), this));
    m_underlyingBox = new QComboBox(this);
    Win::SetControlId(m_underlyingBox, kUnderlyingCombo);
    m_underlyingBox->setMinimumWidth(150);
    choice->addWidget(m_underlyingBox);
    choice->addSpacing(12);
    choice->addWidget(new QLabel(QStringLiteral("月份"), this));
    m_monthBox = new QComboBox(this);
    Win::SetControlId(m_monthBox, kMonthCombo);
    m_monthBox->setMinimumWidth(90);
    choice->addWidget(m_monthBox);
    choice->addStretch(1);
    QLabel* more = Link(QStringLiteral("更多"), kMoreLink, this);
    QLabel* quote = Link(QStringLiteral("报价界面"), kQuoteLink, this);
    choice->addWidget(more);
    choice->addSpacing(12);
    choice->addWidget(quote);
    outer->addLayout(choice);

    auto* bar = new QHBoxLayout;
    m_switch = new CESwitch(this);
    Win::SetControlId(m_switch, kSwitchBar);
    CESwitch::Colors switchColours;
    switchColours.chosenFace = QColor(0xC8, 0x2A, 0x2E);
    switchColours.chosenText = Qt::white;
    m_switch->SetColors(switchColours);
    for (const char* item : kSwitchItems) {
        m_switch->AddItem(QString::fromUtf8(item));
    }
    bar->addWidget(m_switch);
    bar->addStretch(1);
    m_dataText = new QLabel(this);
    Win::SetControlId(m_dataText, kDataText);
    bar->addWidget(m_dataText);
    outer->addLayout(bar);

    m_chart = new EChart(this);
    Win::SetControlId(m_chart, kChart);
    m_chart->SetBackgroundColor(kChartBackground);
    m_chart->SetAxisColor(kChartAxes);
    m_chart->SetTextColor(kChartText);
    m_chart->SetGridColor(kChartGrid);
    m_chart->SetPointsVisible(false);
    m_chart->SetZeroLineVisible(true);
    m_chart->SetZeroLineColor(QColor(0x90, 0x90, 0x90));
    m_chart->SetXLabelCallback([this](int, double x) { return QString::number(x, 'f', m_priceDecimals); });
    outer->addWidget(m_chart, 1);

    // The table is painted by the dialog itself over this empty area.
    m_summaryArea = new QWidget(this);
    m_summaryArea->setFixedHeight(7 * 24 + 1);
    outer->addWidget(m_summaryArea);
    resize(980, 680);

    connect(m_underlyingBox, &QComboBox::activated, this, [this] {
        FillMonths();
        Rebuild();
    });
    connect(m_monthBox, &QComboBox::activated, this, [this] { Rebuild(); });
    connect(m_switch, &CESwitch::selectionChanged, this, [this](int index) { ShowStatistic(index); });
    connect(more, &QLabel::linkActivated, this, [this] { OpenMore(); });
    connect(quote, &QLabel::linkActivated, this, [this] { OpenQuoteView(); });
}

bool CDlgOptionTradeStatistics::OnInitDialog() {
    FillUnderlyings();
    FillMonths();
    Rebuild();
    SetTimer(kDataTextTimer, kDataTextPeriodMs);
    ShowStatistic(static_cast<int>(TradeStatistic::Volume));
    return true;
}

void CDlgOptionTradeStatistics::done(int result) {
    KillTimer(kDataTextTimer);
    CKrDlg::done(result);
}

void CDlgOptionTradeStatistics::FillUnderlyings() {
    m_underlyingBox->clear();
    Handle<I::OptionsDataSvcI> options = GetService<I::OptionsDataSvcI>();
    if (!options) {
        return;
    }
    for (const I::QuoteKey& key : options->GetUnderlyings()) {
        const QString name = options->GetUnderlyingName(key);
        m_underlyingBox->addItem(name.isEmpty() ? key.code : name, key.ToText());
    }
}

void CDlgOptionTradeStatistics::FillMonths() {
    m_monthBox->clear();
    m_underlying = I::QuoteKey::FromText(m_underlyingBox->currentData().toString());
    Handle<I::OptionsDataSvcI> options = GetService<I::OptionsDataSvcI>();
    if (!options || !m_underlying.IsValid()) {
        return;
    }
    for (const QString& month : options->GetMonths(m_underlying)) {
        m_monthBox->addItem(month);
    }
}

void CDlgOptionTradeStatistics::Rebuild() {
    Handle<I::OptionsDataSvcI> options = GetService<I::OptionsDataSvcI>();
    const QString month = m_monthBox->currentText();
    std::vector<I::OptionChainRow> chain;
    if (options && m_underlying.IsValid() && !month.isEmpty()) {
        chain = options->GetChainRows(m_underlying, month);
    }
    I::QuoteKeySet contracts;
    for (const I::OptionChainRow& row : chain) {
        for (const I::QuoteKey& key : {row.call, row.put}) {
            if (key.IsValid()) {
                contracts.insert(key);
            }
        }
    }
    // The change of open interest needs each contract's daily history.
    if (!contracts.empty()) {
        CDlgDownQuotaData download(this);
        download.contracts = contracts;
        download.DoModal();
    }
    m_rows = LoadStrikeStatistics(chain);
    m_maxPain = MaxPainOf(m_rows).value_or(OptionPricing::MaxPainResult{});
    m_summary = SummarizeTrades(m_rows, m_maxPain.price);
    Handle<I::BaseQuoteDataSvcI> quotes = GetService<I::BaseQuoteDataSvcI>();
    I::ContractInfo info;
    m_priceDecimals =
        quotes && quotes->GetContractInfo(m_underlying, info) ? std::clamp(info.decimals, 0, 6) : 2;
    DrawChart();
    update();
}

void CDlgOptionTradeStatistics::ShowStatistic(int index) {
    if (index < 0 || index >= kTradeStatisticCount) {
        return;
    }
    m_statistic = static_cast<TradeStatistic>(index);
    m_switch->SetCurSel(index);
    DrawChart();
    ShowDataText();
}

void CDlgOptionTradeStatistics::DrawChart() {
    m_chart->RemoveAllSeries();
    m_chart->SetTitle(QString::fromUtf8(kSwitchItems[static_cast<int>(m_statistic)]).trimmed());
    m_chart->SetYLabelFormatter(nullptr);
    std::vector<double> x;
    std::vector<double> call;
    std::vector<double> put;
    if (m_statistic == TradeStatistic::MaxPain) {
        for (const OptionPricing::MaxPainPoint& point : m_maxPain.points) {
            x.push_back(point.price);
            call.push_back(point.callPain);
            put.push_back(point.putPain);
        }
    } else {
        const auto figure = FigureOf(m_statistic);
        for (const StrikeStatistics& row : m_rows) {
            x.push_back(row.price);
            call.push_back(row.call.known ? figure(row.call) : 0.0);
            put.push_back(row.put.known ? figure(row.put) : 0.0);
        }
    }
    m_chart->SetXValues(std::move(x));
    switch (m_statistic) {
        case TradeStatistic::ImpliedVolatility:
            m_chart->SetYLabelFormatter([](double value, double step) {
                return QString::asprintf("%.*f%%", step * 100 >= 1 ? 0 : 1, value * 100);
            });
            m_chart->AddLine(QStringLiteral("隐波率"), kCallColor, std::move(call), 2);
            m_chart->AddLine(QStringLiteral("隐波率1"), kPutColor, std::move(put), 2);
            break;
        case TradeStatistic::MaxPain:
            m_chart->SetBarLayout(EChart::BarLayout::Stacked);
            m_chart->AddBars(QStringLiteral("认购"), kCallColor, std::move(call));
            m_chart->AddBars(QStringLiteral("认沽"), kPutColor, std::move(put));
            break;
        default:
            m_chart->SetBarLayout(EChart::BarLayout::SideBySide);
            m_chart->AddBars(QStringLiteral("认购"), kCallColor, std::move(call));
            m_chart->AddBars(QStringLiteral("认沽"), kPutColor, std::move(put));
            break;
    }
    m_chart->UpdateChart();
}

void CDlgOptionTradeStatistics::OnTimer(int id) {
    if (id == kDataTextTimer) {
        ShowDataText();
    }
}

void CDlgOptionTradeStatistics::ShowDataText() {
    const int index = m_chart->CurrentIndex();
    if (index < 0) {
        m_dataText->clear();
        return;
    }
    m_dataText->setText(
        QStringLiteral("行权价 %1    %2")
            .arg(QString::number(m_chart->XValue(index), 'f', m_priceDecimals),
                 PointDataText(m_statistic, m_chart->Value(0, index), m_chart->Value(1, index))));
}

void CDlgOptionTradeStatistics::AnnounceUnderlying() {
    Handle<I::ActivityMgrSvcI> activity = GetService<I::ActivityMgrSvcI>();
    if (!activity || !m_underlying.IsValid()) {
        return;
    }
    Json::Value params(Json::objectValue);
    params["Stock"] = m_underlying.ToText().toStdString();
    params["CWID"] = "OptionTradeStatistics";
    params["KRTFrame"] = "KRTFrame";
    activity->AnnounceStockChanged(params);
}

void CDlgOptionTradeStatistics::OpenMore() {
    AnnounceUnderlying();
    if (Handle<I::InstructSvcI> instructs = GetService<I::InstructSvcI>()) {
        Json::Value request(Json::objectValue);
        request["Function"] = "PopOptBatchTrade";
        instructs->ExecuteInstruct(request);
    }
}

void CDlgOptionTradeStatistics::OpenQuoteView() {
    AnnounceUnderlying();
}

void CDlgOptionTradeStatistics::paintEvent(QPaintEvent* event) {
    CKrDlg::paintEvent(event);
    QPainter painter(this);
    PaintSummary(painter, m_summaryArea->geometry());
}

void CDlgOptionTradeStatistics::PaintSummary(QPainter& painter, const QRect& area) const {
    static constexpr double kWeights[] = {1.3, 0.9, 1.2, 2.0, 2.0, 1.7};
    static constexpr double kWeightSum = 1.3 + 0.9 + 1.2 + 2.0 + 2.0 + 1.7;
    const int rows = 1 + static_cast<int>(m_summary.size());
    const double rowHeight = double(area.height() - 1) / rows;
    std::vector<double> edges{double(area.left())};
    for (double weight : kWeights) {
        edges.push_back(edges.back() + (area.width() - 1) * weight / kWeightSum);
    }
    const auto cell = [&](int column, int row, int rowSpan = 1) {
        return QRectF(edges[column], area.top() + row * rowHeight, edges[column + 1] - edges[column],
                      rowHeight * rowSpan);
    };
    // The terminal's theme decides the table's face; the call and put figures keep the chart's
    // colours, the put green lightened on a dark face so that it stays readable.
    const QPalette& colours = palette();
    const QColor header = colours.button().color();
    const QColor titles = colours.alternateBase().color();
    const QColor grid = colours.mid().color();
    const QColor text = colours.text().color();
    const bool dark = colours.base().color().lightness() < 128;
    const QColor callText = dark ? kCallColor : kCallColor.darker(115);
    const QColor putText = dark ? kPutColor.lighter(160) : kPutColor;

    painter.fillRect(QRectF(area), colours.base());
    painter.fillRect(QRectF(edges[0], area.top(), edges.back() - edges[0], rowHeight), header);
    painter.fillRect(cell(2, 1, rows - 1), titles);
    const char* headings[] = {"标的", "月份", "", "认购", "认沽", "认购/认沽"};
    painter.setPen(text);
    for (int c = 0; c < 6; ++c) {
        painter.drawText(cell(c, 0), Qt::AlignCenter, QString::fromUtf8(headings[c]));
    }
    painter.drawText(cell(0, 1, rows - 1), Qt::AlignCenter | Qt::TextWordWrap,
                     m_underlyingBox->currentText());
    painter.drawText(cell(1, 1, rows - 1), Qt::AlignCenter, m_monthBox->currentText());
    for (int r = 0; r < static_cast<int>(m_summary.size()); ++r) {
        const TradeSummaryRow& row = m_summary[static_cast<size_t>(r)];
        painter.setPen(text);
        painter.drawText(cell(2, r + 1), Qt::AlignCenter, row.title);
        painter.setPen(callText);
        painter.drawText(cell(3, r + 1), Qt::AlignCenter, row.call);
        painter.setPen(putText);
        painter.drawText(cell(4, r + 1), Qt::AlignCenter, row.put);
        painter.setPen(text);
        painter.drawText(cell(5, r + 1), Qt::AlignCenter, row.relation);
    }

    painter.setPen(grid);
    for (int r = 0; r <= rows; ++r) {
        const double y = area.top() + r * rowHeight;
        painter.drawLine(QPointF(r == 0 || r == 1 || r == rows ? edges[0] : edges[2], y),
                         QPointF(edges.back(), y));
    }
    for (double x : edges) {
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.top() + rows * rowHeight));
    }
}
