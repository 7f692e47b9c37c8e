#include "option/CDlgOptionQuickMouse.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

#include "CKrStockCombox.h"
#include "kernel/HostAccess.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/OptionsDataSvcI.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "ladder/CPositionInfo.h"
#include "ladder/CPriceHSpinEdit.h"
#include "option/CKROptionMouselist.h"
#include "option/SelfTradeCheck.h"
#include "option/valuation/ListedOption.h"
#include "platform/ControlId.h"
#include "platform/IniFile.h"
#include "trading/Linkage.h"

using Kora::Kernel::GetService;
using Kora::Utility::Handle;
using Kora::Utility::JsonDouble;
using Kora::Utility::JsonInt;
using Kora::Utility::JsonWText;
namespace I = Kora::Interface;
namespace Topic = Kora::Interface::Topic;
namespace Codes = TradingCodes;

namespace {

constexpr int kPanelWidth = 178;
const QString kHelpIni = QStringLiteral("../cfg/professional.ini");
const QString kDefaultHelpUrl = QStringLiteral("http://www.krt.com.cn/help/OptionQuickMouse_TickSet.html");

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
    setup.logSource = QStringLiteral("期权快鼠下单");
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

}  // namespace

CDlgOptionQuickMouse::CDlgOptionQuickMouse(QWidget* parent)
    : CDlgLadderWindow(kTemplateId, OptionSetup(), parent) {
    setWindowTitle(QStringLiteral("期权快鼠交易"));
}

// ---- Controls ---------------------------------------------------------------------------------

void CDlgOptionQuickMouse::CreateControls() {
    m_header = Win::WithControlId(new QLabel(this), kHeaderId);
    m_header->setStyleSheet(QStringLiteral("color: #1F3B63; font-weight: bold;"));
    // The header's run of blanks may be cut rather than widen the window.
    m_header->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_hedgeLabel = new QLabel(QStringLiteral("投保"), this);
    m_hedgeBox = Win::WithControlId(new QComboBox(this), kHedgeId);
    for (QChar hedge : {Codes::Hedge::kSpeculation, Codes::Hedge::kArbitrage, Codes::Hedge::kHedging}) {
        m_hedgeBox->addItem(Codes::HedgeFlagText(hedge), QString(hedge));
    }

    m_offsetGroup = new QButtonGroup(this);
    m_openRadio = Win::WithControlId(new QRadioButton(QStringLiteral("开仓"), this), kOpenId);
    m_closeRadio = Win::WithControlId(new QRadioButton(QStringLiteral("平仓"), this), kCloseId);
    m_offsetGroup->addButton(m_openRadio, kOpenId);
    m_offsetGroup->addButton(m_closeRadio, kCloseId);
    m_netBox = Win::WithControlId(new QCheckBox(QStringLiteral("净仓"), this), kNetId);
    m_netBox->setToolTip(QStringLiteral("按净持仓自动开平"));
    m_coveredBox = Win::WithControlId(new QCheckBox(QStringLiteral("备兑"), this), kCoveredId);
    m_coveredBox->setToolTip(QStringLiteral("以持有的标的备兑开仓、平仓"));

    m_stepBox = Win::WithControlId(new QComboBox(this), kStepModeId);
    for (const OptionStepModes::Choice& choice : OptionStepModes::kChoices) {
        m_stepBox->addItem(QString::fromUtf8(choice.text));
    }
    m_stepBox->setCurrentIndex(OptionStepModes::kInitialChoice);
    m_stepHelpButton = Win::WithControlId(new QPushButton(QStringLiteral("?"), this), kStepHelpId);
    m_stepHelpButton->setFixedWidth(24);
    m_stepHelpButton->setToolTip(QStringLiteral("步长说明"));

    m_ladder = new CKROptionMouselist(this);
    SetUpLadder(*m_ladder, {{"挂单", 63}, {"普买", 63}, {"价格", 63}, {"普卖", 63}, {"挂单", 63}});
}

void CDlgOptionQuickMouse::LayOutControls() {
    // Every control is a direct child of the dialog: the ladder and the panels report to their
    // parent window.
    auto* side = new QVBoxLayout;
    side->setSpacing(6);
    side->addLayout(Row({m_hedgeLabel, m_hedgeBox}, m_hedgeBox));
    side->addLayout(Row({m_openRadio, m_closeRadio}));
    side->addLayout(Row({m_netBox, m_coveredBox}));
    side->addLayout(Row({new QLabel(QStringLiteral("数量"), this), m_volumeEdit}, m_volumeEdit));
    AddCommonControls(*side);
    side->addLayout(Row({new QLabel(QStringLiteral("步长"), this), m_stepBox, m_stepHelpButton}, m_stepBox));
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
    layout->addLayout(Row({m_contractBox, m_header}, m_header));
    layout->addLayout(body, 1);
    resize(kPanelWidth + m_ladder->minimumWidth() + 24, 620);
}

void CDlgOptionQuickMouse::ConnectControls() {
    connect(m_hedgeBox, &QComboBox::activated, this, [this] {
        Presenter().Choices().hedge = Codes::CodeOf(m_hedgeBox->currentData().toString());
        RefreshTrading();
    });
    connect(m_coveredBox, &QCheckBox::clicked, this, [this](bool checked) {
        Presenter().Choices().covered = checked ? Codes::Covered::kCovered : Codes::Covered::kUncovered;
        RefreshTrading();
    });
    connect(m_offsetGroup, &QButtonGroup::idClicked, this, &CDlgOptionQuickMouse::SelectOffset);
    connect(m_netBox, &QCheckBox::clicked, this, &CDlgOptionQuickMouse::SetNetPosition);
    for (CPositionInfo* panel : {m_longPanel, m_shortPanel}) {
        connect(panel, &CPositionInfo::doubleClicked, this,
                [this, panel] { SetVolume(LeadingNumber(panel->VolumeText())); });
    }
    connect(m_stepBox, &QComboBox::activated, this, &CDlgOptionQuickMouse::ChooseStepMode);
    connect(m_stepHelpButton, &QPushButton::clicked, this, &CDlgOptionQuickMouse::OpenStepHelp);
    // Rows laid out again show nothing of the trading until it is entered again.
    m_ladder->SetRelaidObserver([this] {
        ShowWorkingOrders();
        ShowPositions();
    });
}

CMouseOrderList& CDlgOptionQuickMouse::LadderList() const {
    return *m_ladder;
}

// ---- Account and contracts ----------------------------------------------------------------------

void CDlgOptionQuickMouse::InitWindow() {
    ChooseAccount();
    ShowCategory();
    m_openRadio->setChecked(true);
    SelectOffset(kOpenId);
    m_netBox->setChecked(true);
    SetNetPosition(true);
    ChooseFirstContract();
    SubscribeMsg();
}

void CDlgOptionQuickMouse::SubscribeMsg() {
    SubscribeTopics({Topic::kStockChanged, Topic::kListClick, Topic::kListDblClick, Topic::kAccountChange,
                     Topic::kAccountLogin, Topic::kUserChangeParam, Topic::kSTEPRequestCallBack,
                     Topic::kReorderNotifyInfo});
}

void CDlgOptionQuickMouse::OnAccountChanged() {
    ShowCategory();
}

void CDlgOptionQuickMouse::ShowCategory() {
    // A stock-option account covers with the underlying it holds; a futures account hedges.
    const bool stockOption = Presenter().Policy().kind() == CategoryPolicy::Kind::kStockOption;
    m_ladder->SetConfigCategory(Presenter().Policy().ConfigCategory());
    m_hedgeLabel->setVisible(!stockOption);
    m_hedgeBox->setVisible(!stockOption);
    m_coveredBox->setVisible(stockOption);
    m_coveredBox->setChecked(false);
    Presenter().Choices().covered = Codes::Covered::kUncovered;
    m_hedgeBox->setCurrentIndex(0);
    Presenter().Choices().hedge = Codes::Hedge::kSpeculation;
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

void CDlgOptionQuickMouse::OnContractChanged() {
    m_header->setText(ContractHeader(QuoteKey()));
}

void CDlgOptionQuickMouse::BuildLadder(const Json::Value& contract, const LadderQuote& quote) {
    m_ladder->Build(JsonWText(contract, Field::kContractCode),
                    static_cast<int>(JsonInt(contract, "PriceDecimals", 0)),
                    JsonDouble(contract, "LowerLimit", 0), JsonDouble(contract, "ReferencePrice", 0),
                    JsonDouble(contract, Field::kTickSize, 0), JsonDouble(contract, "UpperLimit", 0),
                    quote.best, quote.lastPrice);
}

void CDlgOptionQuickMouse::Announce(const I::QuoteKey& contract) {
    Linkage::AnnounceStockChanged(contract, kLinkageId, {QStringLiteral("true"), QStringLiteral("0")});
}

// ---- Order choices ------------------------------------------------------------------------------

void CDlgOptionQuickMouse::SelectOffset(int id) {
    Presenter().Choices().offset = id == kCloseId ? Codes::Offset::kClose : Codes::Offset::kOpen;
}

void CDlgOptionQuickMouse::SetNetPosition(bool on) {
    Presenter().Choices().netPosition = on;
    m_openRadio->setEnabled(!on);
    m_closeRadio->setEnabled(!on);
    if (!on) {
        if (!m_offsetGroup->checkedButton()) {
            m_openRadio->setChecked(true);
        }
        SelectOffset(m_offsetGroup->checkedId());
    }
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

// ---- Orders -------------------------------------------------------------------------------------

bool CDlgOptionQuickMouse::SelfTradeAccepted(QChar direction, const QString& priceText,
                                             const QString& movedOrderId) {
    Handle<I::EntityAccountI> account = Presenter().Account();
    bool isNumber = false;
    const double price = priceText.toDouble(&isNumber);
    if (!account || !isNumber ||
        !SelfTradeCheck::CrossesOwnOrder(account->GetOrders(), Contract(), direction, price, movedOrderId)) {
        return true;
    }
    return Prompter().Ask(SelfTradeCheck::kQuestion);
}

void CDlgOptionQuickMouse::PlaceOrder(const QString& priceText, QChar direction) {
    if (SelfTradeAccepted(direction, priceText)) {
        Presenter().PlaceOrder(priceText, direction);
    }
}

void CDlgOptionQuickMouse::MoveOrder(const QString& orderId, const QString& priceText) {
    Handle<I::EntityAccountI> account = Presenter().Account();
    Json::Value query(Json::objectValue);
    query["OrderID"] = orderId.toStdString();
    const Json::Value order = account ? account->QueryOrder(query) : Json::Value();
    const QChar direction = Codes::CodeOf(JsonWText(order, Field::kDirection));
    if (direction.isNull() || SelfTradeAccepted(direction, priceText, orderId)) {
        Presenter().MoveOrder(orderId, priceText);
    }
}

Win::LRESULT CDlgOptionQuickMouse::OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) {
    // The futures window's commands that have no control here land on nothing.
    if (message == Win::WM_COMMAND && std::find(kFuturesOnlyCommands.begin(), kFuturesOnlyCommands.end(),
                                                static_cast<int>(wParam)) != kFuturesOnlyCommands.end()) {
        return 1;
    }
    return CDlgLadderWindow::OnMessage(message, wParam, lParam);
}
