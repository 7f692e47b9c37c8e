#include "option/CDlgOptionQuickMouse.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

#include "CKrStockCombox.h"
#include "kernel/HostAccess.h"
#include "kora/interface/BaseQuoteDataSvcI.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/KRTContractI.h"
#include "kora/interface/OptionsDataSvcI.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "ladder/COpenInfo.h"
#include "ladder/CPositionInfo.h"
#include "ladder/CPriceHSpinEdit.h"
#include "ladder/LadderAssets.h"
#include "ladder/MsgEdit.h"
#include "ladder/PositionTotals.h"
#include "ladder/QuickMouseMessages.h"
#include "option/CKROptionMouselist.h"
#include "option/SelfTradeCheck.h"
#include "option/valuation/ListedOption.h"
#include "platform/ControlId.h"
#include "platform/DialogPalette.h"
#include "platform/IniFile.h"
#include "trading/ContractRecords.h"
#include "trading/Linkage.h"

using Kora::Kernel::GetService;
using Kora::Utility::Handle;
using Kora::Utility::JsonDouble;
using Kora::Utility::JsonInt;
using Kora::Utility::JsonWText;
using Kora::Utility::Member;
namespace I = Kora::Interface;
namespace Topic = Kora::Interface::Topic;
namespace Codes = TradingCodes;

namespace {

constexpr int kPanelWidth = 178;
constexpr uint32_t kShortColour = 0x307100;
const QString kWindowTitle = QStringLiteral("期权快鼠下单");
const QString kHelpIni = QStringLiteral("../cfg/professional.ini");
const QString kDefaultHelpUrl = QStringLiteral("http://www.krt.com.cn/help/OptionQuickMouse_TickSet.html");

template <class Control>
Control* WithId(Control* control, int id) {
    Win::SetControlId(control, id);
    return control;
}

// "改单确认:", a line "名称,买,开仓, 2手 价格:0.0500" per order, then "改为" and the volume.
QString ChangeVolumeQuestion(const std::vector<Json::Value>& orders, int volume) {
    QString question = QStringLiteral("改单确认:");
    for (const Json::Value& order : orders) {
        const QChar direction = Codes::CodeOf(JsonWText(order, Field::kDirection));
        question +=
            QStringLiteral("\r\n%1,%2,%3, %4手 价格:%5")
                .arg(JsonWText(order, Field::kContractName),
                     direction == Codes::Direction::kSell ? QStringLiteral("卖") : QStringLiteral("买"),
                     Codes::OffsetFlagText(Codes::CodeOf(JsonWText(order, Field::kOffsetFlag))),
                     JsonWText(order, Field::kOrderVolume), JsonWText(order, Field::kOrderPrice));
    }
    return question + QStringLiteral("\r\n改为") + QString::number(volume);
}

LadderWindowPresenter::Setup OptionSetup() {
    LadderWindowPresenter::Setup setup;
    setup.accountCategories = {6, 8};
    setup.tradesOptions = true;
    setup.logSource = kWindowTitle;
    setup.cancelLogSuffix = QStringLiteral("|期权快鼠撤单");
    setup.moveLogSuffix = QStringLiteral("|期权快鼠改单中撤单");
    setup.ticketFields["OrderMode"] = 0;
    setup.changeVolumeQuestion = ChangeVolumeQuestion;
    return setup;
}

// The leading number of a panel's volume text ("7(3)" → 7); 0 without one.
int LeadingNumber(const QString& text) {
    int digits = 0;
    while (digits < text.size() && text[digits].isDigit()) {
        ++digits;
    }
    return text.left(digits).toInt();
}

const char* const kStyle =
    "CDlgOptionQuickMouse { background: #F5F6F8; }"
    "QPushButton { background: #FFFFFF; border: 1px solid #B9C1CC; border-radius: 2px; padding: 2px 4px;"
    "  min-height: 18px; }"
    "QPushButton:hover { background: #EAF1FB; border-color: #7C9CC8; }"
    "QPushButton:pressed { background: #D6E3F5; }"
    "QComboBox { background: #FFFFFF; color: #1A1A1A; border: 1px solid #B9C1CC; padding: 1px 4px;"
    "  min-height: 20px; }"
    "QLineEdit { background: #FFFFFF; color: #1A1A1A; selection-background-color: #3378D6; }"
    "QLabel { color: #333333; }";

}  // namespace

CDlgOptionQuickMouse::CDlgOptionQuickMouse(QWidget* parent)
    : CKrDlgOperate(kTemplateId, parent), m_prompter(this), m_presenter(OptionSetup(), m_prompter) {
    setWindowTitle(QStringLiteral("期权快鼠交易"));
    m_presenter.SetQuoteShow([this](const I::QuotePushRecord& record) { ShowPush(record); });
}

CDlgOptionQuickMouse::~CDlgOptionQuickMouse() {
    // Pushes and messages may be on their way on host threads; none may reach a half-destroyed
    // window.
    DetachQuotes();
    Detach();
}

// ---- Controls ---------------------------------------------------------------------------------

void CDlgOptionQuickMouse::InitUI() {
    CreateControls();
    LayOutControls();
    ConnectControls();
    Win::ApplyLightDialogPalette(*this);
}

void CDlgOptionQuickMouse::CreateControls() {
    setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 9));
    setStyleSheet(QString::fromUtf8(kStyle));

    m_contractBox = WithId(new CKrStockCombox(this), kContractId);
    m_header = WithId(new QLabel(this), kHeaderId);
    m_header->setStyleSheet(QStringLiteral("color: #1F3B63; font-weight: bold;"));
    // The header's run of blanks may be cut rather than widen the window.
    m_header->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_hedgeLabel = new QLabel(QStringLiteral("投保"), this);
    m_hedgeBox = WithId(new QComboBox(this), kHedgeId);
    for (QChar hedge : {Codes::Hedge::kSpeculation, Codes::Hedge::kArbitrage, Codes::Hedge::kHedging}) {
        m_hedgeBox->addItem(Codes::HedgeFlagText(hedge), QString(hedge));
    }

    m_offsetGroup = new QButtonGroup(this);
    m_openRadio = WithId(new QRadioButton(QStringLiteral("开仓"), this), kOpenId);
    m_closeRadio = WithId(new QRadioButton(QStringLiteral("平仓"), this), kCloseId);
    m_offsetGroup->addButton(m_openRadio, kOpenId);
    m_offsetGroup->addButton(m_closeRadio, kCloseId);
    m_netBox = WithId(new QCheckBox(QStringLiteral("净仓"), this), kNetId);
    m_netBox->setToolTip(QStringLiteral("按净持仓自动开平"));
    m_coveredBox = WithId(new QCheckBox(QStringLiteral("备兑"), this), kCoveredId);
    m_coveredBox->setToolTip(QStringLiteral("以持有的标的备兑开仓、平仓"));

    m_volumeEdit = WithId(new CPriceHSpinEdit(this), kVolumeId);
    m_volumeEdit->SetFormat(QStringLiteral("%d"));
    m_volumeEdit->SetStep(1);
    for (const auto& [id, volume] : kVolumeButtons) {
        auto* button = WithId(new QPushButton(QString::number(volume), this), id);
        button->setFocusPolicy(Qt::NoFocus);
        m_volumeButtons.push_back(button);
    }

    m_longPanel = WithId(new CPositionInfo(this), kLongPanelId);
    m_shortPanel = WithId(new CPositionInfo(this), kShortPanelId);
    m_shortPanel->SetSideColour(kShortColour);
    m_shortPanel->SetSideLabel(QStringLiteral("空"));
    m_openPanel = WithId(new COpenInfo(this), kOpenPanelId);
    m_openPanel->setToolTip(QStringLiteral("双击把可开数量填入委托数量"));

    m_conditionButton = WithId(new QPushButton(QStringLiteral("条件单"), this), kConditionId);
    m_openableButton = WithId(new QPushButton(QStringLiteral("查可开"), this), kOpenableId);
    m_centreBox = WithId(new QCheckBox(QStringLiteral(" 最新价居中"), this), kCentreId);
    m_stepBox = WithId(new QComboBox(this), kStepModeId);
    for (const OptionStepModes::Choice& choice : OptionStepModes::kChoices) {
        m_stepBox->addItem(QString::fromUtf8(choice.text));
    }
    m_stepBox->setCurrentIndex(OptionStepModes::kInitialChoice);
    m_stepHelpButton = WithId(new QPushButton(QStringLiteral("?"), this), kStepHelpId);
    m_stepHelpButton->setFixedWidth(24);
    m_stepHelpButton->setToolTip(QStringLiteral("步长说明"));

    m_ladder = new CKROptionMouselist(this);
    m_ladder->setObjectName(QStringLiteral("ladder"));
    for (const char* title : {"挂单", "普买", "价格", "普卖", "挂单"}) {
        m_ladder->InsertColumn(m_ladder->ColumnCount(), QString::fromUtf8(title), 63);
    }
    m_ladder->SetColumnRoles(LadderColumns{});
    m_ladder->SetCursors(LadderAssets::LoadCursor(LadderAssets::kMoveCursor),
                         LadderAssets::LoadCursor(LadderAssets::kCancelCursor));
    m_ladder->SetItemCount(100);
    m_ladder->setMinimumWidth(m_ladder->TotalColumnWidth() + 20);
    m_ladder->viewport()->installEventFilter(this);
}

void CDlgOptionQuickMouse::LayOutControls() {
    // Every control is a direct child of the dialog: the ladder and the panels report to their
    // parent window.
    auto row = [](std::initializer_list<QWidget*> controls, QWidget* stretched = nullptr) {
        auto* layout = new QHBoxLayout;
        for (QWidget* control : controls) {
            layout->addWidget(control, control == stretched ? 1 : 0);
        }
        return layout;
    };
    auto* side = new QVBoxLayout;
    side->setSpacing(6);
    side->addLayout(row({m_hedgeLabel, m_hedgeBox}, m_hedgeBox));
    side->addLayout(row({m_openRadio, m_closeRadio}));
    side->addLayout(row({m_netBox, m_coveredBox}));
    side->addLayout(row({new QLabel(QStringLiteral("数量"), this), m_volumeEdit}, m_volumeEdit));
    auto* volumeGrid = new QGridLayout;
    volumeGrid->setSpacing(3);
    for (size_t i = 0; i < m_volumeButtons.size(); ++i) {
        volumeGrid->addWidget(m_volumeButtons[i], static_cast<int>(i / 4), static_cast<int>(i % 4));
    }
    side->addLayout(volumeGrid);
    for (QWidget* panel : {static_cast<QWidget*>(m_longPanel), static_cast<QWidget*>(m_shortPanel),
                           static_cast<QWidget*>(m_openPanel)}) {
        panel->setFixedSize(kPanelWidth, 46);
        side->addWidget(panel);
    }
    side->addLayout(row({m_conditionButton, m_openableButton}));
    side->addWidget(m_centreBox);
    side->addLayout(row({new QLabel(QStringLiteral("步长"), this), m_stepBox, m_stepHelpButton}, m_stepBox));
    side->addStretch(1);
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control != m_ladder && control != m_header && control != m_contractBox) {
            control->setMaximumWidth(kPanelWidth);
        }
    }
    m_contractBox->setFixedWidth(kPanelWidth + 60);

    auto* body = new QHBoxLayout;
    body->setSpacing(6);
    body->addLayout(side);
    body->addWidget(m_ladder, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addLayout(row({m_contractBox, m_header}, m_header));
    layout->addLayout(body, 1);
    resize(kPanelWidth + m_ladder->minimumWidth() + 24, 620);
}

void CDlgOptionQuickMouse::ConnectControls() {
    connect(m_contractBox, &CKrStockCombox::contractSelected, this,
            [this](int index) { ChooseListedContract(index, true); });
    connect(m_contractBox, &CKrStockCombox::codeEdited, this, &CDlgOptionQuickMouse::ChooseTypedContract);
    connect(m_hedgeBox, &QComboBox::activated, this, [this] {
        m_presenter.Choices().hedge = Codes::CodeOf(m_hedgeBox->currentData().toString());
        RefreshTrading();
    });
    connect(m_coveredBox, &QCheckBox::clicked, this, [this](bool checked) {
        m_presenter.Choices().covered = checked ? Codes::Covered::kCovered : Codes::Covered::kUncovered;
        RefreshTrading();
    });
    connect(m_offsetGroup, &QButtonGroup::idClicked, this, &CDlgOptionQuickMouse::SelectOffset);
    connect(m_netBox, &QCheckBox::clicked, this, &CDlgOptionQuickMouse::SetNetPosition);
    for (size_t i = 0; i < m_volumeButtons.size(); ++i) {
        const int volume = kVolumeButtons[i].second;
        connect(m_volumeButtons[i], &QPushButton::clicked, this, [this, volume] { SetVolume(volume); });
    }
    for (CPositionInfo* panel : {m_longPanel, m_shortPanel}) {
        connect(panel, &CPositionInfo::doubleClicked, this,
                [this, panel] { SetVolume(LeadingNumber(panel->VolumeText())); });
    }
    connect(m_conditionButton, &QPushButton::clicked, this, [this] { m_presenter.OpenConditionalOrder(); });
    connect(m_openableButton, &QPushButton::clicked, this, [this] {
        const LadderWindowPresenter::Openable openable = m_presenter.OpenableVolumes();
        m_openPanel->SetTexts(openable.buy, openable.sell);
    });
    connect(m_centreBox, &QCheckBox::clicked, this, [this](bool checked) {
        if (checked) {
            m_ladder->CentreOnLastPrice();
        }
    });
    connect(m_stepBox, &QComboBox::activated, this, &CDlgOptionQuickMouse::ChooseStepMode);
    connect(m_stepHelpButton, &QPushButton::clicked, this, &CDlgOptionQuickMouse::OpenStepHelp);
    m_ladder->SetRelaidObserver([this] { ShowLadderTrading(); });
    m_ladder->SetPaintObserver([this] {
        if (m_unpaintedStamp == 0) {
            return;
        }
        const int64_t stamp = std::exchange(m_unpaintedStamp, 0);
        if (m_quoteShownObserver) {
            m_quoteShownObserver(stamp);
        }
    });
}

bool CDlgOptionQuickMouse::eventFilter(QObject* watched, QEvent* event) {
    // While the last price is kept centred, a new page size puts it back in the middle.
    if (watched == m_ladder->viewport() && event->type() == QEvent::Resize && m_centreBox->isChecked()) {
        m_ladder->CentreWhenIdle(CMouseOrderList::Centring::MidPage);
    }
    return CKrDlgOperate::eventFilter(watched, event);
}

// ---- Account and contracts ----------------------------------------------------------------------

void CDlgOptionQuickMouse::InitWindow() {
    m_accountParam = GetParam(QStringLiteral("EAccountID"));
    m_presenter.ChooseAccount(m_accountParam);
    LoadContractList();
    ShowCategory();
    m_openRadio->setChecked(true);
    SelectOffset(kOpenId);
    m_netBox->setChecked(true);
    SetNetPosition(true);
    SetVolume(static_cast<int>(std::max<int64_t>(
        1, JsonInt(m_presenter.Policy().OrderSettings(m_presenter.AccountId()), "DefaultVolume", 1))));
    if (!m_contractBox->Contracts().empty()) {
        ChooseListedContract(0, false);
    }
    SubscribeMsg();
}

void CDlgOptionQuickMouse::ShowCategory() {
    // A stock-option account covers with the underlying it holds; a futures account hedges.
    const bool stockOption = m_presenter.Policy().kind() == CategoryPolicy::Kind::kStockOption;
    m_hedgeLabel->setVisible(!stockOption);
    m_hedgeBox->setVisible(!stockOption);
    m_coveredBox->setVisible(stockOption);
    m_coveredBox->setChecked(false);
    m_presenter.Choices().covered = Codes::Covered::kUncovered;
    m_hedgeBox->setCurrentIndex(0);
    m_presenter.Choices().hedge = Codes::Hedge::kSpeculation;
}

void CDlgOptionQuickMouse::LoadContractList() {
    std::vector<CKrStockCombox::Entry> entries;
    for (const Json::Value& contract : m_presenter.EligibleContracts()) {
        entries.push_back({JsonWText(contract, Field::kExchangeCode),
                           JsonWText(contract, Field::kContractCode),
                           JsonWText(contract, Field::kContractName)});
    }
    m_contractBox->SetContracts(std::move(entries));
}

void CDlgOptionQuickMouse::ChooseListedContract(int index, bool announce) {
    const auto& listed = m_contractBox->Contracts();
    Handle<I::KRTContractI> contracts = GetService<I::KRTContractI>();
    if (index < 0 || index >= static_cast<int>(listed.size()) || !contracts) {
        return;
    }
    SetContract(contracts->GetContract(
                    ContractRecords::Query(listed[index].exchangeCode, listed[index].contractCode)),
                announce);
}

void CDlgOptionQuickMouse::ChooseTypedContract(const QString& code) {
    const int listed = m_contractBox->FindCode(code);
    if (listed >= 0) {
        ChooseListedContract(listed, true);
        return;
    }
    Handle<I::KRTContractI> contracts = GetService<I::KRTContractI>();
    const Json::Value found =
        contracts && !code.isEmpty() ? contracts->EnumContractByCode(code) : Json::Value();
    if (!found.isArray()) {
        return;
    }
    for (const Json::Value& contract : found) {
        if (SetContract(contract, true)) {
            return;
        }
    }
}

QString CDlgOptionQuickMouse::ContractHeader(const I::QuoteKey& option) {
    Handle<I::OptionsDataSvcI> options = GetService<I::OptionsDataSvcI>();
    I::OptionRecord record;
    if (!options || !option.IsValid() || !options->GetOptionRecord(option, record) ||
        !record.expiry.isValid()) {
        return QString();
    }
    const QDateTime expiry = record.expiry.toLocalTime();
    const int days = options->WholeDaysBetween(OptionValuation::Now().toLocalTime(), expiry);
    return QString::asprintf("%d年%d月 (%d天)", expiry.date().year(), expiry.date().month(), days) +
           QString(41, QLatin1Char(' ')) + QStringLiteral("+ ") +
           options->GetUnderlyingName(record.underlying);
}

bool CDlgOptionQuickMouse::SetContract(const Json::Value& contract, bool announce) {
    if (!m_presenter.IsEligible(contract)) {
        return false;
    }
    if (ContractRecords::Same(contract, m_presenter.Contract())) {
        return true;
    }
    m_presenter.SetContract(contract);
    const QString exchange = JsonWText(contract, Field::kExchangeCode);
    const QString code = JsonWText(contract, Field::kContractCode);
    m_contractBox->ShowContract(exchange, code);

    Handle<I::BaseQuoteDataSvcI> quotes = GetService<I::BaseQuoteDataSvcI>();
    m_quoteKey = quotes ? quotes->FindKey(exchange, code)
                        : I::QuoteKey{static_cast<int32_t>(JsonInt(contract, "MarketID", -1)), code};
    m_header->setText(ContractHeader(m_quoteKey));
    m_presenter.Quotes().Drop();  // a push of the previous contract is not shown any more

    // What the host holds already, so the ladder is complete before the first push.
    Handle<I::KRTContractI> contracts = GetService<I::KRTContractI>();
    I::QuoteSnapshot snapshot{};
    const bool known = contracts && contracts->GetSnapshot(ContractRecords::Query(contract), snapshot);
    const int32_t divisor = snapshot.priceDivisor > 0
                                ? snapshot.priceDivisor
                                : static_cast<int32_t>(JsonInt(contract, "PriceDivisor", 0));
    m_quote = known ? ReadLadderQuote(snapshot, divisor, snapshot.last) : LadderQuote();
    m_ladder->Build(code, static_cast<int>(JsonInt(contract, "PriceDecimals", 0)),
                    JsonDouble(contract, "LowerLimit", 0), JsonDouble(contract, "ReferencePrice", 0),
                    JsonDouble(contract, Field::kTickSize, 0), JsonDouble(contract, "UpperLimit", 0),
                    m_quote.best, m_quote.lastPrice);
    RefreshTrading();
    ShowQuote();
    m_ladder->Centre(CMouseOrderList::Centring::MidPage);

    if (m_quoteKey.IsValid()) {
        FollowQuotes({m_quoteKey});
    } else {
        StopQuotes();
    }
    if (announce) {
        Linkage::AnnounceStockChanged(m_quoteKey, kLinkageId, {QStringLiteral("true"), QStringLiteral("0")});
    }
    return true;
}

void CDlgOptionQuickMouse::FollowLinkage(const Json::Value& payload) {
    const Json::Value contract = ContractRecords::OfKey(Linkage::LinkedStock(payload));
    if (contract.isObject()) {
        SetContract(contract, false);
    }
}

// ---- Order choices ------------------------------------------------------------------------------

void CDlgOptionQuickMouse::SelectOffset(int id) {
    m_presenter.Choices().offset = id == kCloseId ? Codes::Offset::kClose : Codes::Offset::kOpen;
}

void CDlgOptionQuickMouse::SetNetPosition(bool on) {
    m_presenter.Choices().netPosition = on;
    m_openRadio->setEnabled(!on);
    m_closeRadio->setEnabled(!on);
    if (!on) {
        if (!m_offsetGroup->checkedButton()) {
            m_openRadio->setChecked(true);
        }
        SelectOffset(m_offsetGroup->checkedId());
    }
}

void CDlgOptionQuickMouse::SetVolume(int volume) {
    m_volumeEdit->SetValue(volume);
    m_presenter.Choices().volumeText = m_volumeEdit->Edit().text().trimmed();
}

void CDlgOptionQuickMouse::ChooseStepMode(int index) {
    if (index >= 0 && index < static_cast<int>(OptionStepModes::kChoices.size())) {
        m_ladder->SetStepMode(OptionStepModes::kChoices[index].mode);
    }
}

void CDlgOptionQuickMouse::OpenStepHelp() {
    const QString url = Win::ReadProfileString(kHelpIni, QStringLiteral("QUESTION"),
                                               QStringLiteral("OptionQuickMouse_TickSet"), kDefaultHelpUrl);
    QDesktopServices::openUrl(QUrl(url));
}

// ---- Quotes, orders and positions -----------------------------------------------------------------

void CDlgOptionQuickMouse::OnQuotePush(const I::QuotePushRecord& record, const Json::Value&) {
    if (record.flashFlag == 0 && m_presenter.Quotes().Store(record)) {
        Win::PostMessage(this, kQuoteMessage, 0, 0);
    }
}

void CDlgOptionQuickMouse::ShowPush(const I::QuotePushRecord& record) {
    if (!(record.key == m_quoteKey)) {
        return;
    }
    m_quote = ReadLadderQuote(record.snapshot, record.priceDivisor,
                              record.hasExtData ? record.ext.now : record.snapshot.last);
    ShowQuote();
    m_unpaintedStamp = record.enqueuedNs;
}

uint64_t CDlgOptionQuickMouse::QuotesShown() const {
    return m_presenter.Quotes().Shown();
}

uint64_t CDlgOptionQuickMouse::QuotesReceived() const {
    return m_presenter.Quotes().Received();
}

void CDlgOptionQuickMouse::SetQuoteShownObserver(std::function<void(int64_t)> observer) {
    m_quoteShownObserver = std::move(observer);
}

void CDlgOptionQuickMouse::ShowQuote() {
    if (m_quote.lastPrice > 0) {
        m_ladder->SetLastPrice(m_quote.lastPrice);
        if (m_centreBox->isChecked()) {
            m_ladder->CentreWhenIdle(CMouseOrderList::Centring::KeepInPage);
        }
    }
    // A new best price outside the middle list lays the rows out again, which re-enters the
    // orders and positions (ShowLadderTrading).
    if (m_quote.hasBook) {
        m_ladder->SetBestQuote(m_quote.best);
    } else {
        m_ladder->ClearBestQuote();
    }
    ShowPositions();
}

void CDlgOptionQuickMouse::RefreshTrading() {
    m_presenter.RefreshPositions();
    ShowLadderTrading();
}

void CDlgOptionQuickMouse::ShowLadderTrading() {
    m_ladder->ClearWorkingOrders();
    for (const LadderWindowPresenter::WorkingOrder& order : m_presenter.WorkingOrders()) {
        m_ladder->AddWorkingOrder(
            {order.id, order.direction == Codes::Direction::kBuy ? 0 : 1, order.price, order.volume});
    }
    ShowPositions();
}

void CDlgOptionQuickMouse::ShowPositions() {
    const Json::Value& positions = m_presenter.Positions();
    if (!positions.empty() || !m_ladder->Model().Positions().empty()) {
        const Json::Value priced = m_presenter.PricedPositions(m_quote.currentPrice);
        m_ladder->SetPositions(std::vector<Json::Value>(priced.begin(), priced.end()));
    }
    const Json::Value& contract = m_presenter.Contract();
    const PositionTotals totals =
        SumPositions(positions, m_quote.currentPrice, JsonDouble(contract, Field::kMultiplier, 1));
    const int profitDecimals = static_cast<int>(JsonInt(contract, "PriceDecimals", 0)) + 1;
    m_longPanel->ShowTotals(totals.longSide, profitDecimals);
    m_shortPanel->ShowTotals(totals.shortSide, profitDecimals);
}

bool CDlgOptionQuickMouse::SelfTradeAccepted(QChar direction, const QString& priceText,
                                             const QString& movedOrderId) {
    Handle<I::EntityAccountI> account = m_presenter.Account();
    bool isNumber = false;
    const double price = priceText.toDouble(&isNumber);
    if (!account || !isNumber ||
        !SelfTradeCheck::CrossesOwnOrder(account->GetOrders(), m_presenter.Contract(), direction, price,
                                         movedOrderId)) {
        return true;
    }
    return m_prompter.Ask(SelfTradeCheck::kQuestion);
}

void CDlgOptionQuickMouse::PlaceOrder(const QString& priceText, QChar direction) {
    if (SelfTradeAccepted(direction, priceText)) {
        m_presenter.PlaceOrder(priceText, direction);
    }
}

void CDlgOptionQuickMouse::MoveOrder(const QString& orderId, const QString& priceText) {
    Handle<I::EntityAccountI> account = m_presenter.Account();
    Json::Value query(Json::objectValue);
    query["OrderID"] = orderId.toStdString();
    const Json::Value order = account ? account->QueryOrder(query) : Json::Value();
    const QChar direction = Codes::CodeOf(JsonWText(order, Field::kDirection));
    if (direction.isNull() || SelfTradeAccepted(direction, priceText, orderId)) {
        m_presenter.MoveOrder(orderId, priceText);
    }
}

// ---- Messages -----------------------------------------------------------------------------------

void CDlgOptionQuickMouse::SubscribeMsg() {
    for (const QString& topic : {Topic::kStockChanged, Topic::kListClick, Topic::kListDblClick,
                                 Topic::kAccountChange, Topic::kAccountLogin, Topic::kUserChangeParam,
                                 Topic::kSTEPRequestCallBack, Topic::kReorderNotifyInfo}) {
        Subscriptions().Subscribe(topic);
    }
}

void CDlgOptionQuickMouse::UnSubscribeMsg() {
    Subscriptions().UnsubscribeAll();
    StopQuotes();
}

void CDlgOptionQuickMouse::OnMsg(const QString& topic, const Json::Value& payload, const Json::Value&) {
    PostKoraMsg(topic, payload);
}

void CDlgOptionQuickMouse::OnKoraMsg(const QString& topic, const Json::Value& payload) {
    if (topic == Topic::kSTEPRequestCallBack) {
        const QString account = JsonWText(payload, "EAccountID");
        if (account.isEmpty() || account == m_presenter.AccountId()) {
            m_presenter.OnOrderAnswers(payload);
            RefreshTrading();
        }
    } else if (topic == Topic::kReorderNotifyInfo) {
        m_presenter.OnSmartOrderNotice(payload);
    } else if (topic == Topic::kAccountChange || topic == Topic::kAccountLogin) {
        m_presenter.ChooseAccount(m_accountParam);
        LoadContractList();
        ShowCategory();
        if (!m_presenter.IsEligible(m_presenter.Contract()) && !m_contractBox->Contracts().empty()) {
            ChooseListedContract(0, false);
        }
        RefreshTrading();
    } else if (topic == Topic::kListClick || topic == Topic::kListDblClick || topic == Topic::kStockChanged) {
        FollowLinkage(payload);
    } else if (topic == Topic::kUserChangeParam) {
        m_ladder->ReloadThemeFonts();
        m_longPanel->ReloadThemeFonts();
        m_shortPanel->ReloadThemeFonts();
        m_openPanel->ReloadThemeFont();
    }
}

Win::LRESULT CDlgOptionQuickMouse::OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) {
    switch (message) {
        case QuickMouseMsg::kPlaceOrder:
            if (const auto* price = reinterpret_cast<const QString*>(wParam)) {
                const QChar side(static_cast<char16_t>(lParam));
                PlaceOrder(*price, side == Codes::Direction::kSell ? side : Codes::Direction::kBuy);
            }
            return 1;
        case QuickMouseMsg::kCancelOrder:
            if (const auto* id = reinterpret_cast<const QString*>(wParam)) {
                m_presenter.CancelOrder(*id);
            }
            return 1;
        case QuickMouseMsg::kMoveOrder: {
            const auto* id = reinterpret_cast<const QString*>(wParam);
            const auto* price = reinterpret_cast<const QString*>(lParam);
            if (id && price) {
                MoveOrder(*id, *price);
            }
            return 1;
        }
        case QuickMouseMsg::kChangeVolume: {
            const auto* ids = Win::PayloadValue<std::vector<QString>>(wParam);
            const auto* volume = Win::PayloadValue<QString>(static_cast<uintptr_t>(lParam));
            if (ids && volume) {
                m_presenter.ChangeVolume(*ids, *volume);
            }
            return 1;
        }
        case kQuoteMessage:
            m_presenter.Quotes().OnWake();
            return 1;
        case QuickMouseMsg::kSetVolume:
            SetVolume(static_cast<int>(wParam));
            return 1;
        case QuickMouseMsg::kSpinEditChanged:
            if (m_volumeEdit) {
                m_presenter.Choices().volumeText = m_volumeEdit->Edit().text().trimmed();
            }
            return 1;
        case Win::WM_COMMAND:
            // The futures window's commands that have no control here land on nothing.
            if (std::find(kFuturesOnlyCommands.begin(), kFuturesOnlyCommands.end(),
                          static_cast<int>(wParam)) != kFuturesOnlyCommands.end()) {
                return 1;
            }
            return CKrDlgOperate::OnMessage(message, wParam, lParam);
        default:
            return CKrDlgOperate::OnMessage(message, wParam, lParam);
    }
}
