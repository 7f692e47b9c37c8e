#include "ladderwindow/CDlgLadderWindow.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "CKrAmountEdit.h"
#include "CKrStockCombox.h"
#include "kernel/HostAccess.h"
#include "kora/interface/BaseQuoteDataSvcI.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/KRTContractI.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "ladder/CMouseOrderList.h"
#include "ladder/COpenInfo.h"
#include "ladder/CPositionInfo.h"
#include "ladder/CPriceHSpinEdit.h"
#include "ladder/LadderAssets.h"
#include "ladder/PositionTotals.h"
#include "ladder/QuickMouseMessages.h"
#include "platform/ControlId.h"
#include "platform/DialogPalette.h"
#include "trading/ContractRecords.h"
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

constexpr uint32_t kShortColour = 0x307100;
constexpr int kPanelWidth = 178;

const char* const kStyle =
    "CDlgLadderWindow { background: #F5F6F8; }"
    "QPushButton { background: #FFFFFF; border: 1px solid #B9C1CC; border-radius: 2px; padding: 2px 4px;"
    "  min-height: 18px; }"
    "QPushButton:hover { background: #EAF1FB; border-color: #7C9CC8; }"
    "QPushButton:pressed { background: #D6E3F5; }"
    "QComboBox { background: #FFFFFF; color: #1A1A1A; border: 1px solid #B9C1CC; padding: 1px 4px;"
    "  min-height: 20px; }"
    "QComboBox:disabled { background: #F0F0F0; color: #6E6E6E; }"
    "QLineEdit { background: #FFFFFF; color: #1A1A1A; selection-background-color: #3378D6; }"
    "QToolButton { border: none; }"
    "QLabel { color: #333333; }";

}  // namespace

CDlgLadderWindow::CDlgLadderWindow(int templateId, LadderWindowPresenter::Setup setup, QWidget* parent)
    : CKrDlgOperate(templateId, parent), m_prompter(this), m_presenter(std::move(setup), m_prompter) {
    m_presenter.SetQuoteShow([this](const I::QuotePushRecord& record) { ShowPush(record); });
}

CDlgLadderWindow::~CDlgLadderWindow() {
    // Pushes and messages may be on their way on host threads; none may reach a half-destroyed
    // window.
    DetachQuotes();
    Detach();
}

// ---- Controls ---------------------------------------------------------------------------------

void CDlgLadderWindow::InitUI() {
    setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 9));
    setStyleSheet(QString::fromUtf8(kStyle));
    CreateCommonControls();
    CreateControls();
    LayOutControls();
    ConnectCommonControls();
    ConnectControls();
    Win::ApplyLightDialogPalette(*this);
}

void CDlgLadderWindow::CreateCommonControls() {
    m_contractBox = Win::WithControlId(new CKrStockCombox(this), kContractId);
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
}

void CDlgLadderWindow::SetUpLadder(CMouseOrderList& ladder,
                                   std::initializer_list<std::pair<const char*, int>> columns) {
    ladder.setObjectName(QStringLiteral("ladder"));
    for (const auto& [title, width] : columns) {
        ladder.InsertColumn(ladder.ColumnCount(), QString::fromUtf8(title), width);
    }
    ladder.SetColumnRoles(LadderColumns{});
    ladder.SetCursors(LadderAssets::LoadCursor(LadderAssets::kMoveCursor),
                      LadderAssets::LoadCursor(LadderAssets::kCancelCursor));
    ladder.SetItemCount(100);
    ladder.setMinimumWidth(ladder.TotalColumnWidth() + 20);
    ladder.viewport()->installEventFilter(this);
}

QHBoxLayout* CDlgLadderWindow::Row(std::initializer_list<QWidget*> controls, QWidget* stretched) {
    auto* layout = new QHBoxLayout;
    for (QWidget* control : controls) {
        layout->addWidget(control, control == stretched ? 1 : 0);
    }
    return layout;
}

void CDlgLadderWindow::AddCommonControls(QVBoxLayout& side) {
    auto* volumeGrid = new QGridLayout;
    volumeGrid->setSpacing(3);
    for (size_t i = 0; i < m_volumeButtons.size(); ++i) {
        volumeGrid->addWidget(m_volumeButtons[i], static_cast<int>(i / 4), static_cast<int>(i % 4));
    }
    side.addLayout(volumeGrid);
    for (QWidget* panel : {static_cast<QWidget*>(m_longPanel), static_cast<QWidget*>(m_shortPanel),
                           static_cast<QWidget*>(m_openPanel)}) {
        panel->setFixedSize(kPanelWidth, 46);
        side.addWidget(panel);
    }
    side.addLayout(Row({m_conditionButton, m_openableButton}));
    side.addWidget(m_centreBox);
}

void CDlgLadderWindow::ConnectCommonControls() {
    connect(m_contractBox, &CKrStockCombox::contractSelected, this,
            [this](int index) { ChooseListedContract(index, true); });
    connect(m_contractBox, &CKrStockCombox::codeEdited, this, &CDlgLadderWindow::ChooseTypedContract);
    for (size_t i = 0; i < m_volumeButtons.size(); ++i) {
        const int volume = kVolumeButtons[i].second;
        connect(m_volumeButtons[i], &QPushButton::clicked, this, [this, volume] { SetVolume(volume); });
    }
    connect(m_conditionButton, &QPushButton::clicked, this, [this] { m_presenter.OpenConditionalOrder(); });
    connect(m_openableButton, &QPushButton::clicked, this, [this] {
        const LadderWindowPresenter::Openable openable = m_presenter.OpenableVolumes();
        m_openPanel->SetTexts(openable.buy, openable.sell);
    });
    connect(m_centreBox, &QCheckBox::clicked, this, [this](bool checked) {
        if (checked) {
            LadderList().CentreOnLastPrice();
        }
    });
    LadderList().SetPaintObserver([this] {
        if (m_unpaintedStamp == 0) {
            return;
        }
        const int64_t stamp = std::exchange(m_unpaintedStamp, 0);
        if (m_quoteShownObserver) {
            m_quoteShownObserver(stamp);
        }
    });
}

bool CDlgLadderWindow::eventFilter(QObject* watched, QEvent* event) {
    // While the last price is kept centred, a new page size puts it back in the middle; else the
    // ladder stays where the trader scrolled it.
    if (watched == LadderList().viewport() && event->type() == QEvent::Resize && m_centreBox->isChecked()) {
        LadderList().CentreWhenIdle(CMouseOrderList::Centring::MidPage);
    }
    return CKrDlgOperate::eventFilter(watched, event);
}

void CDlgLadderWindow::SetVolume(int volume) {
    m_volumeEdit->SetValue(volume);
    m_presenter.Choices().volumeText = m_volumeEdit->Edit().text().trimmed();
}

// ---- Account and contracts ----------------------------------------------------------------------

void CDlgLadderWindow::ChooseAccount() {
    m_accountParam = GetParam(QStringLiteral("EAccountID"));
    m_presenter.ChooseAccount(m_accountParam);
    LoadContractList();
    SetVolume(static_cast<int>(std::max<int64_t>(
        1, JsonInt(m_presenter.Policy().OrderSettings(m_presenter.AccountId()), "DefaultVolume", 1))));
}

void CDlgLadderWindow::LoadContractList() {
    std::vector<CKrStockCombox::Entry> entries;
    for (const Json::Value& contract : m_presenter.EligibleContracts()) {
        entries.push_back({JsonWText(contract, Field::kExchangeCode),
                           JsonWText(contract, Field::kContractCode),
                           JsonWText(contract, Field::kContractName)});
    }
    m_contractBox->SetContracts(std::move(entries));
}

bool CDlgLadderWindow::ChooseFirstContract() {
    if (m_contractBox->Contracts().empty()) {
        return false;
    }
    ChooseListedContract(0, false);
    return true;
}

void CDlgLadderWindow::ChooseListedContract(int index, bool announce) {
    const auto& listed = m_contractBox->Contracts();
    Handle<I::KRTContractI> contracts = GetService<I::KRTContractI>();
    if (index < 0 || index >= static_cast<int>(listed.size()) || !contracts) {
        return;
    }
    SetContract(contracts->GetContract(
                    ContractRecords::Query(listed[index].exchangeCode, listed[index].contractCode)),
                announce);
}

void CDlgLadderWindow::ChooseTypedContract(const QString& code) {
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
        if (SetContract(contract, true)) {
            return;
        }
    }
}

bool CDlgLadderWindow::SetContract(const Json::Value& contract, bool announce) {
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
    m_presenter.Quotes().Drop();  // a push of the previous contract is not shown any more

    // What the host holds already, so the ladder is complete before the first push.
    Handle<I::KRTContractI> contracts = GetService<I::KRTContractI>();
    I::QuoteSnapshot snapshot{};
    const bool known = contracts && contracts->GetSnapshot(ContractRecords::Query(contract), snapshot);
    const int32_t divisor = snapshot.priceDivisor > 0
                                ? snapshot.priceDivisor
                                : static_cast<int32_t>(JsonInt(contract, "PriceDivisor", 0));
    m_quote = known ? ReadLadderQuote(snapshot, divisor, snapshot.last) : LadderQuote();
    OnContractChanged();
    BuildLadder(contract, m_quote);
    RefreshTrading();
    ShowQuote();
    LadderList().Centre(CMouseOrderList::Centring::MidPage);

    if (m_quoteKey.IsValid()) {
        FollowQuotes({m_quoteKey});
    } else {
        StopQuotes();
    }
    if (announce) {
        Announce(m_quoteKey);
    }
    return true;
}

void CDlgLadderWindow::FollowLinkage(const Json::Value& payload) {
    const Json::Value contract = ContractRecords::OfKey(Linkage::LinkedStock(payload));
    if (contract.isObject()) {
        SetContract(contract, false);
    }
}

// ---- Quotes, orders and positions -----------------------------------------------------------------

void CDlgLadderWindow::OnQuotePush(const I::QuotePushRecord& record, const Json::Value&) {
    // A flash push carries no new prices.
    if (record.flashFlag == 0 && m_presenter.Quotes().Store(record)) {
        Win::PostMessage(this, kQuoteMessage, 0, 0);
    }
}

void CDlgLadderWindow::ShowPush(const I::QuotePushRecord& record) {
    if (!(record.key == m_quoteKey)) {
        return;
    }
    m_quote = ReadLadderQuote(record.snapshot, record.priceDivisor,
                              record.hasExtData ? record.ext.now : record.snapshot.last);
    ShowQuote();
    m_unpaintedStamp = record.enqueuedNs;
}

uint64_t CDlgLadderWindow::QuotesShown() const {
    return m_presenter.Quotes().Shown();
}

uint64_t CDlgLadderWindow::QuotesReceived() const {
    return m_presenter.Quotes().Received();
}

void CDlgLadderWindow::SetQuoteShownObserver(std::function<void(int64_t)> observer) {
    m_quoteShownObserver = std::move(observer);
}

void CDlgLadderWindow::ShowQuote() {
    CMouseOrderList& ladder = LadderList();
    if (m_quote.lastPrice > 0) {
        ladder.SetLastPrice(m_quote.lastPrice);
        if (m_centreBox->isChecked()) {
            ladder.CentreWhenIdle(CMouseOrderList::Centring::KeepInPage);
        }
    }
    if (m_quote.hasBook) {
        ladder.SetBestQuote(m_quote.best);
    } else {
        ladder.ClearBestQuote();
    }
    ShowPositions();
}

void CDlgLadderWindow::RefreshTrading() {
    m_presenter.RefreshPositions();
    ShowWorkingOrders();
    ShowPositions();
}

void CDlgLadderWindow::ShowWorkingOrders() {
    CMouseOrderList& ladder = LadderList();
    ladder.ClearWorkingOrders();
    for (const LadderWindowPresenter::WorkingOrder& order : m_presenter.WorkingOrders()) {
        ladder.AddWorkingOrder(
            {order.id, order.direction == Codes::Direction::kBuy ? 0 : 1, order.price, order.volume});
    }
}

void CDlgLadderWindow::ShowPositions() {
    CMouseOrderList& ladder = LadderList();
    const Json::Value& positions = m_presenter.Positions();
    if (!positions.empty() || !ladder.Model().Positions().empty()) {
        const Json::Value priced = m_presenter.PricedPositions(m_quote.currentPrice);
        ladder.SetPositions(std::vector<Json::Value>(priced.begin(), priced.end()));
    }
    const Json::Value& contract = m_presenter.Contract();
    const PositionTotals totals =
        SumPositions(positions, m_quote.currentPrice, JsonDouble(contract, Field::kMultiplier, 1));
    const int profitDecimals = static_cast<int>(JsonInt(contract, "PriceDecimals", 0)) + 1;
    m_longPanel->ShowTotals(totals.longSide, profitDecimals);
    m_shortPanel->ShowTotals(totals.shortSide, profitDecimals);
}

void CDlgLadderWindow::PlaceOrder(const QString& priceText, QChar direction) {
    m_presenter.PlaceOrder(priceText, direction);
}

void CDlgLadderWindow::MoveOrder(const QString& orderId, const QString& priceText) {
    m_presenter.MoveOrder(orderId, priceText);
}

// ---- Messages -----------------------------------------------------------------------------------

void CDlgLadderWindow::SubscribeTopics(std::initializer_list<QString> topics) {
    for (const QString& topic : topics) {
        Subscriptions().Subscribe(topic);
    }
}

void CDlgLadderWindow::UnSubscribeMsg() {
    Subscriptions().UnsubscribeAll();
    StopQuotes();
}

void CDlgLadderWindow::OnMsg(const QString& topic, const Json::Value& payload, const Json::Value&) {
    PostKoraMsg(topic, payload);
}

void CDlgLadderWindow::OnKoraMsg(const QString& topic, const Json::Value& payload) {
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
        OnAccountChanged();
        if (!m_presenter.IsEligible(m_presenter.Contract())) {
            ChooseFirstContract();
        }
        RefreshTrading();
    } else if (topic == Topic::kListClick || topic == Topic::kListDblClick || topic == Topic::kClickKLine ||
               topic == Topic::kClickTrend || topic == Topic::kStockChanged) {
        FollowLinkage(payload);
    } else if (topic == Topic::kUserChangeParam) {
        LadderList().ReloadThemeFonts();
        m_longPanel->ReloadThemeFonts();
        m_shortPanel->ReloadThemeFonts();
        m_openPanel->ReloadThemeFont();
    }
}

Win::LRESULT CDlgLadderWindow::OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) {
    switch (message) {
        case QuickMouseMsg::kPlaceOrder:
            if (const auto* price = reinterpret_cast<const QString*>(wParam)) {
                // The ladder names the side by its direction code.
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
            // The edit reports its first text while it is being made, before it is ours.
            if (m_volumeEdit) {
                m_presenter.Choices().volumeText = m_volumeEdit->Edit().text().trimmed();
            }
            return 1;
        default:
            return CKrDlgOperate::OnMessage(message, wParam, lParam);
    }
}
