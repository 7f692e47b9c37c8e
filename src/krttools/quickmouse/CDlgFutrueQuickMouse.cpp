#include "quickmouse/CDlgFutrueQuickMouse.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "CKrStockCombox.h"
#include "kernel/HostAccess.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/KRTContractI.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "ladder/CKRMouselist.h"
#include "ladder/CPositionInfo.h"
#include "ladder/CPriceHSpinEdit.h"
#include "ladder/CodeLock.h"
#include "ladder/QuickMouseHost.h"
#include "platform/ControlId.h"
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
const QString kWindowType = QStringLiteral("KRFutureQMouse");
namespace Codes = TradingCodes;

}  // namespace

CDlgFutrueQuickMouse::CDlgFutrueQuickMouse(QWidget* parent)
    : CDlgLadderWindow(kTemplateId, LadderWindowPresenter::Setup::Futures(), parent) {
    setWindowTitle(QStringLiteral("期货快鼠交易"));
}

// ---- Controls ---------------------------------------------------------------------------------

void CDlgFutrueQuickMouse::CreateControls() {
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

    m_ladder = new CKRMouselist(this);
    SetUpLadder(*m_ladder, {{"挂单", 63}, {"买", 53}, {"价格", 90}, {"卖", 53}, {"挂单", 63}});
}

void CDlgFutrueQuickMouse::LayOutControls() {
    // Every control is a direct child of the dialog: the ladder and the panels report to their
    // parent window.
    auto* side = new QVBoxLayout;
    side->setSpacing(6);

    side->addLayout(Row({m_contractBox, m_lock->LockedButton(), m_lock->UnlockedButton()}, m_contractBox));
    side->addLayout(Row({new QLabel(QStringLiteral("投保"), this), m_hedgeBox}, m_hedgeBox));
    side->addLayout(Row({m_openRadio, m_closeRadio, m_closeTodayRadio}));
    side->addLayout(Row({m_autoBox, m_fakBox, m_fokBox}));
    side->addLayout(Row({new QLabel(QStringLiteral("数量"), this), m_volumeEdit}, m_volumeEdit));
    AddCommonControls(*side);
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
    connect(m_hedgeBox, &QComboBox::activated, this, [this] {
        Presenter().Choices().hedge = Codes::CodeOf(m_hedgeBox->currentData().toString());
        RefreshTrading();
    });
    connect(m_lock, &CodeLock::lockChanged, this, &CDlgFutrueQuickMouse::SetLocked);
    connect(m_offsetGroup, &QButtonGroup::idClicked, this, &CDlgFutrueQuickMouse::SelectOffset);
    connect(m_autoBox, &QCheckBox::clicked, this, &CDlgFutrueQuickMouse::SetAutoOffset);
    connect(m_fakBox, &QCheckBox::clicked, this, [this](bool checked) {
        m_fokBox->setChecked(false);
        Presenter().Choices().duration =
            checked ? OrderTicket::Duration::kFillAndKill : OrderTicket::Duration::kDay;
    });
    connect(m_fokBox, &QCheckBox::clicked, this, [this](bool checked) {
        m_fakBox->setChecked(false);
        Presenter().Choices().duration =
            checked ? OrderTicket::Duration::kFillOrKill : OrderTicket::Duration::kDay;
    });
    for (CPositionInfo* panel : {m_longPanel, m_shortPanel}) {
        connect(panel, &CPositionInfo::doubleClicked, this,
                [this, panel] { SetVolume(panel->SecondText().toInt()); });
    }
}

CMouseOrderList& CDlgFutrueQuickMouse::LadderList() const {
    return *m_ladder;
}

// ---- Account and contracts ----------------------------------------------------------------------

void CDlgFutrueQuickMouse::InitWindow() {
    ChooseAccount();
    Presenter().Choices().hedge = Presenter().Policy().DefaultHedge(Presenter().AccountId());
    m_openRadio->setChecked(true);
    SelectOffset(kOpenId);
    SetLocked(false);
    if (!ChooseFirstContract()) {
        LoadHedgeEntries();
    }
    SubscribeMsg();
}

void CDlgFutrueQuickMouse::SubscribeMsg() {
    SubscribeTopics({Topic::kStockChanged, Topic::kListClick, Topic::kListDblClick, Topic::kAccountChange,
                     Topic::kClickKLine, Topic::kClickTrend, Topic::kSTEPRequestCallBack,
                     Topic::kReorderNotifyInfo, Topic::kUserChangeParam});
}

void CDlgFutrueQuickMouse::LoadHedgeEntries() {
    const QChar chosen = Presenter().Choices().hedge;
    Handle<I::KRTContractI> contracts = GetService<I::KRTContractI>();
    m_hedgeBox->clear();
    for (QChar hedge : {Codes::Hedge::kSpeculation, Codes::Hedge::kHedging}) {
        m_hedgeBox->addItem(Codes::HedgeFlagText(hedge), QString(hedge));
    }
    if (contracts && contracts->AllowsArbitrage(ContractRecords::Query(Presenter().Contract()))) {
        m_hedgeBox->addItem(Codes::HedgeFlagText(Codes::Hedge::kArbitrage),
                            QString(Codes::Hedge::kArbitrage));
    }
    const int index = std::max(0, m_hedgeBox->findData(QString(chosen)));
    m_hedgeBox->setCurrentIndex(index);
    Presenter().Choices().hedge = Codes::CodeOf(m_hedgeBox->itemData(index).toString());
}

void CDlgFutrueQuickMouse::OnContractChanged() {
    LoadHedgeEntries();
    ReevaluateOffset();
}

void CDlgFutrueQuickMouse::BuildLadder(const Json::Value& contract, const LadderQuote&) {
    m_ladder->Build(JsonWText(contract, Field::kContractCode),
                    static_cast<int>(JsonInt(contract, "PriceDecimals", 0)),
                    JsonDouble(contract, "LowerLimit", 0), JsonDouble(contract, "ReferencePrice", 0),
                    JsonDouble(contract, Field::kTickSize, 0), JsonDouble(contract, "UpperLimit", 0));
}

void CDlgFutrueQuickMouse::Announce(const I::QuoteKey& contract) {
    Linkage::AnnounceStockChanged(contract, kWindowType);
}

void CDlgFutrueQuickMouse::FollowLinkage(const Json::Value& payload) {
    if (m_locked) {
        return;
    }
    CDlgLadderWindow::FollowLinkage(payload);
    if (!Member(payload, Field::kClosableVolume).isNull()) {
        SetVolume(static_cast<int>(JsonInt(payload, Field::kClosableVolume, 0)));
    }
}

void CDlgFutrueQuickMouse::SetLocked(bool locked) {
    m_locked = locked;
    m_contractBox->setEnabled(!locked);
    m_lock->SetLocked(locked);
}

void CDlgFutrueQuickMouse::FocusLadder() {
    raise();
    activateWindow();
    m_ladder->setFocus(Qt::OtherFocusReason);
}

// ---- Order choices ------------------------------------------------------------------------------

void CDlgFutrueQuickMouse::SelectOffset(int id) {
    Presenter().Choices().offset = id == kCloseId        ? Codes::Offset::kClose
                                   : id == kCloseTodayId ? Codes::Offset::kCloseToday
                                                         : Codes::Offset::kOpen;
}

void CDlgFutrueQuickMouse::SetAutoOffset(bool on) {
    Presenter().Choices().netPosition = on;
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
        !CloseTodayRule::ClosesTodayApart(JsonWText(Presenter().Contract(), Field::kExchangeCode))) {
        m_closeRadio->setChecked(true);
    }
    if (!m_offsetGroup->checkedButton()) {
        m_openRadio->setChecked(true);
    }
    SelectOffset(m_offsetGroup->checkedId());
}
