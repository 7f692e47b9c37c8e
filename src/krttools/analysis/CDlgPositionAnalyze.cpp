#include "analysis/CDlgPositionAnalyze.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>
#include <cmath>

#include "CKrImageButton.h"
#include "CKrOwnerDrawList.h"
#include "CKrPriceHSpinEdit.h"
#include "EChart.h"
#include "KRUI.h"
#include "analysis/CDlgXAxisSet.h"
#include "analysis/OneClickOrder.h"
#include "analysis/PositionRecord.h"
#include "chooser/CDlgSel.h"
#include "kernel/HostAccess.h"
#include "kora/interface/AddinI.h"
#include "kora/interface/BaseQuoteDataSvcI.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/InstructI.h"
#include "kora/interface/KRTEngineI.h"
#include "kora/interface/OptionsDataSvcI.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "ladder/QuickMouseHost.h"
#include "option/valuation/ListedOption.h"
#include "platform/ColorRef.h"
#include "platform/ControlId.h"
#include "platform/DialogPalette.h"
#include "platform/DlgItemText.h"
#include "platform/IniFile.h"
#include "platform/WindowToken.h"
#include "trading/TradingCodes.h"

namespace I = Kora::Interface;
namespace Topic = Kora::Interface::Topic;
using Kora::Kernel::GetService;
using Kora::Utility::Handle;
using Kora::Utility::JsonText;
using Kora::Utility::JsonWText;
using Kora::Utility::Member;

namespace {

std::atomic<int> g_labelCount{CDlgXAxisSet::kLeastLabelCount};

const QString kAllPositions = QStringLiteral("全部持仓");
const QStringList kGreeks{QStringLiteral("Delta"), QStringLiteral("Gamma"), QStringLiteral("Theta"),
                          QStringLiteral("Vega"), QStringLiteral("Rho")};
// In axis order (RiskCurves::Axis).
const QStringList kAxes{QStringLiteral("标的价格"), QStringLiteral("历史波动率"),
                        QStringLiteral("无风险利率"), QStringLiteral("日期")};
constexpr uint32_t kCurveColour = 255;  // red
constexpr int kFieldWidth = 110;
// What the account event carries across the post.
using AccountEvent = std::pair<QString, Json::Value>;

// The window's own light face: the terminal's theme may be dark, the charts are white.
const char* const kLightFace =
    "CDlgPositionAnalyze, QWidget#PositionAnalyzeContent { background: #F4F5F7; }"
    "QLabel, QGroupBox { color: #2B2B2B; }"
    "QGroupBox { border: 1px solid #C9CED6; border-radius: 3px; margin-top: 10px; padding-top: 6px; }"
    "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; font-weight: bold; }"
    "QPushButton { background: #FFFFFF; color: #1A1A1A; border: 1px solid #B4BCC8; border-radius: 2px;"
    "  padding: 3px 12px; }"
    "QPushButton:hover { background: #EAF1FB; border-color: #7C9CC8; }"
    "QPushButton:pressed { background: #D6E3F5; }"
    "QComboBox { background: #FFFFFF; color: #1A1A1A; border: 1px solid #B4BCC8; padding: 1px 6px;"
    "  min-height: 20px; }"
    "QComboBox QAbstractItemView { background: #FFFFFF; color: #1A1A1A; selection-background-color: #3378D6; "
    "}"
    "QLineEdit { background: #FFFFFF; color: #1A1A1A; selection-background-color: #3378D6; }";

enum PaintedWidget { kRealPainted = 1, kSimulatedPainted = 2, kChartAPainted = 4, kChartBPainted = 8 };
constexpr int kAllPainted = kRealPainted | kSimulatedPainted | kChartAPainted | kChartBPainted;

QLabel* Caption(const QString& text, QWidget* parent, int id = -1) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    if (id >= 0) {
        Win::SetControlId(label, id);
    }
    return label;
}

QPushButton* Button(const QString& text, int id, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    Win::SetControlId(button, id);
    button->setAutoDefault(false);
    return button;
}

QComboBox* Combo(int id, QWidget* parent, int width) {
    auto* combo = new QComboBox(parent);
    Win::SetControlId(combo, id);
    combo->setMinimumWidth(width);
    return combo;
}

// "Identity 249": how an account is named in the account combo.
QString AccountText(const Json::Value& account) {
    return JsonWText(account, "Identity") + QLatin1Char(' ') + JsonWText(account, Field::kAccountText);
}

Json::Value LoggedInAccount(const QString& accountId) {
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    const Json::Value accounts = engine ? engine->GetLoggedInAccounts() : Json::Value();
    for (const Json::Value& account : accounts) {
        if (JsonWText(account, "EAccountID") == accountId) {
            return account;
        }
    }
    return Json::Value();
}

RiskCurves::Axis AxisOf(const QComboBox* combo) {
    return static_cast<RiskCurves::Axis>(std::clamp(combo->currentIndex(), 0, RiskCurves::kAxisCount - 1));
}

}  // namespace

CDlgPositionAnalyze::CDlgPositionAnalyze(QWidget* parent) : CKrDlgOperate(kTemplateId, parent) {
    setWindowTitle(QStringLiteral("持仓风险分析"));
    g_labelCount = CDlgXAxisSet::kLeastLabelCount;
    if (!UnderlyingParameters::Installed()) {
        m_ownParameters = std::make_unique<UnderlyingParameters>(DefaultAnalyzeParameters);
    }
    m_real = std::make_unique<CPositionAnalyzeData>(Parameters(), this);
    m_simulated = std::make_unique<CPositionAnalyzeData>(Parameters(), this);
    m_sum = std::make_unique<CSumAnalyzeData>(Parameters(), this, *m_real, *m_simulated);
}

CDlgPositionAnalyze::~CDlgPositionAnalyze() {
    DetachQuotes();
    Detach();
}

UnderlyingParameters& CDlgPositionAnalyze::Parameters() {
    UnderlyingParameters* installed = UnderlyingParameters::Installed();
    return installed ? *installed : *m_ownParameters;
}

int CDlgPositionAnalyze::LabelCount() {
    return g_labelCount;
}

QString CDlgPositionAnalyze::XAxisLabel(int index, double x, int pointCount, int labelCount) {
    if (labelCount > 0 && pointCount >= labelCount && index % std::max(1, pointCount / labelCount) != 0) {
        return {};
    }
    return QString::asprintf(pointCount > 99 ? "%.4f" : "%.0f", x);
}

// ---- Layout -------------------------------------------------------------------------------------

void CDlgPositionAnalyze::InitUI() {
    m_bitmaps = PositionAnalyzeLists::Bitmaps::Load();
    // Docked beside other tools the window may get less room than its lists and charts need:
    // it then scrolls rather than squeezing them or pushing its neighbours away.
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget(scroll);
    content->setObjectName(QStringLiteral("PositionAnalyzeContent"));
    auto* outer = new QVBoxLayout(content);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->setSpacing(4);

    auto* lists = new QWidget(this);
    auto* listsLayout = new QVBoxLayout(lists);
    listsLayout->setContentsMargins(0, 0, 0, 0);
    listsLayout->setSpacing(4);
    listsLayout->addWidget(BuildTopBar());
    m_realList = new CKrOwnerDrawList(this);
    Win::SetControlId(m_realList, kRealList);
    PositionAnalyzeLists::SetUpRealList(*m_realList);
    m_realList->SetTextSource(
        [this](int row, const QString& key) { return m_real->Text(row, key.toUtf8().constData()); });
    listsLayout->addWidget(m_realList, 3);

    auto* simulatedBar = new QHBoxLayout;
    simulatedBar->addWidget(Caption(QStringLiteral("增加模拟持仓"), lists, kSimulatedCaption));
    simulatedBar->addWidget(Button(QStringLiteral("添加"), kAddButton, lists));
    simulatedBar->addWidget(Button(QStringLiteral("删除"), kDeleteButton, lists));
    simulatedBar->addStretch(1);
    auto* oneClick = new CKrImageButton(QStringLiteral("一键下单"), lists);
    Win::SetControlId(oneClick, kOneClickButton);
    oneClick->setAutoDefault(false);
    oneClick->SetImage(QuickMouseHost::TradeImage(QStringLiteral("交易买入按钮背景图")));
    oneClick->SetTextColor(Qt::white);
    oneClick->setMinimumSize(96, 26);
    simulatedBar->addWidget(oneClick);
    listsLayout->addLayout(simulatedBar);
    m_simulatedList = new CKrOwnerDrawList(this);
    Win::SetControlId(m_simulatedList, kSimulatedList);
    PositionAnalyzeLists::SetUpSimulatedList(*m_simulatedList, m_bitmaps);
    m_simulatedList->SetTextSource(
        [this](int row, const QString& key) { return m_simulated->Text(row, key.toUtf8().constData()); });
    m_simulatedList->setContextMenuPolicy(Qt::CustomContextMenu);
    listsLayout->addWidget(m_simulatedList, 2);

    auto* sumBar = new QHBoxLayout;
    sumBar->addWidget(Caption(QStringLiteral("调整后风险值"), lists, kSumCaption));
    m_sumList = new CKrOwnerDrawList(this);
    Win::SetControlId(m_sumList, kSumList);
    PositionAnalyzeLists::SetUpSumList(*m_sumList);
    m_sumList->SetRowHeight(kSumRowHeight);
    m_sumList->SetTextSource(
        [this](int, const QString& key) { return JsonWText(m_sum->Total(), key.toUtf8().constData()); });
    m_sumList->setFixedHeight(kSumRowHeight + m_sumList->horizontalHeader()->sizeHint().height() + 4);
    m_sumList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sumBar->addWidget(m_sumList, 1);
    listsLayout->addLayout(sumBar);

    auto* analysis = new QWidget(this);
    auto* analysisLayout = new QHBoxLayout(analysis);
    analysisLayout->setContentsMargins(0, 0, 0, 0);
    analysisLayout->addWidget(BuildTrialPanel());
    analysisLayout->addWidget(
        BuildChartPanel(QStringLiteral("A图"), kGreekComboA, kAxisComboA, kChartA, m_chartA, 0), 1);
    analysisLayout->addWidget(
        BuildChartPanel(QStringLiteral("B图"), kGreekComboB, kAxisComboB, kChartB, m_chartB, 1), 1);

    auto* split = new QSplitter(Qt::Vertical, this);
    split->setChildrenCollapsible(false);
    split->addWidget(lists);
    split->addWidget(analysis);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    outer->addWidget(split);
    scroll->setWidget(content);
    frame->addWidget(scroll);
    resize(1180, 820);
    // A light face, as the charts are white: the window reads the same in any terminal theme.
    Win::ApplyLightDialogPalette(*this);
    setStyleSheet(QString::fromUtf8(kLightFace));
    WireControls();
}

QWidget* CDlgPositionAnalyze::BuildTopBar() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(Caption(QStringLiteral("真实持仓分析"), bar));
    m_groups = Combo(kGroupCombo, bar, 110);
    row->addWidget(m_groups);
    row->addSpacing(8);
    row->addWidget(new QLabel(QStringLiteral("账号："), bar));
    m_accounts = Combo(kAccountCombo, bar, 170);
    row->addWidget(m_accounts);
    row->addStretch(1);
    row->addWidget(Button(QStringLiteral("成交统计"), kTradeStatisticsButton, bar));
    row->addWidget(Button(QStringLiteral("价格计算"), kPriceCalcButton, bar));
    row->addWidget(Button(QStringLiteral("卖方分析"), kSellAnalysisButton, bar));
    row->addSpacing(8);
    row->addWidget(Button(QStringLiteral("刷新"), kRefreshButton, bar));
    return bar;
}

QWidget* CDlgPositionAnalyze::BuildTrialPanel() {
    auto* box = new QGroupBox(QStringLiteral("风险试算"), this);
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(6);
    grid->addWidget(new QLabel(QStringLiteral("标的："), box), 0, 0);
    m_underlyings = Combo(kUnderlyingCombo, box, kFieldWidth);
    grid->addWidget(m_underlyings, 0, 1);
    const auto field = [&](int row, const char* label, int id, double step, const QString& format,
                           bool negative) {
        grid->addWidget(new QLabel(QString::fromUtf8(label), box), row, 0);
        auto* spin = new CKrPriceHSpinEdit(box);
        Win::SetControlId(spin, id);
        spin->SetStep(step);
        spin->SetFormat(format);
        spin->SetAllowNegative(negative);
        spin->setFixedWidth(kFieldWidth);
        spin->setEnabled(false);
        spin->SetOwner(this);
        grid->addWidget(spin, row, 1);
        return spin;
    };
    m_daysEdit = field(1, "剩余到期日：", kDaysEdit, 1, QStringLiteral("%d"), true);
    m_volatilityEdit = field(2, "历史波动率：", kVolatilityEdit, 0.01, QStringLiteral("%.4f"), false);
    m_priceEdit = field(3, "标的价格：", kPriceEdit, 0.01, QStringLiteral("%.2f"), false);
    m_rateEdit = field(4, "无风险利率：", kRateEdit, 0.001, QStringLiteral("%.4f"), true);
    auto* implied = new QLineEdit(box);
    Win::SetControlId(implied, kImpliedVolatilityEdit);
    implied->hide();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button(QStringLiteral("恢复"), kRestoreButton, box));
    auto* help = Button(QStringLiteral("?"), kHelpButton, box);
    help->setFixedWidth(28);
    help->setStyleSheet(QStringLiteral("QPushButton { padding: 3px 0; }"));
    buttons->addWidget(help);
    buttons->addStretch(1);
    grid->addLayout(buttons, 5, 0, 1, 2);
    auto* link = Button(QStringLiteral("横轴设定"), kXAxisLink, box);
    link->setFlat(true);
    link->setCursor(Qt::PointingHandCursor);
    link->setStyleSheet(
        QStringLiteral("QPushButton { color: #1A5FB4; text-decoration: underline; border: none; }"));
    grid->addWidget(link, 6, 0, 1, 2, Qt::AlignLeft);
    grid->setRowStretch(7, 1);
    box->setFixedWidth(230);
    return box;
}

QWidget* CDlgPositionAnalyze::BuildChartPanel(const QString& title, int greekId, int axisId, int chartId,
                                              EChart*& chart, int initialGreek) {
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QHBoxLayout;
    bar->addWidget(Caption(title, panel));
    auto* greek = Combo(greekId, panel, 80);
    greek->addItems(kGreeks);
    greek->setCurrentIndex(initialGreek);
    bar->addWidget(greek);
    bar->addWidget(new QLabel(QStringLiteral("与"), panel));
    auto* axis = Combo(axisId, panel, 96);
    axis->addItems(kAxes);
    axis->setCurrentIndex(RiskCurves::kPriceAxis);
    bar->addWidget(axis);
    bar->addWidget(new QLabel(QStringLiteral("关系图"), panel));
    bar->addStretch(1);
    layout->addLayout(bar);
    chart = new EChart(panel);
    Win::SetControlId(chart, chartId);
    chart->SetBackgroundColor(Qt::white);
    chart->SetPointsVisible(false);
    chart->SetZeroLineVisible(true);
    chart->SetZeroLineColor(QColor(0x60, 0x60, 0x60));
    chart->SetLegendVisible(false);
    chart->SetXLabelCallback(
        [chart](int index, double x) { return XAxisLabel(index, x, chart->PointCount(), LabelCount()); });
    chart->setMinimumSize(300, 220);
    layout->addWidget(chart, 1);
    return panel;
}

void CDlgPositionAnalyze::WireControls() {
    const auto click = [this](int id, auto action) {
        connect(Win::FindControl<QPushButton>(this, id), &QPushButton::clicked, this, action);
    };
    click(kRefreshButton, [this] { Refresh(); });
    click(kAddButton, [this] { AddSimulated(); });
    click(kDeleteButton, [this] { DeleteSimulated(); });
    click(kOneClickButton, [this] { OneClickOrder(); });
    click(kRestoreButton, [this] { Restore(); });
    click(kHelpButton, [this] { OpenHelp(); });
    click(kXAxisLink, [this] { OpenXAxisSettings(); });
    click(kTradeStatisticsButton, [this] { RunInstruct(QStringLiteral("OptionTradeStatistics")); });
    click(kPriceCalcButton, [this] { RunInstruct(QStringLiteral("OptionPriceCalc")); });
    click(kSellAnalysisButton, [this] { RunInstruct(QStringLiteral("OptionSellAnaly")); });
    // Only the user's choices: a combo refilled by the window stays silent.
    connect(m_accounts, &QComboBox::activated, this, [this] { OnAccountChosen(); });
    connect(m_groups, &QComboBox::activated, this, [this] { OnGroupChosen(); });
    connect(m_underlyings, &QComboBox::activated, this, [this] { OnUnderlyingChosen(); });
    connect(Win::FindControl<QComboBox>(this, kGreekComboA), &QComboBox::activated, this,
            [this] { FillChart(*m_chartA, kGreekComboA, kAxisComboA); });
    connect(Win::FindControl<QComboBox>(this, kGreekComboB), &QComboBox::activated, this,
            [this] { FillChart(*m_chartB, kGreekComboB, kAxisComboB); });
    for (int id : {kAxisComboA, kAxisComboB}) {
        connect(Win::FindControl<QComboBox>(this, id), &QComboBox::activated, this,
                [this] { RecomputeSums(); });
    }
    connect(m_simulatedList, &QWidget::customContextMenuRequested, this,
            &CDlgPositionAnalyze::ShowSimulatedMenu);
    connect(m_realList, &CKrOwnerDrawList::painted, this, [this] { NotePainted(m_realList); });
    connect(m_simulatedList, &CKrOwnerDrawList::painted, this, [this] { NotePainted(m_simulatedList); });
    connect(m_chartA, &EChart::painted, this, [this] { NotePainted(m_chartA); });
    connect(m_chartB, &EChart::painted, this, [this] { NotePainted(m_chartB); });
}

void CDlgPositionAnalyze::InitWindow() {
    FillAccounts();
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    const QString current = engine ? JsonWText(engine->GetCurrentAccount(), "EAccountID") : QString();
    const int index = m_accounts->findData(current);
    if (index >= 0) {
        m_accounts->setCurrentIndex(index);
    }
    LoadAccount(LoggedInAccount(m_accounts->currentData().toString()));
    FillGroups();
    FillUnderlyings();
    if (!ChooseHeldUnderlying()) {
        OnUnderlyingChosen();
    }
    SubscribeMsg();
}

bool CDlgPositionAnalyze::ChooseHeldUnderlying() {
    const std::vector<I::QuoteKey> held = m_real->Underlyings();
    if (held.empty() || std::find(held.begin(), held.end(), m_underlying) != held.end()) {
        return false;
    }
    const int listed = m_underlyings->findData(held.front().ToText());
    if (listed < 0) {
        return false;
    }
    m_underlyings->setCurrentIndex(listed);
    OnUnderlyingChosen();
    return true;
}

// ---- Accounts, groups, underlyings ------------------------------------------------------------

void CDlgPositionAnalyze::FillAccounts() {
    const QString chosen = JsonWText(m_account, "EAccountID");
    m_accounts->clear();
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    const Json::Value accounts = engine ? engine->GetLoggedInAccounts() : Json::Value();
    for (const Json::Value& account : accounts) {
        m_accounts->addItem(AccountText(account), JsonWText(account, "EAccountID"));
    }
    m_accounts->setCurrentIndex(std::max(0, m_accounts->findData(chosen)));
}

void CDlgPositionAnalyze::FillGroups() {
    const QString chosen = m_real->ChosenGroup();
    m_groups->clear();
    m_groups->addItem(kAllPositions);
    m_groups->addItems(m_real->Groups());
    const int index = chosen.isEmpty() ? 0 : m_groups->findText(chosen);
    m_groups->setCurrentIndex(std::max(0, index));
    m_real->ChooseGroup(index > 0 ? chosen : QString());
}

void CDlgPositionAnalyze::FillUnderlyings() {
    const QString chosen = m_underlying.ToText();
    m_underlyings->clear();
    if (Handle<I::OptionsDataSvcI> options = GetService<I::OptionsDataSvcI>()) {
        for (const I::QuoteKey& key : options->GetUnderlyings()) {
            m_underlyings->addItem(options->GetUnderlyingName(key), key.ToText());
        }
    }
    m_underlyings->setCurrentIndex(std::max(0, m_underlyings->findData(chosen)));
}

void CDlgPositionAnalyze::LoadAccount(const Json::Value& account) {
    m_account = account;
    m_real->LoadAccountPositions(m_account);
    FollowQuotes();
}

void CDlgPositionAnalyze::Refresh() {
    LoadAccount(m_account);
    FillGroups();
    m_real->NotifyWindow();
    RecomputeSums();
}

void CDlgPositionAnalyze::OnAccountChosen() {
    const Json::Value account = LoggedInAccount(m_accounts->currentData().toString());
    LoadAccount(account);
    m_simulated->Clear();
    FillGroups();
    if (!ChooseHeldUnderlying()) {
        RecomputeSums();
    }
    Kora::Kernel::PostMsg(Topic::kAccountChange, account);
}

void CDlgPositionAnalyze::OnGroupChosen() {
    const QString group = m_groups->currentIndex() > 0 ? m_groups->currentText() : QString();
    m_real->ChooseGroup(group);
    const int listed = m_underlyings->findData(m_real->GroupUnderlying(group).ToText());
    if (!group.isEmpty() && listed >= 0 && listed != m_underlyings->currentIndex()) {
        m_underlyings->setCurrentIndex(listed);
        OnUnderlyingChosen();
    }
    m_real->NotifyWindow();
}

void CDlgPositionAnalyze::OnUnderlyingChosen() {
    m_underlying = I::QuoteKey::FromText(m_underlyings->currentData().toString());
    if (!m_underlying.IsValid()) {
        return;
    }
    I::ContractInfo info;
    Handle<I::BaseQuoteDataSvcI> quotes = GetService<I::BaseQuoteDataSvcI>();
    if (quotes && quotes->GetContractInfo(m_underlying, info)) {
        m_underlying = quotes->FindKey(info.exchangeCode, info.contractCode);
        const int decimals = std::clamp(info.decimals, 0, 8);
        m_priceEdit->SetFormat(QStringLiteral("%.%1f").arg(decimals));
        m_priceEdit->SetStep(info.tickSize > 0 ? info.tickSize : std::pow(10.0, -decimals));
    }
    ShowParameters(Parameters().GetOrCreate(m_underlying));
    for (CKrPriceHSpinEdit* field : {m_daysEdit, m_volatilityEdit, m_priceEdit, m_rateEdit}) {
        field->setEnabled(true);
    }
    FollowQuotes();
    RecomputeSums();
}

void CDlgPositionAnalyze::FollowQuotes() {
    I::QuoteKeySet keys;
    if (m_underlying.IsValid()) {
        keys.insert(m_underlying);
    }
    for (const CPositionAnalyzeData* set : {m_real.get(), m_simulated.get()}) {
        for (const I::QuoteKey& key : set->Contracts()) {
            keys.insert(key);
        }
    }
    m_quotes.Take();
    Kora::Kernel::QuoteReceiver::FollowQuotes(keys);
}

// ---- The market of the chosen underlying --------------------------------------------------------

void CDlgPositionAnalyze::ShowParameters(const AnalyzeParameters& p) {
    m_daysEdit->SetValue(p.WholeDays());
    m_volatilityEdit->SetValue(p.Lsbdl);
    m_priceEdit->SetValue(p.Bdjg);
    m_rateEdit->SetValue(p.lv);
}

void CDlgPositionAnalyze::ReadParameters() {
    if (!m_underlying.IsValid()) {
        return;
    }
    AnalyzeParameters p = Parameters().GetOrCreate(m_underlying);
    p.Days = m_daysEdit->Value();
    p.Lsbdl = static_cast<float>(m_volatilityEdit->Value());
    p.Bdjg = static_cast<float>(m_priceEdit->Value());
    p.lv = static_cast<float>(m_rateEdit->Value());
    Parameters().Set(m_underlying, p);
    m_real->RevalueSelected();
    m_simulated->RevalueSelected();
    RecomputeSums();
}

void CDlgPositionAnalyze::Restore() {
    if (!m_underlying.IsValid()) {
        return;
    }
    Parameters().Erase(m_underlying);
    ShowParameters(Parameters().GetOrCreate(m_underlying));
    m_real->RevalueSelected();
    m_simulated->RevalueSelected();
    RecomputeSums();
}

void CDlgPositionAnalyze::RecomputeSums() {
    const RiskCurves::Axis axisA = AxisOf(Win::FindControl<QComboBox>(this, kAxisComboA));
    const RiskCurves::Axis axisB = AxisOf(Win::FindControl<QComboBox>(this, kAxisComboB));
    m_sum->Sum(m_underlying, axisA);
    if (axisB != axisA) {
        m_sum->Sum(m_underlying, axisB);
    }
}

void CDlgPositionAnalyze::OnQuote() {
    const std::optional<I::QuotePushRecord> push = m_quotes.Take();
    if (!push || !m_underlying.IsValid()) {
        return;
    }
    ++m_quotesHandled;
    AnalyzeParameters p = Parameters().GetOrCreate(m_underlying);
    I::ContractInfo info;
    Handle<I::BaseQuoteDataSvcI> quotes = GetService<I::BaseQuoteDataSvcI>();
    if (quotes && quotes->GetContractInfo(m_underlying, info)) {
        const std::optional<double> price =
            OptionValuation::CurrentPrice(m_underlying, info, OptionValuation::PriceSource::kLastOrReference);
        if (price) {
            p.Bdjg = static_cast<float>(
                QString::asprintf("%.*f", std::clamp(info.decimals, 0, 8), *price).toDouble());
            Parameters().Set(m_underlying, p);
        }
    }
    ShowParameters(p);
    m_real->UpdateUnderlying(m_underlying);
    m_simulated->UpdateUnderlying(m_underlying);
    RecomputeSums();
    if (m_quoteShownObserver) {
        m_unpaintedStamp = push->enqueuedNs;
        m_paintsAwaited = kAllPainted;
    }
}

// ---- Simulated positions ------------------------------------------------------------------------

void CDlgPositionAnalyze::AddSimulated() {
    CDlgSel chooser(this);
    if (chooser.DoModal() != QDialog::Accepted) {
        return;
    }
    for (const I::QuoteKey& option : chooser.Selection()) {
        m_simulated->AddPosition(option);
    }
    FollowQuotes();
    RecomputeSums();
}

void CDlgPositionAnalyze::DeleteSimulated() {
    m_simulated->RemoveRows(m_simulatedList->SelectedRows());
    m_simulatedList->clearSelection();
    FollowQuotes();
    RecomputeSums();
}

void CDlgPositionAnalyze::ShowSimulatedMenu(const QPoint& at) {
    const QModelIndex index = m_simulatedList->indexAt(at);
    if (index.isValid() && !m_simulatedList->selectionModel()->isRowSelected(index.row(), {})) {
        m_simulatedList->selectRow(index.row());
    }
    QMenu menu(this);
    const QAction* add = menu.addAction(QStringLiteral("添加"));
    menu.addAction(QStringLiteral("删除"));
    if (const QAction* chosen = menu.exec(m_simulatedList->viewport()->mapToGlobal(at))) {
        Win::SendMessage(this, Win::WM_COMMAND, chosen == add ? kMenuAdd : kMenuDelete, 0);
    }
}

Json::Value CDlgPositionAnalyze::SimulatedPositions() const {
    Json::Value positions(Json::arrayValue);
    auto guard = m_simulated->Lock();
    for (int row = 0; row < m_simulated->RowCount(); ++row) {
        if (!m_simulated->IsTotalRow(row)) {
            positions.append(m_simulated->Record(row));
        }
    }
    return positions;
}

void CDlgPositionAnalyze::OneClickOrder() {
    const Json::Value orders = OneClickOrder::OrderList(SimulatedPositions());
    if (!OneClickOrder::UnknownContract(m_account, orders).isNull()) {
        KRUI_MsgBox(this, QStringLiteral("选择了当前账号不支持的合约，请重新选择！"), QStringLiteral("提示"),
                    Win::MB_OK);
        return;
    }
    Handle<I::KRTAddinPublicI> panel = GetService<I::KRTAddinPublicI>();
    if (panel) {
        panel->OpenOrderPanel(m_account, OneClickOrder::WindowRecord(Win::WindowToken(this)),
                              OneClickOrder::Request(m_account, orders));
    }
}

void CDlgPositionAnalyze::OnCellClicked(CKrOwnerDrawList& list) {
    const CKrOwnerDrawList::Click& click = list.LastClick();
    CPositionAnalyzeData& set = &list == m_realList ? *m_real : *m_simulated;
    if ((&list != m_realList && &list != m_simulatedList) || set.IsTotalRow(click.row)) {
        return;
    }
    const int row = click.row;
    if (click.key == QLatin1String(PositionRecord::kCheck)) {
        const bool checked = PositionRecord::IsChecked(set.Record(row));
        set.SetField(row, PositionRecord::kCheck, checked ? QStringLiteral("0") : QStringLiteral("1"));
        RecomputeSums();
        return;
    }
    if (&list != m_simulatedList) {
        return;
    }
    const int edge = PositionAnalyzeLists::kButtonWidth;
    if (click.key == QLatin1String(Field::kPositionVolume)) {
        const int64_t quantity = PositionRecord::Quantity(set.Record(row));
        const auto store = [this, row](int64_t value) {
            m_simulated->SetField(row, Field::kPositionVolume, QString::number(std::max<int64_t>(0, value)));
            RecomputeSums();
        };
        if (click.inCell.x() < edge) {
            store(quantity - 1);
        } else if (click.inCell.x() >= click.cell.width() - edge) {
            store(quantity + 1);
        } else {
            list.EditCell(click.cell.adjusted(edge, 3, -edge, -3), QString::number(quantity),
                          [store](const QString& text) { store(Win::TextToInt(text)); });
        }
    } else if (click.key == QLatin1String(Field::kDirectionText) &&
               click.inCell.x() >= click.cell.width() - edge) {
        const QString buy = TradingCodes::DirectionText(TradingCodes::Direction::kBuy);
        const QString sell = TradingCodes::DirectionText(TradingCodes::Direction::kSell);
        list.ChooseInCell(click.cell, {buy, sell}, set.Text(row, Field::kDirectionText),
                          [this, row, buy](const QString& chosen) {
                              const bool isBuy = chosen == buy;
                              m_simulated->SetField(row, Field::kDirectionText, chosen);
                              m_simulated->SetField(row, Field::kDirection,
                                                    QString(isBuy ? TradingCodes::Direction::kBuy
                                                                  : TradingCodes::Direction::kSell));
                              RecomputeSums();
                          });
    }
}

// ---- Other tools, help, settings -------------------------------------------------------------------

void CDlgPositionAnalyze::RunInstruct(const QString& instruct) {
    Handle<I::InstructSvcI> instructs = GetService<I::InstructSvcI>();
    if (!instructs) {
        return;
    }
    Json::Value request(Json::objectValue);
    request["Function"] = instruct.toStdString();
    instructs->ExecuteInstruct(request);
}

void CDlgPositionAnalyze::OpenHelp() {
    const QString fallback = QUrl::fromLocalFile(QDir::current().absoluteFilePath(
                                                     QStringLiteral("Help/PositionAnalyze_ParamSet.html")))
                                 .toString();
    const QString address = Win::ReadProfileString(
        QDir::current().filePath(QStringLiteral("../cfg/professional.ini")), QStringLiteral("QUESTION"),
        QStringLiteral("PositionAnalyze_ParamSet"), fallback);
    QDesktopServices::openUrl(QUrl::fromUserInput(address, QDir::currentPath()));
}

void CDlgPositionAnalyze::OpenXAxisSettings() {
    CDlgXAxisSet settings(m_persent, LabelCount(), this);
    if (settings.DoModal() != QDialog::Accepted) {
        return;
    }
    if (settings.Persent() == m_persent && settings.LabelCount() == LabelCount()) {
        return;
    }
    m_persent = settings.Persent();
    g_labelCount = settings.LabelCount();
    if (m_underlying.IsValid()) {
        AnalyzeParameters p = Parameters().GetOrCreate(m_underlying);
        p.Persent = static_cast<float>(m_persent);
        Parameters().Set(m_underlying, p);
    }
    RecomputeSums();
}

// ---- Messages ---------------------------------------------------------------------------------------

void CDlgPositionAnalyze::SubscribeMsg() {
    for (const QString& topic : {Topic::kAccountLogin, Topic::kAccountChange, Topic::kAccountLogout}) {
        Subscriptions().Subscribe(topic);
    }
}

void CDlgPositionAnalyze::UnSubscribeMsg() {
    Subscriptions().UnsubscribeAll();
    StopQuotes();
}

void CDlgPositionAnalyze::OnMsg(const QString& topic, const Json::Value& payload, const Json::Value&) {
    Win::PostMessage(this, kAccountEvent, Win::MakePayload(AccountEvent{topic, payload}),
                     std::unique_ptr<Win::Payload<int>>());
}

void CDlgPositionAnalyze::OnQuotePush(const I::QuotePushRecord& record, const Json::Value&) {
    if (record.flashFlag == 0 && m_quotes.Store(record)) {
        Win::PostMessage(this, kUnderlyingQuote, 0, 0);
    }
}

void CDlgPositionAnalyze::OnAccountEvent(const QString& topic, const Json::Value& payload) {
    if (topic == Topic::kAccountLogin) {
        LoadAccount(LoggedInAccount(JsonWText(payload, "EAccountID")));
        FillAccounts();
        FillGroups();
        FillUnderlyings();
        if (!ChooseHeldUnderlying()) {
            RecomputeSums();
        }
    } else if (topic == Topic::kAccountChange) {
        FillGroups();
        FillUnderlyings();
        FillAccounts();
    } else if (topic == Topic::kAccountLogout) {
        FillAccounts();
        if (m_accounts->currentData().toString() != JsonWText(m_account, "EAccountID")) {
            OnAccountChosen();
        }
    }
}

void CDlgPositionAnalyze::OnRevalued(Win::WPARAM rows, Win::LPARAM set) {
    const auto* source = reinterpret_cast<const CPositionAnalyzeData*>(set);
    if (source == m_real.get()) {
        m_realList->SetItemCount(static_cast<int>(rows));
    } else if (source == m_simulated.get()) {
        m_simulatedList->SetItemCount(static_cast<int>(rows));
    } else if (source == m_sum.get()) {
        m_sumList->SetItemCount(1);
        FillChart(*m_chartA, kGreekComboA, kAxisComboA);
        FillChart(*m_chartB, kGreekComboB, kAxisComboB);
    }
}

void CDlgPositionAnalyze::FillChart(EChart& chart, int greekId, int axisId) {
    const QComboBox* greek = Win::FindControl<QComboBox>(this, greekId);
    const QComboBox* axis = Win::FindControl<QComboBox>(this, axisId);
    const auto which =
        static_cast<PositionRecord::Greek>(std::clamp(greek->currentIndex(), 0, int(PositionRecord::kRho)));
    const RiskCurves::Line line = m_sum->Line(AxisOf(axis), which);
    std::vector<double> x;
    std::vector<double> values;
    x.reserve(line.size());
    values.reserve(line.size());
    for (const auto& [at, value] : line) {
        x.push_back(at);
        values.push_back(value);
    }
    chart.RemoveAllSeries();
    chart.SetAxisTitles(axis->currentText(), greek->currentText());
    chart.SetXValues(std::move(x));
    chart.AddLine(greek->currentText(), Win::FromColorRef(kCurveColour), std::move(values), 1);
    chart.UpdateChart();
}

void CDlgPositionAnalyze::SetQuoteShownObserver(std::function<void(int64_t)> observer) {
    m_quoteShownObserver = std::move(observer);
}

void CDlgPositionAnalyze::NotePainted(QObject* widget) {
    if (m_unpaintedStamp == 0) {
        return;
    }
    m_paintsAwaited &= ~(widget == m_realList        ? kRealPainted
                         : widget == m_simulatedList ? kSimulatedPainted
                         : widget == m_chartA        ? kChartAPainted
                                                     : kChartBPainted);
    if (m_paintsAwaited == 0 && m_quoteShownObserver) {
        m_quoteShownObserver(std::exchange(m_unpaintedStamp, 0));
    }
}

Win::LRESULT CDlgPositionAnalyze::OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) {
    switch (message) {
        case kAccountEvent:
            if (const AccountEvent* event = Win::PayloadValue<AccountEvent>(wParam)) {
                OnAccountEvent(event->first, event->second);
            }
            return 1;
        case CKrOwnerDrawList::kCellClicked:
            if (wParam == 1) {
                OnCellClicked(*reinterpret_cast<CKrOwnerDrawList*>(lParam));
            }
            return 1;
        case CPositionAnalyzeData::kRevaluedMessage:
            OnRevalued(wParam, lParam);
            return 1;
        case kUnderlyingQuote:
            OnQuote();
            return 1;
        case CKrPriceHSpinEdit::kValueTyped:
        case CKrPriceHSpinEdit::kValueStepped:
            ReadParameters();
            return 1;
        case Win::WM_COMMAND:
            if (wParam == kMenuAdd) {
                AddSimulated();
            } else if (wParam == kMenuDelete) {
                DeleteSimulated();
            }
            return 1;
        default:
            return CKrDlgOperate::OnMessage(message, wParam, lParam);
    }
}
