#include "quickmouse/CDlgFutrueQuickMouse.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "CKrStockCombox.h"
#include "kernel/HostAccess.h"
#include "kora/interface/BaseQuoteDataSvcI.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/KRTContractI.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "ladder/CKRMouselist.h"
#include "ladder/COpenInfo.h"
#include "ladder/CPositionInfo.h"
#include "ladder/CPriceHSpinEdit.h"
#include "ladder/CodeLock.h"
#include "ladder/LadderAssets.h"
#include "ladder/MsgEdit.h"
#include "ladder/PositionTotals.h"
#include "ladder/QuickMouseHost.h"
#include "ladder/QuickMouseMessages.h"
#include "ladder/QuickMouseStyle.h"
#include "platform/ControlId.h"
#include "platform/DialogPalette.h"
#include "trading/CloseTodayRule.h"
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

namespace {

constexpr int kPanelWidth = 178;
constexpr uint32_t kShortColour = 0x307100;
const QString kWindowType = QStringLiteral("KRFutureQMouse");
namespace Codes = TradingCodes;

void ShowSide(CPositionInfo& panel, const PositionSideTotals& totals, int profitDecimals) {
    const QString volume = totals.VolumeText();
    const QString profit = totals.ProfitText(profitDecimals);
    panel.SetSecondText(totals.SecondText());
    // Quotes come many times a second; a panel is repainted only when what it shows changed.
    if (panel.VolumeText() != volume) {
        panel.SetVolumeText(volume);
    }
    if (panel.ProfitText() != profit) {
        panel.SetProfitText(profit);
    }
}

}  // namespace

CDlgFutrueQuickMouse::CDlgFutrueQuickMouse(QWidget* parent)
    : CKrDlgOperate(kTemplateId, parent),
      m_prompter(this),
      m_presenter(LadderWindowPresenter::Setup::Futures(), m_prompter) {
    setWindowTitle(QStringLiteral("期货快鼠交易"));
    m_presenter.SetQuoteShow([this](const I::QuotePushRecord& record) { ShowPush(record); });
}

CDlgFutrueQuickMouse::~CDlgFutrueQuickMouse() {
    // Pushes and messages may be on their way on host threads; none may reach a half-destroyed
    // window.
    DetachQuotes();
    Detach();
}

// ---- Controls ---------------------------------------------------------------------------------

void CDlgFutrueQuickMouse::InitUI() {
    CreateControls();
    LayOutControls();
    ConnectControls();
    Win::ApplyLightDialogPalette(*this);
}

void CDlgFutrueQuickMouse::CreateControls() {
    setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 9));
    setStyleSheet(QuickMouseStyleSheet(QStringLiteral("CDlgFutrueQuickMouse")));

    m_contractBox = Win::WithControlId(new CKrStockCombox(this), kContractId);
    m_hedgeBox = Win::WithControlId(new QComboBox(this), kHedgeId);

    m_lock = new CodeLock(*this);

    m_offsetGroup = new QButtonGroup(this);
    const struct {
        QRadioButton*& radio;
        int id;
        const char* text;
    } offsets[] = {{m_openRadio, kOpenId, "开仓"},
                   {m_closeRadio, kCloseId, "平仓"},
                   {m_closeTodayRadio, kCloseTodayId, "平今"}};
    for (const auto& offset : offsets) {
        offset.radio = Win::WithControlId(new QRadioButton(QString::fromUtf8(offset.text), this), offset.id);
        m_offsetGroup->addButton(offset.radio, offset.id);
    }
    m_autoBox = Win::WithControlId(new QCheckBox(QStringLiteral("自动"), this), kAutoId);
    m_autoBox->setToolTip(QStringLiteral("按净持仓自动开平"));
    m_fakBox = Win::WithControlId(new QCheckBox(QStringLiteral("FAK"), this), kFakId);
    m_fokBox = Win::WithControlId(new QCheckBox(QStringLiteral("FOK"), this), kFokId);

    m_volumeEdit = Win::WithControlId(new CPriceHSpinEdit(this), kVolumeId);
    m_volumeEdit->SetFormat(QStringLiteral("%d"));
    m_volumeEdit->SetStep(1);
    for (const auto& [id, volume] : kVolumeButtons) {
        auto* button = Win::WithControlId(new QPushButton(QString::number(volume), this), id);
        button->setFocusPolicy(Qt::NoFocus);
        m_volumeButtons.push_back(button);
    }

    m_longPanel = Win::WithControlId(new CPositionInfo(this), kLongPanelId);
    m_shortPanel = Win::WithControlId(new CPositionInfo(this), kShortPanelId);
    m_shortPanel->SetSideColour(kShortColour);
    m_shortPanel->SetSideLabel(QStringLiteral("空"));
    m_openPanel = Win::WithControlId(new COpenInfo(this), kOpenPanelId);
    m_openPanel->setToolTip(QStringLiteral("双击把可开数量填入委托数量"));

    m_conditionButton = Win::WithControlId(new QPushButton(QStringLiteral("条件单"), this), kConditionId);
    m_openableButton = Win::WithControlId(new QPushButton(QStringLiteral("查可开"), this), kOpenableId);
    m_centreBox = Win::WithControlId(new QCheckBox(QStringLiteral(" 最新价居中"), this), kCentreId);

    m_ladder = new CKRMouselist(this);
    m_ladder->setObjectName(QStringLiteral("ladder"));
    const struct {
        const char* title;
        int width;
    } columns[] = {{"挂单", 63}, {"买", 53}, {"价格", 90}, {"卖", 53}, {"挂单", 63}};
    for (int i = 0; i < 5; ++i) {
        m_ladder->InsertColumn(i, QString::fromUtf8(columns[i].title), columns[i].width);
    }
    m_ladder->SetColumnRoles(LadderColumns{});
    m_ladder->SetCursors(LadderAssets::LoadCursor(LadderAssets::kMoveCursor),
                         LadderAssets::LoadCursor(LadderAssets::kCancelCursor));
    m_ladder->SetItemCount(100);
    m_ladder->setMinimumWidth(m_ladder->TotalColumnWidth() + 20);
    m_ladder->viewport()->installEventFilter(this);
}

void CDlgFutrueQuickMouse::LayOutControls() {
    // Every control is a direct child of the dialog: the ladder and the panels report to their
    // parent window.
    auto* side = new QVBoxLayout;
    side->setSpacing(6);

    // A row of controls; `stretched` takes the room left.
    auto row = [](std::initializer_list<QWidget*> controls, QWidget* stretched = nullptr) {
        auto* layout = new QHBoxLayout;
        for (QWidget* control : controls) {
            layout->addWidget(control, control == stretched ? 1 : 0);
        }
        return layout;
    };
    side->addLayout(row({m_contractBox, m_lock->LockedButton(), m_lock->UnlockedButton()}, m_contractBox));
    side->addLayout(row({new QLabel(QStringLiteral("投保"), this), m_hedgeBox}, m_hedgeBox));
    side->addLayout(row({m_openRadio, m_closeRadio, m_closeTodayRadio}));
    side->addLayout(row({m_autoBox, m_fakBox, m_fokBox}));
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
    side->addStretch(1);

    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control != m_ladder) {
            control->setMaximumWidth(kPanelWidth);
        }
    }
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addLayout(side);
    layout->addWidget(m_ladder, 1);
    resize(kPanelWidth + m_ladder->minimumWidth() + 24, 620);
}

void CDlgFutrueQuickMouse::ConnectControls() {
    connect(m_contractBox, &CKrStockCombox::contractSelected, this,
            [this](int index) { ChooseListedContract(index, true); });
    connect(m_contractBox, &CKrStockCombox::codeEdited, this, &CDlgFutrueQuickMouse::ChooseTypedContract);
    connect(m_hedgeBox, &QComboBox::activated, this, [this] {
        m_presenter.Choices().hedge = Codes::CodeOf(m_hedgeBox->currentData().toString());
        RefreshTrading();
    });
    connect(m_lock, &CodeLock::lockChanged, this, &CDlgFutrueQuickMouse::SetLocked);
    connect(m_offsetGroup, &QButtonGroup::idClicked, this, &CDlgFutrueQuickMouse::SelectOffset);
    connect(m_autoBox, &QCheckBox::clicked, this, &CDlgFutrueQuickMouse::SetAutoOffset);
    connect(m_fakBox, &QCheckBox::clicked, this, [this](bool checked) {
        m_fokBox->setChecked(false);
        m_presenter.Choices().duration =
            checked ? OrderTicket::Duration::kFillAndKill : OrderTicket::Duration::kDay;
    });
    connect(m_fokBox, &QCheckBox::clicked, this, [this](bool checked) {
        m_fakBox->setChecked(false);
        m_presenter.Choices().duration =
            checked ? OrderTicket::Duration::kFillOrKill : OrderTicket::Duration::kDay;
    });
    for (size_t i = 0; i < m_volumeButtons.size(); ++i) {
        const int volume = kVolumeButtons[i].second;
        connect(m_volumeButtons[i], &QPushButton::clicked, this, [this, volume] { SetVolume(volume); });
    }
    for (CPositionInfo* panel : {m_longPanel, m_shortPanel}) {
        connect(panel, &CPositionInfo::doubleClicked, this,
                [this, panel] { SetVolume(panel->SecondText().toInt()); });
    }
    connect(m_conditionButton, &QPushButton::clicked, this, [this] { m_presenter.OpenConditionalOrder(); });
    connect(m_openableButton, &QPushButton::clicked, this, &CDlgFutrueQuickMouse::ShowOpenableVolumes);
    connect(m_centreBox, &QCheckBox::clicked, this, [this](bool checked) {
        if (checked) {
            m_ladder->CentreOnLastPrice();
        }
    });
    m_ladder->SetPaintObserver([this] { m_presenter.Quotes().OnPainted(); });
}

bool CDlgFutrueQuickMouse::eventFilter(QObject* watched, QEvent* event) {
    // While the last price is kept centred, a new page size puts it back in the middle; else the
    // ladder stays where the trader scrolled it.
    if (watched == m_ladder->viewport() && event->type() == QEvent::Resize && m_centreBox->isChecked()) {
        m_ladder->CentreWhenIdle(CMouseOrderList::Centring::MidPage);
    }
    return CKrDlgOperate::eventFilter(watched, event);
}

// ---- Account and contracts ----------------------------------------------------------------------

void CDlgFutrueQuickMouse::InitWindow() {
    m_accountParam = GetParam(QStringLiteral("EAccountID"));
    m_presenter.ChooseAccount(m_accountParam);
    LoadContractList();
    const QString accountId = m_presenter.AccountId();
    m_presenter.Choices().hedge = m_presenter.Policy().DefaultHedge(accountId);
    m_openRadio->setChecked(true);
    SelectOffset(kOpenId);
    SetVolume(static_cast<int>(
        std::max<int64_t>(1, JsonInt(m_presenter.Policy().OrderSettings(accountId), "DefaultVolume", 1))));
    SetLocked(false);
    const auto& listed = m_contractBox->Contracts();
    if (!listed.empty()) {
        ChooseListedContract(0, false);
    } else {
        LoadHedgeEntries();
    }
    SubscribeMsg();
}

void CDlgFutrueQuickMouse::LoadContractList() {
    std::vector<CKrStockCombox::Entry> entries;
    for (const Json::Value& contract : m_presenter.EligibleContracts()) {
        entries.push_back({JsonWText(contract, Field::kExchangeCode),
                           JsonWText(contract, Field::kContractCode),
                           JsonWText(contract, Field::kContractName)});
    }
    m_contractBox->SetContracts(std::move(entries));
}

void CDlgFutrueQuickMouse::LoadHedgeEntries() {
    const QChar chosen = m_presenter.Choices().hedge;
    Handle<I::KRTContractI> contracts = GetService<I::KRTContractI>();
    m_hedgeBox->clear();
    for (QChar hedge : {Codes::Hedge::kSpeculation, Codes::Hedge::kHedging}) {
        m_hedgeBox->addItem(Codes::HedgeFlagText(hedge), QString(hedge));
    }
    if (contracts && contracts->AllowsArbitrage(ContractRecords::Query(m_presenter.Contract()))) {
        m_hedgeBox->addItem(Codes::HedgeFlagText(Codes::Hedge::kArbitrage),
                            QString(Codes::Hedge::kArbitrage));
    }
    const int index = std::max(0, m_hedgeBox->findData(QString(chosen)));
    m_hedgeBox->setCurrentIndex(index);
    m_presenter.Choices().hedge = Codes::CodeOf(m_hedgeBox->itemData(index).toString());
}

void CDlgFutrueQuickMouse::ChooseListedContract(int index, bool announce) {
    const auto& listed = m_contractBox->Contracts();
    Handle<I::KRTContractI> contracts = GetService<I::KRTContractI>();
    if (index < 0 || index >= static_cast<int>(listed.size()) || !contracts) {
        return;
    }
    SetContract(contracts->GetContract(
                    ContractRecords::Query(listed[index].exchangeCode, listed[index].contractCode)),
                announce);
}

void CDlgFutrueQuickMouse::ChooseTypedContract(const QString& code) {
    const int listed = m_contractBox->FindCode(code);
    if (listed >= 0) {
        ChooseListedContract(listed, true);
        return;
    }
    // A code the list does not hold: the first tradable contract of that code on any exchange.
    Handle<I::KRTContractI> contracts = GetService<I::KRTContractI>();
    const Json::Value found =
        contracts && !code.isEmpty() ? contracts->EnumContractByCode(code) : Json::Value();
    if (!found.isArray()) {
        return;
    }
    for (const Json::Value& contract : found) {
        if (m_presenter.IsEligible(contract)) {
            SetContract(contract, true);
            return;
        }
    }
}

bool CDlgFutrueQuickMouse::SetContract(const Json::Value& contract, bool announce) {
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
    LoadHedgeEntries();

    Handle<I::BaseQuoteDataSvcI> quotes = GetService<I::BaseQuoteDataSvcI>();
    m_quoteKey = quotes ? quotes->FindKey(exchange, code)
                        : I::QuoteKey{static_cast<int32_t>(JsonInt(contract, "MarketID", -1)), code};
    m_presenter.Quotes().Drop();  // a push of the previous contract is not shown any more
    m_ladder->Build(code, static_cast<int>(JsonInt(contract, "PriceDecimals", 0)),
                    JsonDouble(contract, "LowerLimit", 0), JsonDouble(contract, "ReferencePrice", 0),
                    JsonDouble(contract, Field::kTickSize, 0), JsonDouble(contract, "UpperLimit", 0));

    // What the host holds already, so the ladder is complete before the first push.
    Handle<I::KRTContractI> contracts = GetService<I::KRTContractI>();
    I::QuoteSnapshot snapshot{};
    m_quote = contracts && contracts->GetSnapshot(ContractRecords::Query(contract), snapshot)
                  ? ReadFutureQuote(snapshot,
                                    snapshot.priceDivisor > 0
                                        ? snapshot.priceDivisor
                                        : static_cast<int32_t>(JsonInt(contract, "PriceDivisor", 0)),
                                    snapshot.last)
                  : FutureQuote();
    ReevaluateOffset();
    RefreshTrading();
    ShowQuote(m_quote);
    m_ladder->Centre(CMouseOrderList::Centring::MidPage);

    if (m_quoteKey.IsValid()) {
        FollowQuotes({m_quoteKey});
    } else {
        StopQuotes();
    }
    if (announce) {
        Linkage::AnnounceStockChanged(m_quoteKey, kWindowType);
    }
    return true;
}

void CDlgFutrueQuickMouse::FollowLinkage(const Json::Value& payload) {
    if (m_lock->IsLocked()) {
        return;
    }
    const Json::Value contract = ContractRecords::OfKey(Linkage::LinkedStock(payload));
    if (contract.isObject()) {
        SetContract(contract, false);
    }
    if (!Member(payload, Field::kClosableVolume).isNull()) {
        SetVolume(static_cast<int>(JsonInt(payload, Field::kClosableVolume, 0)));
    }
}

bool CDlgFutrueQuickMouse::IsContractLocked() const {
    return m_lock->IsLocked();
}

void CDlgFutrueQuickMouse::SetLocked(bool locked) {
    m_lock->SetLocked(locked);
    m_contractBox->setEnabled(!locked);
}

void CDlgFutrueQuickMouse::FocusLadder() {
    raise();
    activateWindow();
    m_ladder->setFocus(Qt::OtherFocusReason);
}

// ---- Order choices ------------------------------------------------------------------------------

void CDlgFutrueQuickMouse::SelectOffset(int id) {
    m_presenter.Choices().offset = id == kCloseId        ? Codes::Offset::kClose
                                   : id == kCloseTodayId ? Codes::Offset::kCloseToday
                                                         : Codes::Offset::kOpen;
}

void CDlgFutrueQuickMouse::SetAutoOffset(bool on) {
    m_presenter.Choices().netPosition = on;
    for (QRadioButton* radio : {m_openRadio, m_closeRadio, m_closeTodayRadio}) {
        radio->setEnabled(!on);
    }
    if (!on) {
        ReevaluateOffset();
    }
}

void CDlgFutrueQuickMouse::ReevaluateOffset() {
    // Close-today is only a choice where the exchange closes today's positions apart.
    if (m_closeTodayRadio->isChecked() &&
        !CloseTodayRule::ClosesTodayApart(JsonWText(m_presenter.Contract(), Field::kExchangeCode))) {
        m_closeRadio->setChecked(true);
    }
    if (!m_offsetGroup->checkedButton()) {
        m_openRadio->setChecked(true);
    }
    SelectOffset(m_offsetGroup->checkedId());
}

void CDlgFutrueQuickMouse::SetVolume(int volume) {
    m_volumeEdit->SetValue(volume);
    m_presenter.Choices().volumeText = m_volumeEdit->Edit().text().trimmed();
}

void CDlgFutrueQuickMouse::ShowOpenableVolumes() {
    const LadderWindowPresenter::Openable openable = m_presenter.OpenableVolumes();
    m_openPanel->SetTexts(openable.buy, openable.sell);
}

// ---- Quotes, orders and positions -----------------------------------------------------------------

void CDlgFutrueQuickMouse::OnQuotePush(const I::QuotePushRecord& record, const Json::Value&) {
    // A flash push carries no new prices.
    if (record.flashFlag == 0 && m_presenter.Quotes().Store(record)) {
        Win::PostMessage(this, kQuoteMessage, 0, 0);
    }
}

void CDlgFutrueQuickMouse::ShowPush(const I::QuotePushRecord& record) {
    if (!(record.key == m_quoteKey)) {
        return;
    }
    m_quote = ReadFutureQuote(record.snapshot, record.priceDivisor,
                              record.hasExtData ? record.ext.now : record.snapshot.last);
    ShowQuote(m_quote);
}

uint64_t CDlgFutrueQuickMouse::QuotesShown() const {
    return m_presenter.Quotes().Shown();
}

uint64_t CDlgFutrueQuickMouse::QuotesReceived() const {
    return m_presenter.Quotes().Received();
}

void CDlgFutrueQuickMouse::ShowQuote(const FutureQuote& quote) {
    if (quote.lastPrice > 0) {
        m_ladder->SetLastPrice(quote.lastPrice);
        if (m_centreBox->isChecked()) {
            m_ladder->CentreWhenIdle(CMouseOrderList::Centring::KeepInPage);
        }
    }
    if (quote.hasBook) {
        m_ladder->SetBestQuote(quote.best);
    } else {
        m_ladder->ClearBestQuote();
    }
    ShowPositions();
}

void CDlgFutrueQuickMouse::RefreshTrading() {
    m_ladder->ClearWorkingOrders();
    for (const LadderWindowPresenter::WorkingOrder& order : m_presenter.WorkingOrders()) {
        m_ladder->AddWorkingOrder(
            {order.id, order.direction == Codes::Direction::kBuy ? 0 : 1, order.price, order.volume});
    }
    m_presenter.RefreshPositions();
    ShowPositions();
}

void CDlgFutrueQuickMouse::ShowPositions() {
    const Json::Value& positions = m_presenter.Positions();
    if (!positions.empty() || !m_ladder->Model().Positions().empty()) {
        const Json::Value priced = m_presenter.PricedPositions(m_quote.currentPrice);
        m_ladder->SetPositions(std::vector<Json::Value>(priced.begin(), priced.end()));
    }
    const Json::Value& contract = m_presenter.Contract();
    const PositionTotals totals =
        SumPositions(positions, m_quote.currentPrice, JsonDouble(contract, Field::kMultiplier, 1));
    const int profitDecimals = static_cast<int>(JsonInt(contract, "PriceDecimals", 0)) + 1;
    ShowSide(*m_longPanel, totals.longSide, profitDecimals);
    ShowSide(*m_shortPanel, totals.shortSide, profitDecimals);
}

void CDlgFutrueQuickMouse::SetQuoteShownObserver(std::function<void(int64_t)> observer) {
    m_presenter.Quotes().SetPaintedObserver(std::move(observer));
}

// ---- Messages -----------------------------------------------------------------------------------

void CDlgFutrueQuickMouse::SubscribeMsg() {
    for (const QString& topic :
         {Topic::kStockChanged, Topic::kListClick, Topic::kListDblClick, Topic::kAccountChange,
          Topic::kClickKLine, Topic::kClickTrend, Topic::kSTEPRequestCallBack, Topic::kReorderNotifyInfo,
          Topic::kUserChangeParam}) {
        Subscriptions().Subscribe(topic);
    }
}

void CDlgFutrueQuickMouse::UnSubscribeMsg() {
    Subscriptions().UnsubscribeAll();
    StopQuotes();
}

void CDlgFutrueQuickMouse::OnMsg(const QString& topic, const Json::Value& payload, const Json::Value&) {
    PostKoraMsg(topic, payload);
}

void CDlgFutrueQuickMouse::OnKoraMsg(const QString& topic, const Json::Value& payload) {
    if (topic == Topic::kSTEPRequestCallBack) {
        const QString account = JsonWText(payload, "EAccountID");
        if (account.isEmpty() || account == m_presenter.AccountId()) {
            m_presenter.OnOrderAnswers(payload);
            RefreshTrading();
        }
    } else if (topic == Topic::kReorderNotifyInfo) {
        m_presenter.OnSmartOrderNotice(payload);
    } else if (topic == Topic::kAccountChange) {
        m_presenter.ChooseAccount(m_accountParam);
        LoadContractList();
        if (!m_presenter.IsEligible(m_presenter.Contract()) && !m_contractBox->Contracts().empty()) {
            ChooseListedContract(0, false);
        }
        RefreshTrading();
    } else if (topic == Topic::kListClick || topic == Topic::kListDblClick || topic == Topic::kClickKLine ||
               topic == Topic::kClickTrend || topic == Topic::kStockChanged) {
        FollowLinkage(payload);
    } else if (topic == Topic::kUserChangeParam) {
        m_ladder->ReloadThemeFonts();
        m_longPanel->ReloadThemeFonts();
        m_shortPanel->ReloadThemeFonts();
        m_openPanel->ReloadThemeFont();
    }
}

Win::LRESULT CDlgFutrueQuickMouse::OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) {
    switch (message) {
        case QuickMouseMsg::kPlaceOrder:
            if (const auto* price = reinterpret_cast<const QString*>(wParam)) {
                // The ladder names the side by its direction code.
                const QChar side(static_cast<char16_t>(lParam));
                m_presenter.PlaceOrder(*price,
                                       side == Codes::Direction::kSell ? side : Codes::Direction::kBuy);
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
                m_presenter.MoveOrder(*id, *price);
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
            // The edit reports its first text while it is being made, before it is ours.
            if (m_volumeEdit) {
                m_presenter.Choices().volumeText = m_volumeEdit->Edit().text().trimmed();
            }
            return 1;
        default:
            return CKrDlgOperate::OnMessage(message, wParam, lParam);
    }
}
