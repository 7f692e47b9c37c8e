#include "option/CDlgOptionBatchTrade.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "KRUI.h"
#include "kernel/EngineLog.h"
#include "kernel/HostAccess.h"
#include "kora/interface/BaseQuoteDataSvcI.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/KRTConfigI.h"
#include "kora/interface/KRTEngineI.h"
#include "kora/interface/OptionsDataSvcI.h"
#include "kora/interface/QuoteSubscribeSvcI.h"
#include "kora/interface/ThemeSvcI.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "option/BatchOrderRequest.h"
#include "platform/ColorRef.h"
#include "platform/ControlId.h"
#include "platform/DialogPalette.h"
#include "platform/DlgItemText.h"
#include "platform/IniFile.h"
#include "trading/Linkage.h"
#include "trading/TradingCodes.h"

using Kora::Kernel::GetService;
using Kora::Utility::Handle;
using Kora::Utility::JsonInt;
using Kora::Utility::JsonText;
using Kora::Utility::JsonWText;
using Kora::Utility::Member;
namespace I = Kora::Interface;
namespace K = Kora::Kernel;
namespace Topic = Kora::Interface::Topic;
using OptionBoard::Tab;
using CellRef = COptListTradeBatch::CellRef;

namespace {

const QString kLogSource = QStringLiteral("期权批量交易");
const QString kHelpFile = QStringLiteral("../cfg/professional.ini");
const QString kHelpUrl = QStringLiteral("https://help.krttools.example/option/batch-order.html");

// Buy cells are ticked in red, sell cells in green, as the terminal colours the two sides.
const QColor kBuyColor(0xC6, 0x22, 0x21);
const QColor kSellColor(0x00, 0x71, 0x30);
const QColor kFallColor(0x00, 0x8A, 0x3A);

template <class Control>
Control* WithId(Control* control, int id) {
    Win::SetControlId(control, id);
    return control;
}

QString Sum(double value) {
    return QString::asprintf("%.3lf", value);
}

const char* const kStyle =
    "CDlgOptionBatchTrade { background: #F5F6F8; }"
    "QGroupBox { border: 1px solid #D3D8DF; border-radius: 3px; margin-top: 9px; padding: 6px 8px 4px 8px;"
    "  background: #FFFFFF; }"
    "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; color: #2F4F7F; }"
    "QComboBox { background: #FFFFFF; color: #1A1A1A; border: 1px solid #B9C1CC; padding: 1px 4px;"
    "  min-height: 20px; }"
    "QLineEdit { background: #FFFFFF; color: #1A1A1A; border: 1px solid #B9C1CC; min-height: 20px;"
    "  padding: 0 3px; }"
    "QToolButton { border: none; }"
    "QLabel { color: #333333; }"
    "QLabel[role=\"value\"] { color: #1A1A1A; font-weight: bold; }"
    "QTabBar::tab { padding: 4px 14px; border: 1px solid #C8CDD4; border-bottom: none; margin-right: 2px;"
    "  background: #E9ECF0; color: #333333; }"
    "QTabBar::tab:selected { background: #FFFFFF; color: #2F4F7F; font-weight: bold; }"
    // The board's scroll bars in the dialog's light colours, not the terminal's dark ones.
    "QScrollBar:vertical { background: #EEF0F3; width: 12px; margin: 0; }"
    "QScrollBar:horizontal { background: #EEF0F3; height: 12px; margin: 0; }"
    "QScrollBar::handle { background: #C3C9D1; border-radius: 4px; min-height: 24px; min-width: 24px; }"
    "QScrollBar::handle:hover { background: #A9B1BC; }"
    "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }"
    "QScrollBar::add-page, QScrollBar::sub-page { background: none; }";

}  // namespace

CDlgOptionBatchTrade::CDlgOptionBatchTrade(QWidget* parent)
    : CKrDlgOperate(kTemplateId, parent), m_prompter(this), m_orders(m_prompter) {
    setWindowTitle(QStringLiteral("期权批量交易"));
}

CDlgOptionBatchTrade::~CDlgOptionBatchTrade() {
    // Pushes and messages may be on their way on host threads; none may reach a half-destroyed
    // window.
    DetachQuotes();
    Detach();
    UnSubscribeMsg();
}

// ---- Controls ---------------------------------------------------------------------------------

void CDlgOptionBatchTrade::InitUI() {
    ReadColors();
    CreateControls();
    LayOutControls();
    ConnectControls();
    Win::ApplyLightDialogPalette(*this);
    StyleButtons();
}

void CDlgOptionBatchTrade::ReadColors() {
    Handle<I::KRTConfigI> config = GetService<I::KRTConfigI>();
    // Without the configuration service the board takes the terminal's shipped colours.
    auto color = [&config](const char* name, uint32_t fallback) {
        return Win::FromColorRef(config ? config->GetColor(QString::fromUtf8(name)) : fallback);
    };
    Colors& c = m_colors;
    c.tabBackground = color("期权批量交易标签背景色", 0xF0F0F0);
    c.atTheMoneyBackground = color("期权批量交易T报平值行权价背景色", 0xB3ECFF);
    c.atTheMoneyText = color("期权批量交易T报平值行权价文字色", 0x0000C0);
    c.strikeBackground = color("期权批量交易T报行权价背景色", 0xFAF1EB);
    c.strikeText = color("期权批量交易T报行权价文字色", 0x333333);
    c.inTheMoney[0] = color("期权批量交易T报实值背景色1", 0xE1F8FF);
    c.inTheMoney[1] = color("期权批量交易T报实值背景色2", 0xD2F2FC);
    c.outOfTheMoney[0] = color("期权批量交易T报虚值背景色1", 0xFFFFFF);
    c.outOfTheMoney[1] = color("期权批量交易T报虚值背景色2", 0xF5F5F5);
    c.boardBackground = color("期权批量交易T报背景色", 0xFFFFFF);
    c.boardText = color("期权批量交易T报文字色", 0x333333);
    COptListTradeBatch::HeaderColors& h = c.header;
    h.monthText = color("期权批量交易T报表头月份文字色", 0xFFFFFF);
    h.monthBackground = color("期权批量交易T报表头月份背景色", 0xA46534);
    h.callBackground = color("期权批量交易T报表头认购认沽背景色1", 0xE2E2FA);
    h.putBackground = color("期权批量交易T报表头认购认沽背景色2", 0xE6F4E2);
    h.callText = color("期权批量交易T报表头认购认沽文字色1", 0x2122C6);
    h.putText = color("期权批量交易T报表头认购认沽文字色2", 0x307100);
    h.middleBackground = color("期权批量交易T报表头标的背景色", 0xF0F0F0);
    h.middleText = color("期权批量交易T报表头标的文字色", 0x333333);
    h.strikeBackground = color("期权批量交易T报表头行权价背景色", 0xF0E4DC);
    h.strikeText = color("期权批量交易T报表头行权价文字色", 0x333333);
}

void CDlgOptionBatchTrade::StyleButtons() {
    Handle<I::KRTConfigI> config = GetService<I::KRTConfigI>();
    // A button's look ("按钮样式": "背景色", "文字色", "边框色"); the dialog's when not configured.
    const auto style = [&config](QPushButton* button, const char* name) {
        const Json::Value look =
            config ? config->GetValue(QStringLiteral("按钮样式"), QString::fromUtf8(name)) : Json::Value();
        if (!look.isObject()) {
            return;
        }
        const auto colour = [&look](const char* key) {
            return Win::FromColorRef(static_cast<uint32_t>(std::stoul(JsonText(look, key, "0"), nullptr, 0)))
                .name();
        };
        button->setStyleSheet(QStringLiteral("QPushButton { background: %1; color: %2; border: 1px solid %3;"
                                             " border-radius: 3px; padding: 3px 14px; font-weight: bold; }"
                                             "QPushButton:disabled { background: #E0E0E0; color: #A0A0A0; }")
                                  .arg(colour("背景色"), colour("文字色"), colour("边框色")));
    };
    style(m_orderButton, "期权批量交易下单按钮");
    style(m_clearButton, "期权批量交易清除按钮");
}

void CDlgOptionBatchTrade::CreateControls() {
    setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 9));
    setStyleSheet(QString::fromUtf8(kStyle));

    m_accountBox = WithId(new QComboBox(this), kAccountCombo);
    m_accountBox->setMinimumContentsLength(18);
    m_priceBox = WithId(new QComboBox(this), kPriceCombo);
    m_priceBox->addItems({QStringLiteral("对手价"), QStringLiteral("挂单价"), QStringLiteral("最新价")});
    m_quantityEdit = WithId(new QLineEdit(this), kQuantityEdit);
    m_quantityEdit->setFixedWidth(70);
    m_orderButton = WithId(new QPushButton(QStringLiteral("下单"), this), kOrderButton);
    m_clearButton = WithId(new QPushButton(QStringLiteral("清空"), this), kClearButton);
    m_helpButton = WithId(new QToolButton(this), kHelpButton);
    m_helpButton->setToolTip(QStringLiteral("风险试算说明"));
    if (Handle<I::ThemeSvcI> theme = GetService<I::ThemeSvcI>()) {
        m_helpButton->setIcon(QIcon(theme->GetImage(QStringLiteral("期权专业版"), QStringLiteral("问号"))));
    }
    if (m_helpButton->icon().isNull()) {
        m_helpButton->setText(QStringLiteral("?"));
    }
    m_underlyingBox = WithId(new QComboBox(this), kUnderlyingCombo);
    m_underlyingBox->setMinimumContentsLength(8);

    m_tabs = WithId(new QTabBar(this), kTabBar);
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    for (const char* tab : {"隐波率", "市场价", "最新价", "时间价值"}) {
        m_tabs->addTab(QString::fromUtf8(tab));
    }

    m_board = WithId(new COptListTradeBatch(this), kBoard);
    m_board->setObjectName(QStringLiteral("optionBoard"));
    QFont boardFont(QStringLiteral("Noto Sans CJK SC"), 10);
    m_board->setFont(boardFont);
    m_board->SetColumns({{QStringLiteral("认购买"), 76},
                         {QStringLiteral("认购卖"), 76},
                         {QStringLiteral("行权价"), 120},
                         {QStringLiteral("认沽买"), 76},
                         {QStringLiteral("认沽卖"), 76}},
                        OptionBoard::kStrike);
    m_board->SetGroupTitles(QStringLiteral("认购"), QString(), QStringLiteral("认沽"));
    m_board->SetHeaderColors(m_colors.header);
    m_board->SetBoardColors(m_colors.boardBackground, m_colors.boardText);
    m_board->SetPlaceholder(QStringLiteral("--"));
    m_board->SetMarkedHint(QStringLiteral("缺少合约信息或行情，未计入风险试算，不能下单"));
    for (int column = 0; column < OptionBoard::kColumnCount; ++column) {
        if (column != OptionBoard::kStrike) {
            m_board->SetTickColor(column, OptionBoard::IsSellColumn(column) ? kSellColor : kBuyColor);
        }
    }
    m_board->viewport()->installEventFilter(this);
}

void CDlgOptionBatchTrade::LayOutControls() {
    auto value = [this](int id) {
        auto* label = WithId(new QLabel(QStringLiteral("0"), this), id);
        label->setProperty("role", QStringLiteral("value"));
        label->setMinimumWidth(70);
        return label;
    };
    auto sumsGrid = [&](QGroupBox* box, int buyVega, int buyDelta, int sellVega, int sellDelta) {
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(4);
        const struct {
            const char* label;
            int id;
        } cells[] = {{"委买Vega:", buyVega},
                     {"委买Delta:", buyDelta},
                     {"委卖Vega:", sellVega},
                     {"委卖Delta:", sellDelta}};
        for (int i = 0; i < 4; ++i) {
            grid->addWidget(new QLabel(QString::fromUtf8(cells[i].label), box), i / 2, (i % 2) * 2);
            grid->addWidget(value(cells[i].id), i / 2, (i % 2) * 2 + 1);
        }
        return grid;
    };

    auto* working = new QGroupBox(QStringLiteral("已委"), this);
    auto* workingLayout =
        sumsGrid(working, kWorkingBuyVega, kWorkingBuyDelta, kWorkingSellVega, kWorkingSellDelta);
    workingLayout->setRowStretch(2, 1);
    working->setLayout(workingLayout);

    auto* trial = new QGroupBox(QStringLiteral("风险试算"), this);
    QGridLayout* trialGrid = sumsGrid(trial, kTrialBuyVega, kTrialBuyDelta, kTrialSellVega, kTrialSellDelta);
    trialGrid->addWidget(new QLabel(QStringLiteral("已选合约:"), trial), 2, 0);
    trialGrid->addWidget(value(kTrialLegs), 2, 1);
    trialGrid->addWidget(new QLabel(QStringLiteral("权利金点差:"), trial), 2, 2);
    trialGrid->addWidget(value(kTrialSpread), 2, 3);
    auto* note = WithId(new QLabel(this), kTrialNote);
    note->setStyleSheet(QStringLiteral("color: #E06C00;"));
    trialGrid->addWidget(note, 3, 0, 1, 4);
    trialGrid->addWidget(m_helpButton, 0, 4, Qt::AlignTop | Qt::AlignRight);
    trial->setLayout(trialGrid);

    auto* order = new QGroupBox(QStringLiteral("下单"), this);
    auto* orderGrid = new QGridLayout(order);
    orderGrid->setHorizontalSpacing(6);
    orderGrid->setVerticalSpacing(4);
    orderGrid->addWidget(new QLabel(QStringLiteral("账号"), order), 0, 0);
    orderGrid->addWidget(m_accountBox, 0, 1, 1, 4);
    orderGrid->addWidget(new QLabel(QStringLiteral("价格"), order), 1, 0);
    orderGrid->addWidget(m_priceBox, 1, 1);
    orderGrid->addWidget(new QLabel(QStringLiteral("数量"), order), 1, 2);
    auto* quantity = new QHBoxLayout;
    quantity->setSpacing(0);
    quantity->addWidget(m_quantityEdit);
    auto* spin = new QVBoxLayout;
    spin->setSpacing(0);
    for (const auto& [id, arrow] :
         {std::pair{kQuantityUp, Qt::UpArrow}, std::pair{kQuantityDown, Qt::DownArrow}}) {
        auto* button = WithId(new QToolButton(order), id);
        button->setArrowType(arrow);
        button->setFixedSize(16, 11);
        button->setAutoRepeat(true);
        spin->addWidget(button);
    }
    quantity->addLayout(spin);
    orderGrid->addLayout(quantity, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_orderButton);
    buttons->addWidget(m_clearButton);
    orderGrid->addLayout(buttons, 2, 1, 1, 4);

    auto* top = new QHBoxLayout;
    top->setSpacing(8);
    top->addWidget(working, 3);
    top->addWidget(trial, 4);
    top->addWidget(order, 3);

    m_tabStrip = new QWidget(this);
    m_tabStrip->setObjectName(QStringLiteral("tabStrip"));
    m_tabStrip->setAutoFillBackground(true);
    QPalette strip = m_tabStrip->palette();
    strip.setColor(QPalette::Window, m_colors.tabBackground);
    m_tabStrip->setPalette(strip);
    auto* line = new QHBoxLayout(m_tabStrip);
    line->setContentsMargins(6, 4, 8, 0);
    line->setSpacing(6);
    line->addWidget(m_tabs, 0, Qt::AlignBottom);
    line->addStretch(1);
    line->addWidget(new QLabel(QStringLiteral("标的："), m_tabStrip));
    line->addWidget(m_underlyingBox);
    const struct {
        const char* label;
        int id;
    } quote[] = {{"最新价：", kUnderlyingLast}, {"涨跌：", kUnderlyingChange}, {"幅度：", kUnderlyingRate}};
    for (const auto& [label, id] : quote) {
        line->addSpacing(8);
        line->addWidget(new QLabel(QString::fromUtf8(label), m_tabStrip));
        auto* shown = value(id);
        shown->setText(QStringLiteral("--"));
        shown->setMinimumWidth(56);
        line->addWidget(shown);
    }

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 4, 6, 6);
    outer->setSpacing(6);
    outer->addLayout(top);
    auto* boardArea = new QVBoxLayout;
    boardArea->setSpacing(0);
    boardArea->addWidget(m_tabStrip);
    boardArea->addWidget(m_board, 1);
    outer->addLayout(boardArea, 1);
    // The template's 878 × 326 dialog units.
    resize(1317, 520);
}

void CDlgOptionBatchTrade::ConnectControls() {
    connect(m_orderButton, &QPushButton::clicked, this, &CDlgOptionBatchTrade::PlaceOrder);
    connect(m_clearButton, &QPushButton::clicked, this, &CDlgOptionBatchTrade::ClearTicks);
    connect(m_helpButton, &QToolButton::clicked, this, &CDlgOptionBatchTrade::OpenHelp);
    connect(m_accountBox, &QComboBox::activated, this, &CDlgOptionBatchTrade::ChooseAccount);
    connect(m_underlyingBox, &QComboBox::activated, this, [this](int index) {
        ShowUnderlying(I::QuoteKey::FromText(m_underlyingBox->itemData(index).toString()));
    });
    connect(m_tabs, &QTabBar::currentChanged, this,
            [this](int index) { ChooseTab(static_cast<Tab>(index)); });
    connect(m_quantityEdit, &QLineEdit::textChanged, this, [this] { RecomputeTrial(); });
    connect(Win::FindControl<QToolButton>(this, kQuantityUp), &QToolButton::clicked, this,
            [this] { StepQuantity(-1); });
    connect(Win::FindControl<QToolButton>(this, kQuantityDown), &QToolButton::clicked, this,
            [this] { StepQuantity(1); });
    connect(m_board, &COptListTradeBatch::ticksChanged, this, &CDlgOptionBatchTrade::RecomputeTrial);
    connect(m_board, &COptListTradeBatch::monthChosen, this, &CDlgOptionBatchTrade::ChooseMonth);
    connect(m_board->verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] { m_anchorRow = -1; });
}

// ---- Set-up -----------------------------------------------------------------------------------

void CDlgOptionBatchTrade::InitWindow() {
    LoadAccounts();
    LoadUnderlyings();
    m_tabs->setCurrentIndex(0);
    ShowUnderlying(FirstUnderlying());
    m_quantityEdit->setText(QStringLiteral("1"));
    m_orderButton->setEnabled(true);
    SubscribeMsg();
    SetTimer(kRefreshTimerId, kRefreshMs);
}

void CDlgOptionBatchTrade::LoadAccounts() {
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    const QString previous = m_accountBox->currentData().toString();
    const QString current = engine ? JsonWText(engine->GetCurrentAccount(), "EAccountID") : QString();
    const Json::Value accounts =
        engine ? engine->Invoke(QStringLiteral("KRTEngineOption"), Json::Value()) : Json::Value();
    m_accountBox->clear();
    if (accounts.isArray()) {
        for (const Json::Value& account : accounts) {
            const QString id = JsonWText(account, "EAccountID");
            if (id.isEmpty()) {
                continue;
            }
            const QString number = JsonWText(account, Field::kAccountText);
            const QString name = JsonWText(account, "AccountName");
            const QString category =
                TradingCodes::AccountCategoryText(static_cast<int>(JsonInt(account, "Category", -1)));
            const QString text =
                category.isEmpty() ? QString::asprintf("%s %s", qUtf8Printable(number), qUtf8Printable(name))
                                   : QString::asprintf("%s %s %s", qUtf8Printable(number),
                                                       qUtf8Printable(name), qUtf8Printable(category));
            m_accountBox->addItem(text, id);
        }
    }
    int index = m_accountBox->findData(previous.isEmpty() ? current : previous);
    if (index < 0 && m_accountBox->count() > 0) {
        index = 0;
    }
    m_accountBox->setCurrentIndex(index);
    const QString chosen = m_accountBox->currentData().toString();
    if (chosen != JsonWText(m_account, "EAccountID") || chosen.isEmpty()) {
        ChooseAccount(index);
    }
}

void CDlgOptionBatchTrade::ChooseAccount(int index) {
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    m_account = Json::Value();
    if (index >= 0 && index < m_accountBox->count() && engine) {
        Json::Value query(Json::objectValue);
        query["EAccountID"] = m_accountBox->itemData(index).toString().toStdString();
        const Json::Value record = engine->Invoke(QStringLiteral("GetAccount"), query);
        if (record.isObject() && !JsonText(record, "EAccountID").empty()) {
            m_account = record;
        }
    }
    RecomputeWorking();
}

int CDlgOptionBatchTrade::AccountCategory() const {
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    const int fallback = static_cast<int>(JsonInt(m_account, "Category", -1));
    if (!engine || !m_account.isObject()) {
        return fallback;
    }
    Json::Value query(Json::objectValue);
    query["EAccountID"] = Member(m_account, "EAccountID");
    const int category = engine->GetAccountCategory(query);
    return category >= 0 ? category : fallback;
}

void CDlgOptionBatchTrade::LoadUnderlyings() {
    Handle<I::OptionsDataSvcI> optionsData = GetService<I::OptionsDataSvcI>();
    m_underlyingBox->clear();
    for (const I::QuoteKey& underlying : OptionBoard::Underlyings()) {
        const QString name = optionsData ? optionsData->GetUnderlyingName(underlying) : QString();
        m_underlyingBox->addItem(name.isEmpty() ? underlying.code : name, underlying.ToText());
    }
}

I::QuoteKey CDlgOptionBatchTrade::FirstUnderlying() const {
    const std::vector<I::QuoteKey> underlyings = OptionBoard::Underlyings();
    const int category = AccountCategory();
    for (const I::QuoteKey& underlying : underlyings) {
        if (BatchOrderRequest::AccountTradesClass(category, OptionBoard::ClassLetterOf(underlying))) {
            return underlying;
        }
    }
    return underlyings.empty() ? I::QuoteKey() : underlyings.front();
}

// ---- Underlying and month -----------------------------------------------------------------------

void CDlgOptionBatchTrade::ShowUnderlying(const I::QuoteKey& underlying, const QString& month) {
    m_chain = OptionBoard::LoadChain(underlying, month);
    m_board->SetRowCount(static_cast<int>(m_chain.rows.size()));
    m_board->ClearTicks();
    m_board->SetMonths(m_chain.months, static_cast<int>(m_chain.months.indexOf(m_chain.month)));
    m_board->SetGroupTitles(QStringLiteral("认购"), m_chain.underlyingName, QStringLiteral("认沽"));
    {
        const QSignalBlocker quiet(m_underlyingBox);
        m_underlyingBox->setCurrentIndex(m_underlyingBox->findData(underlying.ToText()));
    }
    m_quotes.clear();

    I::QuoteKeySet followed;
    if (m_chain.underlying.IsValid()) {
        followed.insert(m_chain.underlying);
    }
    for (const OptionBoard::Row& row : m_chain.rows) {
        for (const auto* option : {row.call ? &*row.call : nullptr, row.put ? &*row.put : nullptr}) {
            if (option) {
                followed.insert(option->key);
            }
        }
    }
    FollowQuotes(followed);
    if (Handle<I::QuoteSubscribeSvcI> quotes = GetService<I::QuoteSubscribeSvcI>();
        quotes && m_chain.underlying.IsValid()) {
        quotes->RequestHistory(SubscriberHandle(), m_chain.underlying, QStringLiteral("KLine_Day"),
                               Json::Value());
    }

    m_anchorRow = -1;
    m_centreWhenFilled = true;
    Refresh();
    RecomputeWorking();
}

void CDlgOptionBatchTrade::ChooseMonth(int index) {
    if (index >= 0 && index < m_chain.months.size()) {
        ShowUnderlying(m_chain.underlying, m_chain.months[index]);
    }
}

void CDlgOptionBatchTrade::ChooseTab(Tab tab) {
    m_tab = tab;
    if (m_tabs->currentIndex() != static_cast<int>(tab)) {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->setCurrentIndex(static_cast<int>(tab));
    }
    Refresh();
    m_board->setFocus(Qt::OtherFocusReason);
}

void CDlgOptionBatchTrade::ChangeStock(const Json::Value& request) {
    FollowLinkage(Member(request, "ActivityParam"));
}

void CDlgOptionBatchTrade::FollowLinkage(const Json::Value& linkage) {
    const I::QuoteKey linked = Linkage::LinkedStock(linkage);
    const I::QuoteKey underlying = OptionBoard::UnderlyingOf(linked);
    if (!underlying.IsValid()) {
        return;
    }
    // An option brings its own month along; an underlying keeps the month shown.
    QString month = m_chain.month;
    I::OptionRecord record;
    Handle<I::OptionsDataSvcI> optionsData = GetService<I::OptionsDataSvcI>();
    if (optionsData && optionsData->IsOption(linked) && optionsData->GetOptionRecord(linked, record)) {
        month = record.month;
    }
    const bool same =
        underlying.marketId == m_chain.underlying.marketId && underlying.code == m_chain.underlying.code;
    if (!same || month != m_chain.month) {
        ShowUnderlying(underlying, month);
    }
}

// ---- Refresh -----------------------------------------------------------------------------------

OptionBoard::Market CDlgOptionBatchTrade::ReadMarket(I::QuoteSnapshot& underlying,
                                                     bool& hasUnderlying) const {
    OptionBoard::Market market;
    market.now = OptionValuation::Now();
    Handle<I::BaseQuoteDataSvcI> quotes = GetService<I::BaseQuoteDataSvcI>();
    hasUnderlying =
        quotes && m_chain.underlying.IsValid() && quotes->GetSnapshot(m_chain.underlying, underlying);
    if (hasUnderlying) {
        const int32_t units = underlying.last > 0 ? underlying.last : underlying.referencePrice;
        market.S = OptionValuation::FromPriceUnits(units, m_chain.underlyingInfo.priceDivisor);
    }
    if (Handle<I::OptionsDataSvcI> optionsData = GetService<I::OptionsDataSvcI>()) {
        market.r = optionsData->GetRiskFreeRate() / 100.0;
    }
    return market;
}

void CDlgOptionBatchTrade::Refresh() {
    m_shownPushNs = m_newestPushNs.load();
    I::QuoteSnapshot underlying{};
    bool hasUnderlying = false;
    m_market = ReadMarket(underlying, hasUnderlying);
    ShowUnderlyingLine(underlying, hasUnderlying);

    Handle<I::BaseQuoteDataSvcI> quotes = GetService<I::BaseQuoteDataSvcI>();
    m_quotes.assign(m_chain.rows.size(), OptionBoard::RowQuotes{});
    I::QuoteSnapshot snapshot{};
    for (size_t i = 0; quotes && i < m_chain.rows.size(); ++i) {
        for (const bool put : {false, true}) {
            const OptionBoard::Option* option = m_chain.OptionAt(i, put);
            if (option && quotes->GetSnapshot(option->key, snapshot)) {
                m_quotes[i][put] = OptionBoard::QuoteOf(snapshot);
            }
        }
    }
    m_frame = OptionBoard::ComputeFrame(m_chain.rows, m_quotes, m_tab, m_market);
    if (!PaintFrame()) {
        // Nothing in view changed: the board already shows what this refresh read.
        ReportShown();
    }
    RecomputeTrial();
    if (m_centreWhenFilled && m_frame.atTheMoneyRow >= 0) {
        m_centreWhenFilled = false;
        m_anchorRow = m_frame.atTheMoneyRow;
        m_board->CentreRow(m_anchorRow);
        m_anchorScroll = m_board->verticalScrollBar()->value();
    }
}

bool CDlgOptionBatchTrade::PaintFrame() {
    const Colors& c = m_colors;
    bool changed = false;
    for (size_t i = 0; i < m_frame.texts.size(); ++i) {
        const int row = static_cast<int>(i);
        for (int column = 0; column < OptionBoard::kColumnCount; ++column) {
            COptListTradeBatch::Cell cell;
            cell.text = m_frame.texts[i][static_cast<size_t>(column)];
            if (column == OptionBoard::kStrike) {
                const bool atTheMoney = row == m_frame.atTheMoneyRow;
                cell.background = atTheMoney ? c.atTheMoneyBackground : c.strikeBackground;
                cell.foreground = atTheMoney ? c.atTheMoneyText : c.strikeText;
            } else {
                const bool inTheMoney = m_frame.inTheMoney[i][OptionBoard::IsPutColumn(column)];
                cell.background = (inTheMoney ? c.inTheMoney : c.outOfTheMoney)[column % 2];
                cell.foreground = c.boardText;
            }
            changed |= m_board->SetCell({row, column}, cell);
        }
    }
    return changed;
}

void CDlgOptionBatchTrade::ShowUnderlyingLine(const I::QuoteSnapshot& snapshot, bool known) {
    const int32_t divisor = m_chain.underlyingInfo.priceDivisor;
    const int decimals = std::clamp(m_chain.underlyingInfo.decimals, 0, 8);
    auto* last = Win::FindControl<QLabel>(this, kUnderlyingLast);
    auto* change = Win::FindControl<QLabel>(this, kUnderlyingChange);
    auto* rate = Win::FindControl<QLabel>(this, kUnderlyingRate);
    if (!known || divisor <= 0 || snapshot.last <= 0) {
        for (QLabel* label : {last, change, rate}) {
            label->setText(QStringLiteral("--"));
            label->setStyleSheet(QString());
        }
        return;
    }
    const double price = OptionValuation::FromPriceUnits(snapshot.last, divisor);
    const double reference = OptionValuation::FromPriceUnits(snapshot.referencePrice, divisor);
    const double moved = reference > 0 ? price - reference : 0.0;
    last->setText(QString::number(price, 'f', decimals));
    change->setText(QString::number(moved, 'f', decimals));
    rate->setText(QString::asprintf("%.2lf%%", reference > 0 ? moved / reference * 100.0 : 0.0));
    const QString colour = moved > 0   ? QStringLiteral("color: %1;").arg(kBuyColor.name())
                           : moved < 0 ? QStringLiteral("color: %1;").arg(kFallColor.name())
                                       : QString();
    for (QLabel* label : {last, change, rate}) {
        label->setStyleSheet(colour);
    }
}

void CDlgOptionBatchTrade::OnTimer(int id) {
    if (id == kRefreshTimerId && m_refreshPending.exchange(false)) {
        Refresh();
    }
}

bool CDlgOptionBatchTrade::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_board->viewport()) {
        if (event->type() == QEvent::Paint) {
            const bool handled = CKrDlgOperate::eventFilter(watched, event);
            ReportShown();
            return handled;
        }
        // Until the trader scrolls, the at-the-money row stays in the middle whatever size the
        // board is given.
        if (event->type() == QEvent::Resize && m_anchorRow >= 0 &&
            m_board->verticalScrollBar()->value() == m_anchorScroll) {
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (m_anchorRow >= 0) {
                        m_board->CentreRow(m_anchorRow);
                        m_anchorScroll = m_board->verticalScrollBar()->value();
                    }
                },
                Qt::QueuedConnection);
        }
    }
    return CKrDlgOperate::eventFilter(watched, event);
}

void CDlgOptionBatchTrade::ReportShown() {
    if (m_refreshShownObserver && m_shownPushNs > m_reportedPushNs) {
        m_reportedPushNs = m_shownPushNs;
        m_refreshShownObserver(m_shownPushNs);
    }
}

void CDlgOptionBatchTrade::SetRefreshShownObserver(std::function<void(int64_t)> observer) {
    m_refreshShownObserver = std::move(observer);
}

void CDlgOptionBatchTrade::OnQuotePush(const I::QuotePushRecord& record, const Json::Value&) {
    // A flash push carries no new prices.
    if (record.flashFlag != 0 || !Subscriber().HasQuoteKey(record.key)) {
        return;
    }
    if (record.enqueuedNs > m_newestPushNs.load(std::memory_order_relaxed)) {
        m_newestPushNs.store(record.enqueuedNs);
    }
    m_refreshPending.store(true);
}

// ---- Risk --------------------------------------------------------------------------------------

std::vector<OptionBoard::Leg> CDlgOptionBatchTrade::TickedLegs() const {
    std::vector<OptionBoard::Leg> legs;
    for (const CellRef& cell : m_board->Ticks()) {
        OptionBoard::Leg leg;
        const bool put = OptionBoard::IsPutColumn(cell.column);
        const size_t row = static_cast<size_t>(cell.row);
        leg.option = m_chain.OptionAt(row, put);
        if (row < m_quotes.size()) {
            leg.quote = m_quotes[row][put];
        }
        leg.sell = OptionBoard::IsSellColumn(cell.column);
        legs.push_back(leg);
    }
    return legs;
}

QString CDlgOptionBatchTrade::LegName(CellRef cell) const {
    const bool put = OptionBoard::IsPutColumn(cell.column);
    const OptionBoard::Option* option = m_chain.OptionAt(static_cast<size_t>(cell.row), put);
    QString name = option ? option->info.name : QString();
    if (name.isEmpty()) {
        name = QStringLiteral("%1 %2").arg(
            m_board->CellAt({cell.row, OptionBoard::kStrike}).text.section(u' ', 0, 0),
            put ? QStringLiteral("认沽") : QStringLiteral("认购"));
    }
    static const char* const kTitles[] = {"认购买", "认购卖", "行权价", "认沽买", "认沽卖"};
    return QStringLiteral("%1（%2）").arg(name, QString::fromUtf8(kTitles[cell.column]));
}

void CDlgOptionBatchTrade::RecomputeTrial() {
    const std::vector<OptionBoard::Leg> legs = TickedLegs();
    const int quantity = BatchOrderRequest::Quantity(m_quantityEdit->text()).value_or(0);
    m_trial = OptionBoard::TrialSums(legs, quantity, m_market);
    ShowSums(m_trial, kTrialBuyVega, kTrialBuyDelta, kTrialSellVega, kTrialSellDelta);
    Win::FindControl<QLabel>(this, kTrialLegs)
        ->setText(QString::asprintf("%d", static_cast<int>(legs.size())));
    Win::FindControl<QLabel>(this, kTrialSpread)->setText(Sum(m_trial.PremiumSpread()));
    int incomplete = 0;
    for (size_t i = 0; i < legs.size(); ++i) {
        const bool complete = legs[i].IsComplete();
        m_board->SetMarked(m_board->Ticks()[i], !complete);
        incomplete += complete ? 0 : 1;
    }
    Win::FindControl<QLabel>(this, kTrialNote)
        ->setText(incomplete == 0
                      ? QString()
                      : QStringLiteral("%1个所选合约缺少合约信息或行情，未计入试算").arg(incomplete));
}

void CDlgOptionBatchTrade::RecomputeWorking() {
    m_working = OptionBoard::RiskSums();
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    if (engine && m_account.isObject() && m_chain.underlying.IsValid()) {
        Json::Value query(Json::objectValue);
        query["EAccountID"] = Member(m_account, "EAccountID");
        m_working = OptionBoard::WorkingOrderSums(engine->GetOrders(query), OptionBoard::OptionsOf(m_chain),
                                                  m_market);
    }
    ShowSums(m_working, kWorkingBuyVega, kWorkingBuyDelta, kWorkingSellVega, kWorkingSellDelta);
}

void CDlgOptionBatchTrade::ShowSums(const OptionBoard::RiskSums& sums, int buyVega, int buyDelta,
                                    int sellVega, int sellDelta) {
    Win::FindControl<QLabel>(this, buyVega)->setText(Sum(sums.buyVega));
    Win::FindControl<QLabel>(this, buyDelta)->setText(Sum(sums.buyDelta));
    Win::FindControl<QLabel>(this, sellVega)->setText(Sum(sums.sellVega));
    Win::FindControl<QLabel>(this, sellDelta)->setText(Sum(sums.sellDelta));
}

// ---- Orders ------------------------------------------------------------------------------------

void CDlgOptionBatchTrade::ClearTicks() {
    m_board->ClearTicks();
    RecomputeTrial();
}

void CDlgOptionBatchTrade::StepQuantity(int step) {
    const int quantity = std::max(0, Win::TextToInt(m_quantityEdit->text()) - step);
    m_quantityEdit->setText(QString::asprintf("%d", quantity));
}

void CDlgOptionBatchTrade::PlaceOrder() {
    BatchOrderRequest::Checks checks;
    checks.hasAccount = m_account.isObject() && !JsonText(m_account, "EAccountID").empty();
    checks.accountCategory = AccountCategory();
    checks.classLetter = m_chain.classLetter;
    checks.hasPriceType = m_priceBox->currentIndex() >= 0;
    checks.quantityText = m_quantityEdit->text();
    const std::vector<OptionBoard::Leg> legs = TickedLegs();
    checks.tickedLegs = legs.size();
    for (size_t i = 0; i < legs.size() && checks.incompleteLeg.isEmpty(); ++i) {
        if (!legs[i].IsComplete()) {
            checks.incompleteLeg = LegName(m_board->Ticks()[i]);
        }
    }
    if (const QString refusal = BatchOrderRequest::Refusal(checks); !refusal.isEmpty()) {
        m_prompter.Tell(refusal);
        return;
    }

    std::vector<BatchOrderRequest::Leg> orderLegs;
    QStringList logged;
    for (const OptionBoard::Leg& leg : legs) {
        orderLegs.push_back({JsonWText(leg.option->contract, Field::kExchangeCode),
                             JsonWText(leg.option->contract, Field::kContractCode), leg.sell});
        logged << QStringLiteral("%1,%2").arg(orderLegs.back().contractCode,
                                              leg.sell ? QStringLiteral("卖") : QStringLiteral("买"));
    }
    const int quantity = *BatchOrderRequest::Quantity(checks.quantityText);
    const Json::Value request =
        BatchOrderRequest::Compose(m_account, m_priceBox->currentText(), orderLegs, quantity);
    K::WriteLog(K::kLogOrder,
                QStringLiteral("批量下单|%1|%2|%3|%4")
                    .arg(JsonWText(m_account, "EAccountID"), logged.join(u';'), m_priceBox->currentText())
                    .arg(quantity),
                kLogSource);

    m_orders.Open(request, window());
}

void CDlgOptionBatchTrade::OpenHelp() {
    QDesktopServices::openUrl(QUrl(Win::ReadProfileString(kHelpFile, QStringLiteral("QUESTION"),
                                                          QStringLiteral("OptionBatchOrder"), kHelpUrl)));
}

// ---- Messages -----------------------------------------------------------------------------------

void CDlgOptionBatchTrade::SubscribeMsg() {
    for (const QString& topic :
         {Topic::kAccountChange, Topic::kAccountLogin, Topic::kAccountLogout, Topic::kSTEPRequestCallBack,
          Topic::kReorderNotifyInfo, Topic::kHisDataDownloadItemOver, Topic::kCombinationOrderConfirmed,
          Topic::kCombinationOrderCancelled}) {
        Subscriptions().Subscribe(topic);
    }
}

void CDlgOptionBatchTrade::UnSubscribeMsg() {
    Subscriptions().UnsubscribeAll();
    StopQuotes();
}

void CDlgOptionBatchTrade::OnMsg(const QString& topic, const Json::Value& payload, const Json::Value&) {
    PostKoraMsg(topic, payload);
}

void CDlgOptionBatchTrade::OnKoraMsg(const QString& topic, const Json::Value& payload) {
    if (m_orders.OnMessage(topic, payload)) {
        return;
    }
    if (topic == Topic::kSTEPRequestCallBack) {
        const QString account = JsonWText(payload, "EAccountID");
        if (account.isEmpty() || account == JsonWText(m_account, "EAccountID")) {
            RecomputeWorking();
        }
    } else if (topic == Topic::kAccountChange || topic == Topic::kAccountLogin ||
               topic == Topic::kAccountLogout) {
        LoadAccounts();
    } else if (topic == Topic::kHisDataDownloadItemOver) {
        const I::QuoteKey key = I::QuoteKey::FromJson(payload);
        if (key.marketId == m_chain.underlying.marketId && key.code == m_chain.underlying.code) {
            m_refreshPending.store(true);
        }
    } else if (topic == Topic::kStockChanged) {
        FollowLinkage(payload);
    }
}
