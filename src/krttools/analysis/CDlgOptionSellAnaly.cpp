#include "analysis/CDlgOptionSellAnaly.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "KRUI.h"
#include "analysis/CDlgOptionSellAnalySet.h"
#include "analysis/SellOptionList.h"
#include "analysis/SellProfitModel.h"
#include "chooser/CDlgDownQuotaData.h"
#include "chooser/CDlgSel.h"
#include "kernel/HostAccess.h"
#include "kora/interface/OptionsDataSvcI.h"
#include "option/valuation/HisVolatility.h"
#include "platform/ControlId.h"
#include "platform/DlgItemText.h"

using Kora::Kernel::GetService;
using Kora::Utility::Handle;
namespace I = Kora::Interface;
using OptionValuation::ListedOption;
using OptionValuation::PriceSource;

namespace {

constexpr int kRowHeight = 22;
constexpr int kMinHistoryDays = 5;
constexpr int kMaxHistoryDays = 15000;
constexpr double kLeastSellPrice = 0.00001;

QString Fixed4(double value) {
    return QString::asprintf("%.04lf", value);
}

QString ClassText(char classLetter) {
    switch (classLetter) {
        case 'n':
            return QStringLiteral("期货期权");
        case 'o':
        case 'p':
            return QStringLiteral("股票期权");
        case 'e':
            return QStringLiteral("股指期权");
        default:
            return QString(QLatin1Char(classLetter));
    }
}

QString StyleText(int32_t exerciseStyle) {
    switch (exerciseStyle) {
        case 0:
            return QStringLiteral("欧式");
        case 1:
            return QStringLiteral("美式");
        case 2:
            return QStringLiteral("百慕大");
        default:
            return QString::number(exerciseStyle);
    }
}

QString Price(double value, int decimals) {
    return QString::asprintf("%.*f", std::clamp(decimals, 0, 8), value);
}

QTableView* MakeTable(QWidget* parent, int id, QAbstractItemModel* model, int (*width)(int)) {
    auto* table = new QTableView(parent);
    Win::SetControlId(table, id);
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    table->horizontalHeader()->setHighlightSections(false);
    for (int column = 0; column < model->columnCount(); ++column) {
        table->setColumnWidth(column, width(column));
    }
    return table;
}

}  // namespace

CDlgOptionSellAnaly::CDlgOptionSellAnaly(QWidget* parent) : CKrDlg(kTemplateId, parent) {
    setWindowTitle(QStringLiteral("卖方分析"));
    m_options = new SellOptionList(this);
    m_profitRows = new SellProfitModel(SellProfitModel::kRows, this);
    m_summary = new SellProfitModel(SellProfitModel::kSummary, this);
    BuildControls();
}

CDlgOptionSellAnaly::~CDlgOptionSellAnaly() {
    DetachQuotes();
}

// ---- Layout -----------------------------------------------------------------------------------

void CDlgOptionSellAnaly::BuildControls() {
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(BuildFilters());
    m_list = MakeTable(this, kOptionList, m_options, &SellOptionList::ColumnWidth);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setMinimumHeight(220);
    outer->addWidget(m_list, 1);

    auto* lower = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(BuildDetails());
    left->addWidget(BuildInputs());
    lower->addLayout(left, 1);
    lower->addWidget(BuildResults());
    lower->addWidget(BuildProfitTables());
    outer->addLayout(lower);
    resize(1060, 720);

    connect(m_list, &QTableView::clicked, this,
            [this](const QModelIndex& index) { OnOptionClicked(index.row()); });
}

QWidget* CDlgOptionSellAnaly::BuildFilters() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("期权标的"), bar));
    m_underlyings = new QComboBox(bar);
    Win::SetControlId(m_underlyings, kUnderlyingCombo);
    m_underlyings->setMinimumWidth(140);
    row->addWidget(m_underlyings);
    row->addSpacing(16);

    auto* months = new QButtonGroup(bar);
    for (const auto& [text, id] :
         {std::pair{"所有月份", kAllMonthsRadio}, std::pair{"近一月", kNearestMonthRadio},
          std::pair{"近三月", kNearestThreeMonthsRadio}}) {
        auto* radio = new QRadioButton(QString::fromUtf8(text), bar);
        Win::SetControlId(radio, id);
        months->addButton(radio);
        row->addWidget(radio);
    }
    Win::FindControl<QRadioButton>(this, kAllMonthsRadio)->setChecked(true);
    row->addSpacing(16);
    for (const auto& [text, id] :
         {std::pair{"认购", kCallCheck}, std::pair{"认沽", kPutCheck},
          std::pair{"实值期权", kInTheMoneyCheck}, std::pair{"平值期权", kAtTheMoneyCheck},
          std::pair{"虚值期权", kOutOfTheMoneyCheck}}) {
        auto* check = new QCheckBox(QString::fromUtf8(text), bar);
        Win::SetControlId(check, id);
        check->setChecked(true);
        row->addWidget(check);
        if (id == kPutCheck) {
            row->addSpacing(16);
        }
    }
    row->addStretch(1);
    auto* refresh = new QPushButton(QStringLiteral("刷新行情"), bar);
    Win::SetControlId(refresh, kRefreshButton);
    refresh->setAutoDefault(false);
    row->addWidget(refresh);
    connect(refresh, &QPushButton::clicked, this, [this] { RefreshQuotes(); });
    connect(m_underlyings, &QComboBox::currentIndexChanged, this, [this] { OnUnderlyingChanged(); });
    // Connected once every box is there and ticked: a filter reads them all.
    connect(months, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool on) {
        if (on) {
            ApplyFilter();
        }
    });
    for (int id : {kCallCheck, kPutCheck, kInTheMoneyCheck, kAtTheMoneyCheck, kOutOfTheMoneyCheck}) {
        connect(Win::FindControl<QCheckBox>(this, id), &QCheckBox::toggled, this, [this] { ApplyFilter(); });
    }
    return bar;
}

QWidget* CDlgOptionSellAnaly::BuildDetails() {
    auto* box = new QGroupBox(QStringLiteral("期权详情"), this);
    auto* grid = new QGridLayout(box);
    auto addField = [&](int row, int column, const char* label, int id, int span) {
        grid->addWidget(new QLabel(QString::fromUtf8(label), box), row, column);
        auto* edit = new QLineEdit(box);
        Win::SetControlId(edit, id);
        edit->setReadOnly(true);
        grid->addWidget(edit, row, column + 1, 1, span);
    };
    addField(0, 0, "期权名称", kOptionName, 3);
    const std::pair<const char*, int> pairs[] = {
        {"标的品种", kUnderlyingName},
        {"标的价格", kUnderlyingPrice},
        {"类型", kClass},
        {"种类", kKind},
        {"行权价", kStrike},
        {"比例", kContractUnit},
        {"到期日", kExpiry},
        {"剩余天数", kDaysLeft},
        {"行权方式", kExerciseStyle},
    };
    int index = 0;
    for (const auto& [label, id] : pairs) {
        addField(1 + index / 2, (index % 2) * 2, label, id, 1);
        ++index;
    }
    auto* change = new QPushButton(QStringLiteral("更换标的"), box);
    Win::SetControlId(change, kChangeButton);
    change->setAutoDefault(false);
    grid->addWidget(change, 1 + index / 2, 3);
    connect(change, &QPushButton::clicked, this, [this] { ChangeUnderlying(); });
    return box;
}

QWidget* CDlgOptionSellAnaly::BuildInputs() {
    auto* box = new QGroupBox(QStringLiteral("卖出设置"), this);
    auto* grid = new QGridLayout(box);
    auto addEdit = [&](int row, int column, const char* label, int id, const char* text) {
        grid->addWidget(new QLabel(QString::fromUtf8(label), box), row, column);
        auto* edit = new QLineEdit(QString::fromUtf8(text), box);
        Win::SetControlId(edit, id);
        grid->addWidget(edit, row, column + 1);
        return edit;
    };
    addEdit(0, 0, "拟卖出价格", kSellPrice, "");
    addEdit(0, 2, "拟卖出数量", kQuantity, "1");
    addEdit(1, 0, "计算天数", kHistoryDays, "60");
    addEdit(1, 2, "无风险利率", kRate, QString::asprintf("%.02lf", 3.5).toUtf8().constData());
    grid->addWidget(new QLabel(QStringLiteral("%"), box), 1, 4);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* settings = new QPushButton(QStringLiteral("参数设定"), box);
    Win::SetControlId(settings, kSettingsButton);
    settings->setAutoDefault(false);
    auto* compute = new QPushButton(QStringLiteral("计算"), box);
    Win::SetControlId(compute, kComputeButton);
    compute->setDefault(true);
    buttons->addWidget(settings);
    buttons->addWidget(compute);
    grid->addLayout(buttons, 2, 0, 1, 5);
    connect(settings, &QPushButton::clicked, this, [this] { OpenSettings(); });
    connect(compute, &QPushButton::clicked, this, [this] { Compute(); });
    return box;
}

QWidget* CDlgOptionSellAnaly::BuildResults() {
    auto* box = new QGroupBox(QStringLiteral("计算结果"), this);
    auto* grid = new QGridLayout(box);
    const std::pair<const char*, int> fields[] = {
        {"历史波动率", kHisVolatility},
        {"隐含波动率", kImpliedVolatility},
        {"内在价值", kIntrinsicValue},
        {"时间价值", kTimeValue},
        {"理论价格", kTheoreticalPrice},
        {"Delta", kDelta},
        {"Gamma", kGamma},
        {"Rho", kRho},
        {"Theta", kTheta},
        {"Vega", kVega},
    };
    int row = 0;
    for (const auto& [label, id] : fields) {
        grid->addWidget(new QLabel(QString::fromUtf8(label), box), row, 0);
        auto* edit = new QLineEdit(box);
        Win::SetControlId(edit, id);
        edit->setReadOnly(true);
        edit->setFixedWidth(110);
        grid->addWidget(edit, row, 1);
        ++row;
    }
    grid->setRowStretch(row, 1);
    return box;
}

QWidget* CDlgOptionSellAnaly::BuildProfitTables() {
    auto* box = new QGroupBox(QStringLiteral("盈亏分析"), this);
    auto* column = new QVBoxLayout(box);
    column->setSpacing(0);
    QTableView* rows = MakeTable(box, kProfitTable, m_profitRows, &SellProfitModel::ColumnWidth);
    QTableView* summary = MakeTable(box, kSummaryTable, m_summary, &SellProfitModel::ColumnWidth);
    summary->horizontalHeader()->hide();
    // Both lists as wide as their columns and a scroll bar; the rows as high as the default
    // ladder's nine (longer ladders scroll), the summary as high as its one row.
    int width = 2 * rows->frameWidth() + rows->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < SellProfitModel::kColumnCount; ++c) {
        width += SellProfitModel::ColumnWidth(c);
    }
    constexpr int kShownRows = 9;
    rows->setFixedSize(width, rows->horizontalHeader()->sizeHint().height() + kShownRows * kRowHeight +
                                  2 * rows->frameWidth());
    summary->setFixedSize(width, kRowHeight + 2 * summary->frameWidth());
    summary->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    summary->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    column->addWidget(rows);
    column->addWidget(summary);
    column->addSpacing(6);
    m_ladderText = new QLabel(box);
    column->addWidget(m_ladderText);
    column->addStretch(1);
    ShowLadder();
    return box;
}

void CDlgOptionSellAnaly::ShowLadder() {
    m_ladderText->setText(
        QStringLiteral("价格每档变动 %1%，当前价格上下各 %2 档；波动率趋平低 %3%，加剧高 %4%")
            .arg(m_ladder.stepPercent)
            .arg(m_ladder.rowsEachSide)
            .arg(m_ladder.calmerPercent)
            .arg(m_ladder.wilderPercent));
}

// ---- Underlyings, list and details --------------------------------------------------------------

bool CDlgOptionSellAnaly::OnInitDialog() {
    FillUnderlyings();
    return true;
}

void CDlgOptionSellAnaly::FillUnderlyings() {
    Handle<I::OptionsDataSvcI> options = GetService<I::OptionsDataSvcI>();
    if (!options) {
        return;
    }
    const QSignalBlocker blocker(m_underlyings);
    m_underlyings->clear();
    for (const I::QuoteKey& underlying : options->GetUnderlyings()) {
        m_underlyings->addItem(options->GetUnderlyingName(underlying), underlying.ToText());
    }
    m_underlyings->setCurrentIndex(m_underlyings->count() > 0 ? 0 : -1);
    OnUnderlyingChanged();
}

void CDlgOptionSellAnaly::OnUnderlyingChanged() {
    m_options->Load(I::QuoteKey::FromText(m_underlyings->currentData().toString()));
}

void CDlgOptionSellAnaly::ApplyFilter() {
    auto checked = [this](int id) { return Win::FindControl<QAbstractButton>(this, id)->isChecked(); };
    SellOptionList::Filter filter;
    filter.months = checked(kNearestMonthRadio)         ? SellOptionList::Filter::kNearestMonth
                    : checked(kNearestThreeMonthsRadio) ? SellOptionList::Filter::kNearestThreeMonths
                                                        : SellOptionList::Filter::kAllMonths;
    filter.calls = checked(kCallCheck);
    filter.puts = checked(kPutCheck);
    filter.inTheMoney = checked(kInTheMoneyCheck);
    filter.atTheMoney = checked(kAtTheMoneyCheck);
    filter.outOfTheMoney = checked(kOutOfTheMoneyCheck);
    m_options->SetFilter(filter);
}

void CDlgOptionSellAnaly::OnOptionClicked(int row) {
    const I::QuoteKey option = m_options->KeyAt(row);
    if (!option.IsValid()) {
        return;
    }
    m_pending = option;
    SetTimer(kClickTimer, kTimerMs);
}

void CDlgOptionSellAnaly::ChangeUnderlying() {
    CDlgSel chooser(this);
    chooser.DoModal();
    if (chooser.Choice().marketId < 0) {
        return;
    }
    TakeOption(chooser.Choice());
}

void CDlgOptionSellAnaly::TakeOption(const I::QuoteKey& option) {
    I::QuoteKey underlying;
    Handle<I::OptionsDataSvcI> options = GetService<I::OptionsDataSvcI>();
    if (!options || !options->GetUnderlyingKey(option, underlying)) {
        return;
    }
    m_pending = option;
    Download(option);
    const int index = m_underlyings->findData(underlying.ToText());
    if (index >= 0 && index != m_underlyings->currentIndex()) {
        m_underlyings->setCurrentIndex(index);
    } else {
        OnUnderlyingChanged();
    }
    SetTimer(kChangeTimer, kTimerMs);
}

void CDlgOptionSellAnaly::TakeOptionText(const QString& option) {
    TakeOption(I::QuoteKey::FromText(option));
}

void CDlgOptionSellAnaly::OnTimer(int id) {
    if (id != kClickTimer && id != kChangeTimer) {
        return;
    }
    KillTimer(id);
    const I::QuoteKey option = m_pending;
    if (id == kClickTimer) {
        Download(option);
    } else if (const int row = m_options->RowOf(option); row >= 0) {
        m_list->selectRow(row);
    }
    ShowOption(option);
}

void CDlgOptionSellAnaly::Download(const I::QuoteKey& option) {
    I::QuoteKey underlying;
    Handle<I::OptionsDataSvcI> options = GetService<I::OptionsDataSvcI>();
    if (!options || !options->GetUnderlyingKey(option, underlying)) {
        return;
    }
    CDlgDownQuotaData download(this);
    download.contracts = {option, underlying};
    download.DoModal();
}

void CDlgOptionSellAnaly::ShowOption(const I::QuoteKey& option) {
    std::optional<ListedOption> listed = ListedOption::Read(option);
    if (!listed) {
        return;
    }
    m_chosen = std::move(listed);
    const I::OptionRecord& record = m_chosen->Record();
    const int decimals = m_chosen->Info().decimals;
    Win::SetDlgItemText(this, kOptionName, m_chosen->Info().name);
    Win::SetDlgItemText(this, kClass, ClassText(record.classLetter));
    Win::SetDlgItemText(this, kKind, record.IsPut() ? QStringLiteral("认沽") : QStringLiteral("认购"));
    Win::SetDlgItemText(this, kStrike, Price(m_chosen->Strike(), decimals));
    Win::SetDlgItemText(this, kContractUnit, QString::number(record.contractUnit));
    Win::SetDlgItemText(
        this, kExpiry,
        record.expiry.isValid() ? record.expiry.toString(QStringLiteral("yyyy-MM-dd")) : QString());
    Win::SetDlgItemText(this, kUnderlyingName, m_chosen->UnderlyingInfo().name);
    Win::SetDlgItemText(this, kExerciseStyle, StyleText(record.exerciseStyle));
    ShowUnderlyingPrice();
    // The price to sell at starts as the option's latest price: what the trader would change.
    const std::optional<double> last = m_chosen->OptionPrice(PriceSource::kLast);
    Win::SetDlgItemText(this, kSellPrice, last ? Price(*last, decimals) : QString());
    for (int id : {kHisVolatility, kImpliedVolatility, kIntrinsicValue, kTimeValue, kTheoreticalPrice, kDelta,
                   kGamma, kRho, kTheta, kVega}) {
        Win::SetDlgItemText(this, id, QString());
    }
    m_profitRows->Show({}, 0);
    m_summary->Show({}, 0);
    FollowQuotes({option, m_chosen->UnderlyingKey()});
}

void CDlgOptionSellAnaly::ShowUnderlyingPrice() {
    if (!m_chosen) {
        return;
    }
    const std::optional<double> S = m_chosen->UnderlyingPrice(PriceSource::kLastOrReference);
    Win::SetDlgItemText(this, kUnderlyingPrice,
                        S ? Price(*S, m_chosen->UnderlyingInfo().decimals) : QStringLiteral("--"));
    Win::SetDlgItemText(this, kDaysLeft, QString::number(m_chosen->WholeDaysToExpiry()));
}

// ---- Quotes ------------------------------------------------------------------------------------

void CDlgOptionSellAnaly::OnQuotePush(const I::QuotePushRecord&, const Json::Value&) {
    // Pushes may come fast and from a host thread: the window is woken once for all of them.
    if (!m_quotePending.exchange(true)) {
        Win::PostMessage(this, kQuoteMessage, 0, 0);
    }
}

Win::LRESULT CDlgOptionSellAnaly::OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) {
    if (message != kQuoteMessage) {
        return CKrDlg::OnMessage(message, wParam, lParam);
    }
    m_quotePending = false;
    ShowUnderlyingPrice();
    m_options->RefreshFigures();
    return 0;
}

void CDlgOptionSellAnaly::RefreshQuotes() {
    const I::QuoteKey selected = m_options->KeyAt(m_list->currentIndex().row());
    m_options->Load(m_options->Underlying());
    if (const int row = m_options->RowOf(selected); row >= 0) {
        m_list->selectRow(row);
    }
    if (m_chosen) {
        FollowQuotes({m_chosen->Key(), m_chosen->UnderlyingKey()});
        ShowUnderlyingPrice();
    }
}

// ---- Computation -------------------------------------------------------------------------------

bool CDlgOptionSellAnaly::Validate() {
    auto refuse = [this](const QString& text) {
        KRUI_MsgBox(this, text, QStringLiteral("提示"), Win::MB_OK);
        return false;
    };
    const int historyDays = Win::TextToInt(Win::GetDlgItemText(this, kHistoryDays));
    if (historyDays < kMinHistoryDays) {
        return refuse(QStringLiteral("计算天数太短!"));
    }
    if (historyDays >= kMaxHistoryDays) {
        return refuse(QStringLiteral("计算天数太长!"));
    }
    if (Win::TextToDouble(Win::GetDlgItemText(this, kSellPrice)) < kLeastSellPrice) {
        return refuse(QStringLiteral("卖出价格必须大于 0!"));
    }
    if (Win::TextToInt(Win::GetDlgItemText(this, kQuantity)) < 1) {
        return refuse(QStringLiteral("卖出数量必须大于 0!"));
    }
    return true;
}

void CDlgOptionSellAnaly::Compute() {
    if (!m_chosen || !Validate()) {
        return;
    }
    ShowUnderlyingPrice();
    OptionPricing::ShortOption o;
    o.put = m_chosen->PutFlag();
    o.optionType = m_chosen->FormulaSelector(OptionValuation::UnknownClass::kLetterCode);
    o.exerciseStyle = m_chosen->Record().exerciseStyle;
    o.S = m_chosen->UnderlyingPrice(PriceSource::kLastOrReference).value_or(0);
    o.K = m_chosen->Strike();
    o.historicalVolatility = OptionPricing::CalcHisVolatility(m_chosen->UnderlyingKey(), 0.0);
    o.r = Win::TextToDouble(Win::GetDlgItemText(this, kRate)) / 100;
    o.dayCount = m_chosen->WholeDaysToExpiry() + 1;
    o.sellPrice = Win::TextToDouble(Win::GetDlgItemText(this, kSellPrice));
    o.quantity = Win::TextToInt(Win::GetDlgItemText(this, kQuantity));
    const OptionPricing::ShortOptionAnalysis a = OptionPricing::AnalyseShortOption(o, m_ladder);

    Win::SetDlgItemText(this, kHisVolatility, Fixed4(o.historicalVolatility));
    Win::SetDlgItemText(this, kImpliedVolatility, Fixed4(a.impliedVolatility));
    Win::SetDlgItemText(this, kIntrinsicValue, Fixed4(a.intrinsicValue));
    Win::SetDlgItemText(this, kTimeValue, Fixed4(a.timeValue));
    Win::SetDlgItemText(this, kTheoreticalPrice, Fixed4(a.theoreticalPrice));
    Win::SetDlgItemText(this, kDelta, Fixed4(a.delta));
    Win::SetDlgItemText(this, kGamma, Fixed4(a.gamma));
    Win::SetDlgItemText(this, kRho, Fixed4(a.rho));
    Win::SetDlgItemText(this, kTheta, Fixed4(a.theta));
    Win::SetDlgItemText(this, kVega, Fixed4(a.vega));
    m_profitRows->Show(a, m_chosen->Info().decimals);
    m_summary->Show(a, m_chosen->Info().decimals);
}

void CDlgOptionSellAnaly::OpenSettings() {
    CDlgOptionSellAnalySet settings(m_ladder, this);
    if (settings.DoModal() != QDialog::Accepted) {
        return;
    }
    m_ladder = settings.Ladder();
    ShowLadder();
    Compute();
}
