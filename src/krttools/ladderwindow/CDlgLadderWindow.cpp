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
#include "ladder/QuickMouseStyle.h"
#include "platform/ControlId.h"
#include "platform/DialogPalette.h"
#include "trading/ContractRecords.h"

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

}  // namespace

CDlgLadderWindow::CDlgLadderWindow(int templateId, LadderWindowPresenter::Setup setup, QWidget* parent)
    : CDlgPresenterWindow(templateId, std::move(setup), parent) {}

// ---- Controls ---------------------------------------------------------------------------------

void CDlgLadderWindow::InitUI() {
    setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 9));
    setStyleSheet(QuickMouseStyleSheet(QStringLiteral("CDlgLadderWindow")));
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
    connect(m_conditionButton, &QPushButton::clicked, this, [this] { Presenter().OpenConditionalOrder(); });
    connect(m_openableButton, &QPushButton::clicked, this, [this] {
        const LadderWindowPresenter::Openable openable = Presenter().OpenableVolumes();
        m_openPanel->SetTexts(openable.buy, openable.sell);
    });
    connect(m_centreBox, &QCheckBox::clicked, this, [this](bool checked) {
        if (checked) {
            LadderList().CentreOnLastPrice();
        }
    });
    LadderList().SetPaintObserver([this] { OnLadderPainted(); });
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
    Presenter().Choices().volumeText = m_volumeEdit->Edit().text().trimmed();
}

// ---- Account and contracts ----------------------------------------------------------------------

void CDlgLadderWindow::ChooseAccount() {
    m_accountParam = GetParam(QStringLiteral("EAccountID"));
    Presenter().ChooseAccount(m_accountParam);
    LoadContractList();
    SetVolume(static_cast<int>(std::max<int64_t>(
        1, JsonInt(Presenter().Policy().OrderSettings(Presenter().AccountId()), "DefaultVolume", 1))));
}

void CDlgLadderWindow::LoadContractList() {
    std::vector<CKrStockCombox::Entry> entries;
    for (const Json::Value& contract : Presenter().EligibleContracts()) {
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
    } else {
        // A code the list does not hold: the first tradable contract of that code on any exchange.
        SetContractOfCode(code, true);
    }
}

bool CDlgLadderWindow::SetContract(const Json::Value& contract, bool announce) {
    if (Presenter().IsEligible(contract) && ContractRecords::Same(contract, Contract())) {
        return true;
    }
    return CDlgPresenterWindow::SetContract(contract, announce);
}

void CDlgLadderWindow::ShowContract(const Json::Value& contract, const HeldQuote& held) {
    m_contractBox->ShowContract(JsonWText(contract, Field::kExchangeCode),
                                JsonWText(contract, Field::kContractCode));
    m_quote = held.known ? ReadLadderQuote(held.snapshot, held.divisor, held.snapshot.last) : LadderQuote();
    OnContractChanged();
    BuildLadder(contract, m_quote);
    RefreshTrading();
    ShowQuote();
    LadderList().Centre(CMouseOrderList::Centring::MidPage);
}

// ---- Quotes, orders and positions -----------------------------------------------------------------

void CDlgLadderWindow::ShowPush(const I::QuotePushRecord& record) {
    m_quote = ReadLadderQuote(record.snapshot, record.priceDivisor,
                              record.hasExtData ? record.ext.now : record.snapshot.last);
    ShowQuote();
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
    Presenter().RefreshPositions();
    ShowWorkingOrders();
    ShowPositions();
}

void CDlgLadderWindow::ShowWorkingOrders() {
    CMouseOrderList& ladder = LadderList();
    ladder.ClearWorkingOrders();
    for (const LadderWindowPresenter::WorkingOrder& order : Presenter().WorkingOrders()) {
        ladder.AddWorkingOrder(
            {order.id, order.direction == Codes::Direction::kBuy ? 0 : 1, order.price, order.volume});
    }
}

void CDlgLadderWindow::ShowPositions() {
    CMouseOrderList& ladder = LadderList();
    const Json::Value& positions = Presenter().Positions();
    if (!positions.empty() || !ladder.Model().Positions().empty()) {
        const Json::Value priced = Presenter().PricedPositions(m_quote.currentPrice);
        ladder.SetPositions(std::vector<Json::Value>(priced.begin(), priced.end()));
    }
    const Json::Value& contract = Presenter().Contract();
    const PositionTotals totals =
        SumPositions(positions, m_quote.currentPrice, JsonDouble(contract, Field::kMultiplier, 1));
    const int profitDecimals = static_cast<int>(JsonInt(contract, "PriceDecimals", 0)) + 1;
    m_longPanel->ShowTotals(totals.longSide, profitDecimals);
    m_shortPanel->ShowTotals(totals.shortSide, profitDecimals);
}

void CDlgLadderWindow::PlaceOrder(const QString& priceText, QChar direction) {
    Presenter().PlaceOrder(priceText, direction);
}

void CDlgLadderWindow::MoveOrder(const QString& orderId, const QString& priceText) {
    Presenter().MoveOrder(orderId, priceText);
}

// ---- Messages -----------------------------------------------------------------------------------

void CDlgLadderWindow::ShowOrderAnswers(const Json::Value&) {
    RefreshTrading();
}

void CDlgLadderWindow::OnKoraMsg(const QString& topic, const Json::Value& payload) {
    if (topic == Topic::kAccountChange || topic == Topic::kAccountLogin) {
        Presenter().ChooseAccount(m_accountParam);
        LoadContractList();
        OnAccountChanged();
        if (!Presenter().IsEligible(Presenter().Contract())) {
            ChooseFirstContract();
        }
        RefreshTrading();
    } else if (topic == Topic::kUserChangeParam) {
        LadderList().ReloadThemeFonts();
        m_longPanel->ReloadThemeFonts();
        m_shortPanel->ReloadThemeFonts();
        m_openPanel->ReloadThemeFont();
    } else {
        CDlgPresenterWindow::OnKoraMsg(topic, payload);
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
                Presenter().CancelOrder(*id);
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
                Presenter().ChangeVolume(*ids, *volume);
            }
            return 1;
        }
        case QuickMouseMsg::kSetVolume:
            SetVolume(static_cast<int>(wParam));
            return 1;
        case QuickMouseMsg::kSpinEditChanged:
            // The edit reports its first text while it is being made, before it is ours.
            if (m_volumeEdit) {
                Presenter().Choices().volumeText = m_volumeEdit->Edit().text().trimmed();
            }
            return 1;
        default:
            return CDlgPresenterWindow::OnMessage(message, wParam, lParam);
    }
}
