#include "quickmouse/DlgQuickMouse.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "CFastMouseOrderList2.h"
#include "CKrAmountEdit.h"
#include "KRUI.h"
#include "kernel/HostAccess.h"
#include "kora/interface/AccountI.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/FrameServicesI.h"
#include "kora/interface/KRTContractI.h"
#include "kora/interface/KRTEngineI.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "ladder/CPriceHSpinEdit.h"
#include "ladder/CodeLock.h"
#include "ladder/PositionTotals.h"
#include "ladder/QuickMouseHost.h"
#include "ladder/QuickMouseMessages.h"
#include "ladder/QuickMouseStyle.h"
#include "platform/ControlId.h"
#include "platform/DialogPalette.h"
#include "quickmouse/QuickMouseDefaultStock.h"
#include "quickmouse/StockOrderVolume.h"
#include "quickmouse/StockTradeList.h"
#include "quickmouse/SweepRule.h"
#include "trading/ContractRecords.h"
#include "trading/Linkage.h"
#include "trading/TradingCodes.h"

using Kora::Kernel::GetService;
using Kora::Utility::Handle;
using Kora::Utility::JsonBool;
using Kora::Utility::JsonDouble;
using Kora::Utility::JsonInt;
using Kora::Utility::JsonText;
using Kora::Utility::JsonWText;
using Kora::Utility::Member;
namespace I = Kora::Interface;
namespace Topic = Kora::Interface::Topic;
namespace Codes = TradingCodes;

namespace {

constexpr int kPanelWidth = 212;
const QString kWindowType = QStringLiteral("KRTToolQuickMouse");
const QString kTitle = QStringLiteral("快鼠交易");
constexpr int kTradeListWidth = 196;
const QString kCreditIdentity = QStringLiteral("融资融券");
// The quantities the window shows, as the advanced data service names them, in the order of
// m_quantities.
const char* const kQuantityNames[] = {"可买", "可融", "可卖", "可融券"};
enum Quantity { kBuyable = 0, kFinanceable, kSellable, kShortSellable };

// What the stock window adds to the quick-mouse face.
const char* const kStyle =
    "QLabel#sideTitle { color: #FFFFFF; font-weight: bold; padding: 2px 6px; }"
    "QTabBar::tab { background: #E9ECF1; color: #333333; border: 1px solid #B9C1CC; padding: 3px 14px; }"
    "QTabBar::tab:selected { background: #3378D6; color: #FFFFFF; border-color: #3378D6; }"
    "QTableView { background: #FFFFFF; gridline-color: #E4E4E4; border: 1px solid #B9C1CC; }"
    "QHeaderView::section { background: #ECECEC; color: #505050; border: none;"
    "  border-right: 1px solid #D0D0D0; border-bottom: 1px solid #BBBBBB; padding: 2px; }";

QLabel* SideTitle(const QString& text, const char* colour, QWidget* parent) {
    auto* title = new QLabel(text, parent);
    title->setObjectName(QStringLiteral("sideTitle"));
    title->setStyleSheet(QStringLiteral("background: %1;").arg(QString::fromUtf8(colour)));
    return title;
}

QString PriceText(double price, int decimals) {
    return QString::asprintf("%.*f", std::clamp(decimals, 0, 6), price);
}

// The stock window's setup of the ladder-window presenter.
LadderWindowPresenter::Setup StockSetup() {
    LadderWindowPresenter::Setup setup;
    setup.accountCategories = {5, 0};
    setup.logSource = kTitle;
    for (const char* member :
         {"SplitOrderEnable", "ReorderEnable", "CancelOrderEnable", "PositionStopEnable"}) {
        setup.reorderMembers[member] = false;
    }
    return setup;
}

}  // namespace

DlgQuickMouse::DlgQuickMouse(QWidget* parent) : CDlgPresenterWindow(kTemplateId, StockSetup(), parent) {
    setWindowTitle(kTitle);
}

DlgQuickMouse::~DlgQuickMouse() {
    if (IsCreated()) {
        QuickMouseDefaultStock::Write(JsonWText(Stock(), Field::kContractCode));
    }
}

// ---- Controls ---------------------------------------------------------------------------------

void DlgQuickMouse::InitUI() {
    CreateControls();
    LayOutControls();
    ConnectControls();
    Win::ApplyLightDialogPalette(*this);
}

void DlgQuickMouse::CreateControls() {
    setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 9));
    setStyleSheet(QuickMouseStyleSheet(QStringLiteral("DlgQuickMouse")) + QString::fromUtf8(kStyle));

    m_codeCaption = Win::WithControlId(new QLabel(QStringLiteral("代码"), this), kCodeCaptionId);
    m_codeEdit = Win::WithControlId(new QLineEdit(this), kCodeId);
    m_codeEdit->setStyleSheet(
        QStringLiteral("QLineEdit { border: 1px solid #B9C1CC; padding: 1px 3px; }"
                       "QLineEdit:disabled { background: #F0F0F0; color: #6E6E6E; }"));
    m_codeEdit->setMaxLength(12);
    m_codeEdit->setPlaceholderText(QStringLiteral("输入代码"));
    m_nameLabel = Win::WithControlId(new QLabel(this), kNameId);
    m_nameLabel->setStyleSheet(QStringLiteral("font-weight: bold; color: #1A1A1A;"));
    m_accountBox = Win::WithControlId(new QComboBox(this), kAccountId);
    m_accountBox->setMinimumWidth(150);

    const struct {
        QToolButton*& button;
        int id;
        const char* image;
        const char* tip;
    } tools[] = {{m_settingsButton, kSettingsId, "交易登录界面设置按钮背景图", "设置"},
                 {m_closeButton, kCloseId, "交易关闭按钮背景图", "关闭"}};
    for (const auto& tool : tools) {
        tool.button = Win::WithControlId(new QToolButton(this), tool.id);
        tool.button->setIcon(QIcon(QuickMouseHost::TradeImage(QString::fromUtf8(tool.image))));
        tool.button->setIconSize(QSize(18, 18));
        tool.button->setFixedSize(22, 22);
        tool.button->setToolTip(QString::fromUtf8(tool.tip));
        tool.button->setFocusPolicy(Qt::NoFocus);
    }

    m_modeTab = Win::WithControlId(new QTabBar(this), kModeTabId);
    m_modeTab->addTab(QStringLiteral("点价"));
    m_modeTab->addTab(QStringLiteral("扫单"));
    m_modeTab->setTabToolTip(0, QStringLiteral("单击价格即按该价委托"));
    m_modeTab->setTabToolTip(1, QStringLiteral("只发出穿越或改善盘口的委托"));
    m_modeTab->setDrawBase(false);
    m_modeTab->setExpanding(true);

    m_upperLimitLabel = Win::WithControlId(new QLabel(this), kUpperLimitId);
    m_lowerLimitLabel = Win::WithControlId(new QLabel(this), kLowerLimitId);
    m_changeLabel = Win::WithControlId(new QLabel(this), kChangeId);

    const std::array<std::pair<const char*, const char*>, 2> radios{
        {{"普通买入", "融资买入"}, {"普通卖出", "融券卖出"}}};
    const std::array<std::pair<int, int>, 2> radioIds{
        {{kBuyOrdinaryId, kBuyMarginId}, {kSellOrdinaryId, kSellMarginId}}};
    for (int side : {kBuy, kSell}) {
        auto* group = new QButtonGroup(this);
        m_ordinaryRadio[side] = Win::WithControlId(
            new QRadioButton(QString::fromUtf8(radios[side].first), this), radioIds[side].first);
        m_marginRadio[side] = Win::WithControlId(
            new QRadioButton(QString::fromUtf8(radios[side].second), this), radioIds[side].second);
        group->addButton(m_ordinaryRadio[side]);
        group->addButton(m_marginRadio[side]);
    }

    const int quantityCaptionIds[] = {kBuyableCaptionId, kFinanceableCaptionId, kSellableCaptionId,
                                      kShortSellableCaptionId};
    const int quantityIds[] = {kBuyableId, kFinanceableId, kSellableId, kShortSellableId};
    for (int i = 0; i < 4; ++i) {
        Win::WithControlId(new QLabel(QString::fromUtf8(kQuantityNames[i]), this), quantityCaptionIds[i]);
        m_quantityLabels[i] = Win::WithControlId(new QLabel(QStringLiteral("0 股"), this), quantityIds[i]);
        m_quantityLabels[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_quantityLabels[i]->setStyleSheet(QStringLiteral("color: #1A1A1A;"));
    }

    const std::array<std::array<int, 4>, 2> percentIds{
        {{kBuyPercentId, kBuyPercentSpinId, kBuyPercentSignId, kBuyApplyId},
         {kSellPercentId, kSellPercentSpinId, kSellPercentSignId, kSellApplyId}}};
    const std::array<int, 2> volumeIds{kBuyVolumeId, kSellVolumeId};
    const std::array<int, 2> unitIds{kBuyVolumeUnitId, kSellVolumeUnitId};
    const std::array<int, 2> feedbackIds{kBuyFeedbackId, kSellFeedbackId};
    for (int side : {kBuy, kSell}) {
        m_percentEdit[side] = Win::WithControlId(new CPriceHSpinEdit(this), percentIds[side][1]);
        Win::WithControlId(&m_percentEdit[side]->Edit(), percentIds[side][0]);
        m_percentEdit[side]->SetFormat(QStringLiteral("%d"));
        m_percentEdit[side]->SetStep(10);
        m_percentEdit[side]->SetValue(100);
        Win::WithControlId(new QLabel(QStringLiteral("%"), this), percentIds[side][2]);
        m_applyButton[side] =
            Win::WithControlId(new QPushButton(QStringLiteral("应用"), this), percentIds[side][3]);
        const auto& ids = side == kBuy ? kBuyPercentIds : kSellPercentIds;
        for (size_t i = 0; i < kPercents.size(); ++i) {
            m_percentButtons[side][i] =
                Win::WithControlId(new QPushButton(QStringLiteral("%1%").arg(kPercents[i]), this), ids[i]);
            m_percentButtons[side][i]->setFocusPolicy(Qt::NoFocus);
        }
        m_volumeEdit[side] = Win::WithControlId(new CPriceHSpinEdit(this), volumeIds[side]);
        m_volumeEdit[side]->SetFormat(QStringLiteral("%d"));
        m_volumeEdit[side]->SetStep(100);
        // What is held may be sold to the last share; buys are cut to whole lots.
        m_volumeEdit[side]->SetWholeSteps(side == kBuy);
        Win::WithControlId(new QLabel(QStringLiteral("股"), this), unitIds[side]);
        m_feedback[side] = Win::WithControlId(new QLabel(this), feedbackIds[side]);
        m_feedback[side]->setFixedHeight(20);
        m_feedback[side]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        // Its room is kept while it is hidden, so the panel below never jumps.
        QSizePolicy keepRoom = m_feedback[side]->sizePolicy();
        keepRoom.setRetainSizeWhenHidden(true);
        m_feedback[side]->setSizePolicy(keepRoom);
        m_feedback[side]->setStyleSheet(
            QStringLiteral("color: %1; background: #FFFFFF; border: 1px solid #DADDE3; padding: 1px 3px;")
                .arg(side == kBuy ? QStringLiteral("#C81E1E") : QStringLiteral("#0E7C0E")));
        m_feedback[side]->hide();
    }

    const char* const captions[] = {"开仓均价:", "浮动盈亏:", "持    仓:", "可用资金:"};
    for (int i = 0; i < 4; ++i) {
        Win::WithControlId(new QLabel(QString::fromUtf8(captions[i]), this), kSummaryCaptionIds[i]);
        m_summaryValues[i] = Win::WithControlId(new QLabel(QStringLiteral("--"), this), kSummaryValueIds[i]);
        m_summaryValues[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_summaryValues[i]->setStyleSheet(QStringLiteral("color: #1A1A1A; font-weight: bold;"));
    }

    m_centreBox = Win::WithControlId(new QCheckBox(QStringLiteral("最新价居中"), this), kCentreId);
    m_resetButton = Win::WithControlId(new QPushButton(QStringLiteral("复位"), this), kResetId);
    m_resetButton->setToolTip(QStringLiteral("最新价居中，买卖恢复为普通委托"));
    m_refreshButton = Win::WithControlId(new QPushButton(QStringLiteral("刷新"), this), kRefreshId);

    m_lock = new CodeLock(*this);
    m_ladder = Win::WithControlId(new CFastMouseOrderList2(this), kLadderId);
    m_ladder->setFont(font());
    m_ladder->SetColumn();
    m_ladder->viewport()->installEventFilter(this);
    m_ladder->SetPaintObserver([this] { OnLadderPainted(); });

    m_trades = new StockTradeList(this);
    m_tradeView = new QTableView(this);
    m_tradeView->setObjectName(QStringLiteral("OWERLISTVIEW"));
    m_tradeView->setModel(m_trades);
    m_tradeView->verticalHeader()->hide();
    m_tradeView->verticalHeader()->setDefaultSectionSize(18);
    // The time and the side keep the room their texts need; price and volume share the rest.
    QHeaderView* tradeHeader = m_tradeView->horizontalHeader();
    tradeHeader->setSectionResizeMode(QHeaderView::Stretch);
    const QFontMetrics metrics(m_tradeView->font());
    for (const auto& [column, widest] : {std::pair{0, "00:00:00"}, std::pair{3, "方向"}}) {
        tradeHeader->setSectionResizeMode(column, QHeaderView::Fixed);
        tradeHeader->resizeSection(column, metrics.horizontalAdvance(QString::fromUtf8(widest)) + 12);
    }
    tradeHeader->setHighlightSections(false);
    m_tradeView->setSelectionMode(QAbstractItemView::NoSelection);
    m_tradeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tradeView->setFocusPolicy(Qt::NoFocus);
    m_tradeView->setShowGrid(false);
}

void DlgQuickMouse::LayOutControls() {
    // Every control is a direct child of the dialog: the ladder and the edits report to their
    // parent window.
    auto row = [](std::initializer_list<QWidget*> controls, QWidget* stretched = nullptr) {
        auto* layout = new QHBoxLayout;
        layout->setSpacing(4);
        for (QWidget* control : controls) {
            layout->addWidget(control, control == stretched ? 1 : 0);
        }
        return layout;
    };
    const auto control = [this](int id) { return Win::FindControl(this, id); };

    auto* top =
        row({m_codeCaption, m_codeEdit, m_nameLabel, m_lock->LockedButton(), m_lock->UnlockedButton()});
    m_codeEdit->setFixedWidth(76);
    top->addStretch(1);
    top->addWidget(new QLabel(QStringLiteral("账户"), this));
    top->addWidget(m_accountBox);
    top->addWidget(m_settingsButton);
    top->addWidget(m_closeButton);

    auto* side = new QVBoxLayout;
    side->setSpacing(4);
    side->addWidget(m_modeTab);
    auto* limits = new QGridLayout;
    limits->setHorizontalSpacing(6);
    limits->addWidget(m_upperLimitLabel, 0, 0);
    limits->addWidget(m_lowerLimitLabel, 0, 1);
    limits->addWidget(m_changeLabel, 1, 0, 1, 2);
    side->addLayout(limits);

    const std::array<std::array<int, 2>, 2> quantityRows{
        {{kBuyableCaptionId, kFinanceableCaptionId}, {kSellableCaptionId, kShortSellableCaptionId}}};
    const std::array<int, 2> signIds{kBuyPercentSignId, kSellPercentSignId};
    const std::array<int, 2> unitIds{kBuyVolumeUnitId, kSellVolumeUnitId};
    for (int s : {kBuy, kSell}) {
        side->addSpacing(4);
        side->addWidget(SideTitle(s == kBuy ? QStringLiteral("买入") : QStringLiteral("卖出"),
                                  s == kBuy ? "#C83C3C" : "#2E8B3E", this));
        side->addLayout(row({m_ordinaryRadio[s], m_marginRadio[s]}));
        auto* quantities = new QHBoxLayout;
        quantities->setSpacing(4);
        for (int i = 0; i < 2; ++i) {
            quantities->addSpacing(i * 10);
            quantities->addWidget(control(quantityRows[s][i]));
            quantities->addWidget(m_quantityLabels[s * 2 + i], 1);
        }
        side->addLayout(quantities);
        side->addLayout(row({m_percentEdit[s], control(signIds[s]), m_applyButton[s]}, m_percentEdit[s]));
        auto* buttons = new QHBoxLayout;
        buttons->setSpacing(3);
        for (QPushButton* button : m_percentButtons[s]) {
            buttons->addWidget(button);
        }
        side->addLayout(buttons);
        side->addLayout(row({new QLabel(s == kBuy ? QStringLiteral("买量") : QStringLiteral("卖量"), this),
                             m_volumeEdit[s], control(unitIds[s])},
                            m_volumeEdit[s]));
        side->addWidget(m_feedback[s]);
    }

    side->addSpacing(4);
    side->addWidget(SideTitle(QStringLiteral("持仓"), "#5B6B82", this));
    auto* summary = new QGridLayout;
    summary->setVerticalSpacing(2);
    for (int i = 0; i < 4; ++i) {
        summary->addWidget(control(kSummaryCaptionIds[i]), i, 0);
        summary->addWidget(m_summaryValues[i], i, 1);
    }
    summary->setColumnStretch(1, 1);
    side->addLayout(summary);
    side->addWidget(m_centreBox);
    side->addLayout(row({m_resetButton, m_refreshButton}));
    side->addStretch(1);

    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child != m_ladder && child != m_tradeView && child != m_accountBox && child != m_codeEdit) {
            child->setMaximumWidth(kPanelWidth);
        }
    }

    auto* trades = new QVBoxLayout;
    trades->setSpacing(2);
    auto* tradesTitle = new QLabel(QStringLiteral("逐笔成交"), this);
    tradesTitle->setStyleSheet(QStringLiteral("font-weight: bold; color: #505050;"));
    trades->addWidget(tradesTitle);
    trades->addWidget(m_tradeView, 1);
    m_tradeView->setFixedWidth(kTradeListWidth);

    auto* body = new QHBoxLayout;
    body->setSpacing(6);
    body->addLayout(side);
    body->addWidget(m_ladder, 1);
    body->addLayout(trades);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    layout->addLayout(top);
    layout->addLayout(body, 1);
    resize(kPanelWidth + m_ladder->minimumWidth() + kTradeListWidth + 36, 700);
}

void DlgQuickMouse::ConnectControls() {
    connect(m_codeEdit, &QLineEdit::returnPressed, this, [this] { ChooseTypedCode(true); });
    connect(m_codeEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        // A whole code chooses at once, as the trader would expect from the terminal's boxes.
        if (text.trimmed().size() == 6) {
            ChooseTypedCode(true);
        }
    });
    connect(m_accountBox, &QComboBox::activated, this, &DlgQuickMouse::ChooseAccount);
    connect(m_lock, &CodeLock::lockChanged, this, &DlgQuickMouse::SetLocked);
    connect(m_settingsButton, &QToolButton::clicked, this, [this] {
        QMenu menu(this);
        const QString code = JsonWText(Stock(), Field::kContractCode);
        QAction* remember = menu.addAction(QStringLiteral("设为默认合约 %1").arg(code));
        remember->setEnabled(!code.isEmpty());
        connect(remember, &QAction::triggered, this, [code] { QuickMouseDefaultStock::Write(code); });
        menu.exec(m_settingsButton->mapToGlobal(QPoint(0, m_settingsButton->height())));
    });
    connect(m_closeButton, &QToolButton::clicked, this, [this] {
        if (QWidget* frame = parentWidget(); frame && frame->isWindow()) {
            frame->close();
        }
    });
    connect(m_modeTab, &QTabBar::currentChanged, this, [this](int index) {
        m_sweep = index == 1;
        m_ladder->SetSweepOrderTypeParam(m_sweep);
    });
    for (int side : {kBuy, kSell}) {
        const Side s = static_cast<Side>(side);
        connect(m_ordinaryRadio[side], &QRadioButton::clicked, this, [this, s] { SetMarginSwitch(s, 0); });
        connect(m_marginRadio[side], &QRadioButton::clicked, this, [this, s] { SetMarginSwitch(s, 1); });
        connect(m_applyButton[side], &QPushButton::clicked, this,
                [this, s] { ApplyPercent(s, static_cast<int>(m_percentEdit[s]->Value())); });
        for (size_t i = 0; i < kPercents.size(); ++i) {
            const int percent = kPercents[i];
            connect(m_percentButtons[side][i], &QPushButton::clicked, this,
                    [this, s, percent] { ApplyPercent(s, percent); });
        }
    }
    connect(m_centreBox, &QCheckBox::toggled, this,
            [this](bool checked) { m_ladder->SetNowPriceHCentreParam(checked); });
    connect(m_resetButton, &QPushButton::clicked, this, &DlgQuickMouse::ResetWindow);
    connect(m_refreshButton, &QPushButton::clicked, this, [this] {
        RefreshOrders();
        RefreshAccountFigures();
        ShowLimits();
        RefreshTrades();
    });
}

bool DlgQuickMouse::eventFilter(QObject* watched, QEvent* event) {
    // The first time the ladder has a size, the last price goes to the middle of it.
    if (watched == m_ladder->viewport() && event->type() == QEvent::Show) {
        m_ladder->SetNewPriceHCentre();
    }
    return CKrDlgOperate::eventFilter(watched, event);
}

// ---- Accounts and stocks ------------------------------------------------------------------------

void DlgQuickMouse::InitWindow() {
    LoadAccounts();
    SetMarginSwitch(kBuy, 0);
    SetMarginSwitch(kSell, 0);
    SetLocked(false);
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    SetTradeLocked(engine && JsonBool(engine->GetProperty(QStringLiteral("Lock")), false));
    m_codeEdit->setText(QuickMouseDefaultStock::Read());
    ChooseTypedCode(false);
    SubscribeMsg();
}

// The securities and credit accounts that are logged in; the one chosen stays chosen, else the
// terminal's current account when it is one of them, else the first.
void DlgQuickMouse::LoadAccounts() {
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    const Json::Value accounts = engine ? engine->GetLoggedInAccounts() : Json::Value();
    const QString current = engine ? JsonWText(engine->GetCurrentAccount(), "EAccountID") : QString();
    const QString previous = AccountId();
    m_accountBox->clear();
    int chosen = -1;
    int currentIndex = -1;
    for (const Json::Value& account : accounts) {
        const int64_t category = JsonInt(account, "Category", -1);
        if (category != 0 && category != 5) {
            continue;
        }
        const QString id = JsonWText(account, "EAccountID");
        const QString identity = JsonWText(account, "Identity");
        m_accountBox->addItem(QStringLiteral("%1 %2").arg(JsonWText(account, Field::kAccountText), identity),
                              QStringList{id, identity});
        const int index = m_accountBox->count() - 1;
        chosen = id == previous ? index : chosen;
        currentIndex = id == current ? index : currentIndex;
    }
    ChooseAccount(chosen >= 0 ? chosen : std::max(currentIndex, 0));
}

void DlgQuickMouse::ChooseAccount(int index) {
    const QStringList account = m_accountBox->itemData(index).toStringList();
    const bool known = account.size() == 2;
    m_accountBox->setCurrentIndex(known ? index : -1);
    Presenter().ChooseAccount(known ? account[0] : QString());
    m_credit = known && account[1] == kCreditIdentity;
    for (Side side : {kBuy, kSell}) {
        m_marginRadio[side]->setEnabled(m_credit);
        if (!m_credit) {
            SetMarginSwitch(side, 0);
        }
    }
    RefreshOrders();
    RefreshAccountFigures();
}

Json::Value DlgQuickMouse::AccountQuery() const {
    Json::Value query(Json::objectValue);
    query["EAccountID"] = AccountId().toStdString();
    return query;
}

void DlgQuickMouse::ChooseTypedCode(bool announce) {
    if (!SetContractOfCode(m_codeEdit->text().trimmed(), announce)) {
        // Not a stock of the account: the code shown goes back to the stock traded.
        m_codeEdit->setText(JsonWText(Stock(), Field::kContractCode));
    }
}

void DlgQuickMouse::ChangeStock(const Json::Value& request) {
    FollowLinkage(Member(request, "ActivityParam"));
}

void DlgQuickMouse::FollowLinkage(const Json::Value& payload) {
    if (!m_lock->IsLocked()) {
        CDlgPresenterWindow::FollowLinkage(payload);
    }
}

bool DlgQuickMouse::IsStockLocked() const {
    return m_lock->IsLocked();
}

void DlgQuickMouse::SetLocked(bool locked) {
    m_lock->SetLocked(locked);
    m_codeEdit->setEnabled(!locked);
}

void DlgQuickMouse::SetTradeLocked(bool locked) {
    // A locked terminal takes no orders: the ladder ignores the mouse until it is unlocked.
    m_ladder->setEnabled(!locked);
    m_ladder->setToolTip(locked ? QStringLiteral("交易已锁定") : QString());
}

// ---- Sides ----------------------------------------------------------------------------------------

void DlgQuickMouse::SetMarginSwitch(Side side, int margin) {
    margin = m_credit && margin == 1 ? 1 : 0;
    m_margin[side] = margin;
    m_ordinaryRadio[side]->setChecked(margin == 0);
    m_marginRadio[side]->setChecked(margin == 1);
    for (QRadioButton* radio : {m_ordinaryRadio[side], m_marginRadio[side]}) {
        QFont bold = radio->font();
        bold.setBold(radio->isChecked());
        radio->setFont(bold);
    }
    if (side == kBuy) {
        m_ladder->ModifyColumn(CFastMouseOrderList2::kBuyColumn,
                               margin ? QStringLiteral("融买") : QStringLiteral("普买"));
    } else {
        m_ladder->ModifyColumn(CFastMouseOrderList2::kSellColumn,
                               margin ? QStringLiteral("融卖") : QStringLiteral("普卖"));
    }
}

void DlgQuickMouse::ResetWindow() {
    SetMarginSwitch(kBuy, 0);
    SetMarginSwitch(kSell, 0);
    m_ladder->SetNewPriceHCentre();
}

void DlgQuickMouse::ApplyPercent(Side side, int percent) {
    const int64_t lot = StockOrderVolume::LotOf(Stock());
    const int64_t volume =
        side == kBuy
            ? StockOrderVolume::BuyShare(m_quantities[m_margin[kBuy] ? kFinanceable : kBuyable], percent, lot)
            : StockOrderVolume::SellShare(m_quantities[m_margin[kSell] ? kShortSellable : kSellable], percent,
                                          lot);
    m_volumeEdit[side]->SetValue(static_cast<double>(volume));
}

int64_t DlgQuickMouse::VolumeOf(Side side) const {
    bool ok = false;
    const int64_t volume = m_volumeEdit[side]->Edit().text().trimmed().toLongLong(&ok);
    return ok ? volume : 0;
}

void DlgQuickMouse::OnVolumeChanged() {
    // The edits report their first text while they are being made.
    if (m_volumeEdit[kSell]) {
        m_ladder->SetOrderVolParam(0, VolumeOf(kBuy), VolumeOf(kSell));
    }
}

QChar DlgQuickMouse::DirectionOf(Side side) const {
    if (side == kBuy) {
        return m_margin[kBuy] ? Codes::Direction::kMarginBuy : Codes::Direction::kBuy;
    }
    return m_margin[kSell] ? Codes::Direction::kShortSell : Codes::Direction::kSell;
}

// ---- The ladder's requests ------------------------------------------------------------------------

void DlgQuickMouse::OnLadderRequest(Win::WPARAM request, const Json::Value& payload) {
    const Side side = JsonText(payload, Field::kDirection) == "1" ? kSell : kBuy;
    switch (request) {
        case CFastMouseOrderList2::kPlaceOrder:
            PlaceAt(side, JsonDouble(payload, "PriceNow", 0));
            break;
        case CFastMouseOrderList2::kCancelAtPrice:
            CancelOrders(side, JsonDouble(payload, "Price", JsonDouble(payload, "PriceOld", 0)));
            break;
        case CFastMouseOrderList2::kCancelSide:
            CancelOrders(side, std::nullopt);
            break;
        case CFastMouseOrderList2::kMoveOrders:
            MoveOrders(side, JsonDouble(payload, "PriceOld", 0), JsonDouble(payload, "PriceNow", 0));
            break;
        default:
            break;
    }
}

bool DlgQuickMouse::IsWithinLimits(double price) const {
    const double upper = DayLimit("涨停价", "UpperLimit");
    const double lower = DayLimit("跌停价", "LowerLimit");
    const double slack = m_tick / 2;
    return price > 0 && (upper <= 0 || price <= upper + slack) && price >= lower - slack;
}

// The day's limit as the advanced data service reports it now; the stock's record when the
// service has none.
double DlgQuickMouse::DayLimit(const char* name, const char* recordKey) const {
    Handle<I::AdvanceDataSvcI> figures = GetService<I::AdvanceDataSvcI>();
    const double value =
        figures ? JsonDouble(figures->GetValue(ContractRecords::Query(Stock()), QString::fromUtf8(name)), 0.0)
                : 0.0;
    return value > 0 ? value : JsonDouble(Stock(), recordKey, 0);
}

void DlgQuickMouse::PlaceAt(Side side, double price) {
    if (m_sweep &&
        !SweepRule::Passes(side == kBuy, price,
                           SweepRule::Reference(side == kBuy, m_bestBid, m_bestAsk, m_lastPrice), m_tick)) {
        ShowFeedback(side, side == kBuy ? QStringLiteral("扫单：买价须高于买一价，未下单")
                                        : QStringLiteral("扫单：卖价须低于卖一价，未下单"));
        return;
    }
    if (!IsWithinLimits(price)) {
        Prompter().Tell(QStringLiteral("委托价格超出涨跌停价格范围"));
        return;
    }
    // The exchange takes buys in whole lots only; refusing here spares the trader a rejected
    // order. What is held may be sold to the last share.
    const int64_t lot = StockOrderVolume::LotOf(Stock());
    const int64_t volume = VolumeOf(side);
    if (side == kBuy && volume > 0 && volume % lot != 0) {
        Prompter().Tell(QStringLiteral("买入数量必须是%1股的整数倍").arg(lot));
        return;
    }
    LadderWindowPresenter::OrderChoices& choices = Presenter().Choices();
    choices.volumeText = m_volumeEdit[side]->Edit().text().trimmed();
    choices.offset = side == kBuy ? Codes::Offset::kOpen : Codes::Offset::kClose;
    Presenter().PlaceOrder(PriceText(price, m_decimals), DirectionOf(side));
}

std::vector<QString> DlgQuickMouse::WorkingOrderIds(Side side, std::optional<double> price) const {
    std::vector<QString> ids;
    for (const LadderWindowPresenter::WorkingOrder& order : Presenter().WorkingOrders()) {
        const bool buy = Codes::IsBuyDirection(order.direction);
        if (buy == (side == kBuy) && (!price || std::abs(order.price - *price) < m_tick / 2)) {
            ids.push_back(order.id);
        }
    }
    return ids;
}

void DlgQuickMouse::CancelOrders(Side side, std::optional<double> price) {
    for (const QString& id : WorkingOrderIds(side, price)) {
        Presenter().CancelOrder(id);
    }
}

void DlgQuickMouse::MoveOrders(Side side, double from, double to) {
    const std::vector<QString> ids = WorkingOrderIds(side, from);
    if (ids.empty()) {
        return;
    }
    const QString question = QStringLiteral("您是否确认撤销价格为%1的委托,撤单后以价格为%2重新委托？")
                                 .arg(PriceText(from, m_decimals), PriceText(to, m_decimals));
    if (KRUI_MsgBox(this, question, QStringLiteral("提示"),
                    Win::MB_YESNO | Win::MB_ICONQUESTION | Win::MB_TOPMOST) != Win::IDYES) {
        return;
    }
    if (!IsWithinLimits(to)) {
        Prompter().Tell(QStringLiteral("委托价格超出涨跌停价格范围"));
        return;
    }
    Presenter().MoveOrders(ids, PriceText(to, m_decimals));
}

// ---- What the window shows --------------------------------------------------------------------

void DlgQuickMouse::ShowContract(const Json::Value& contract, const HeldQuote& held) {
    m_codeEdit->setText(JsonWText(contract, Field::kContractCode));
    m_nameLabel->setText(JsonWText(contract, Field::kContractName));
    m_decimals = static_cast<int>(JsonInt(contract, "PriceDecimals", 2));
    m_tick = JsonDouble(contract, Field::kTickSize, 0.01);
    for (CPriceHSpinEdit* edit : m_volumeEdit) {
        edit->SetStep(static_cast<double>(StockOrderVolume::LotOf(contract)));
    }
    m_referencePrice = JsonDouble(contract, "ReferencePrice", 0);
    m_ladder->SetPriceRange(JsonDouble(contract, "LowerLimit", 0), JsonDouble(contract, "UpperLimit", 0),
                            m_tick, m_decimals, m_referencePrice);
    m_lastPrice = m_bestBid = m_bestAsk = 0;
    if (held.known) {
        ShowSnapshot(held.snapshot, held.divisor, held.snapshot.last);
    }
    ShowLimits();
    RefreshOrders();
    RefreshAccountFigures();
    RefreshTrades();
    m_ladder->SetNewPriceHCentre();
}

void DlgQuickMouse::Announce(const I::QuoteKey& contract) {
    Linkage::AnnounceStockChanged(contract, kWindowType, {QStringLiteral("true"), QStringLiteral("0")});
}

void DlgQuickMouse::ShowPush(const I::QuotePushRecord& record) {
    const double volumeBefore = m_tradedVolume;
    ShowSnapshot(record.snapshot, record.priceDivisor,
                 record.hasExtData ? record.ext.now : record.snapshot.last);
    if (m_tradedVolume != volumeBefore) {
        RefreshTrades();
    }
}

void DlgQuickMouse::ShowSnapshot(const I::QuoteSnapshot& snapshot, int32_t divisor, int64_t last) {
    if (divisor < 1) {
        return;
    }
    const double unit = divisor;
    FastMouseLadderModel::Depth depth;
    for (int i = 0; i < FastMouseLadderModel::kLevels; ++i) {
        const auto& level = snapshot.book[i];
        depth.bids[i] = {level.bid.price / unit, static_cast<int64_t>(level.bid.volume)};
        depth.asks[i] = {level.ask.price / unit, static_cast<int64_t>(level.ask.volume)};
    }
    m_bestBid = depth.bids[0].volume > 0 ? depth.bids[0].price : 0;
    m_bestAsk = depth.asks[0].volume > 0 ? depth.asks[0].price : 0;
    m_lastPrice = static_cast<double>(last) / unit;
    m_tradedVolume = snapshot.volume;
    if (snapshot.referencePrice > 0) {
        m_referencePrice = snapshot.referencePrice / unit;
    }
    m_ladder->SetDepth(depth);
    if (m_lastPrice > 0) {
        m_ladder->SetLastPrice(m_lastPrice);
    }
    ShowChange();
    ShowPositionSummary();
}

void DlgQuickMouse::ShowChange() {
    const double now = m_lastPrice > 0 ? m_lastPrice : m_referencePrice;
    const double change = m_referencePrice > 0 ? (now - m_referencePrice) / m_referencePrice * 100 : 0;
    const QString text = QStringLiteral("幅度：%1%2%")
                             .arg(change > 0 ? QStringLiteral("+") : QString())
                             .arg(change, 0, 'f', 2);
    if (text != m_changeText) {
        m_changeText = text;
        m_changeLabel->setText(
            change == 0 ? text
                        : QStringLiteral("<span style='color:%1'>%2</span>")
                              .arg(change > 0 ? QStringLiteral("#D21A1A") : QStringLiteral("#138A13"), text));
    }
}

void DlgQuickMouse::ShowLimits() {
    const QByteArray format = QStringLiteral("%.%1lf").arg(m_decimals).toLatin1();
    const auto text = [&](double price) {
        return price > 0 ? QString::asprintf(format.constData(), price) : QStringLiteral("--");
    };
    m_upperLimitLabel->setText(QStringLiteral("涨停：<span style='color:#D21A1A'>%1</span>")
                                   .arg(text(DayLimit("涨停价", "UpperLimit"))));
    m_lowerLimitLabel->setText(QStringLiteral("跌停：<span style='color:#138A13'>%1</span>")
                                   .arg(text(DayLimit("跌停价", "LowerLimit"))));
}

void DlgQuickMouse::RefreshAccountFigures() {
    Handle<I::AdvanceDataSvcI> figures = GetService<I::AdvanceDataSvcI>();
    Json::Value query = ContractRecords::Query(Stock());
    query["EAccountID"] = AccountId().toStdString();
    const bool traded = Presenter().Account() && Stock().isObject();
    for (int i = 0; i < 4; ++i) {
        const bool margin = i == kFinanceable || i == kShortSellable;
        const Json::Value value = figures && traded && (!margin || m_credit)
                                      ? figures->GetValue(query, QString::fromUtf8(kQuantityNames[i]))
                                      : Json::Value();
        m_quantities[i] = std::max<int64_t>(0, JsonInt(value, int64_t{0}));
        m_quantityLabels[i]->setText(QStringLiteral("%1 股").arg(m_quantities[i]));
    }
    Presenter().RefreshPositions();
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    // The engine answers the account's money records, one per currency; the first is the one traded in.
    const Json::Value answer = engine && traded ? engine->GetMoney(AccountQuery()) : Json::Value();
    const Json::Value& money = answer.isArray() && !answer.empty() ? answer[0] : answer;
    m_summaryValues[3]->setText(
        money.isObject() ? QStringLiteral("%1 元").arg(JsonDouble(money, Field::kAvailable, 0), 0, 'f', 2)
                         : QStringLiteral("--"));
    ShowPositionSummary();
}

void DlgQuickMouse::RefreshOrders() {
    std::vector<FastMouseLadderModel::Order> orders;
    for (const LadderWindowPresenter::WorkingOrder& order : Presenter().WorkingOrders()) {
        orders.push_back({order.price,
                          Codes::IsBuyDirection(order.direction) ? FastMouseLadderModel::kBuySide
                                                                 : FastMouseLadderModel::kSellSide,
                          order.volume});
    }
    m_ladder->SetOrders(orders);
}

void DlgQuickMouse::ShowPositionSummary() {
    const double now = m_lastPrice > 0 ? m_lastPrice : m_referencePrice;
    const PositionTotals totals = SumPositions(Presenter().Positions(), now, 1.0);
    // Shares held first; a short sale on credit shows as a negative holding.
    const bool isShort = totals.longSide.firstTotal == 0 && totals.shortSide.firstTotal > 0;
    const PositionSideTotals& held = isShort ? totals.shortSide : totals.longSide;
    const std::array<QString, 3> texts =
        held.firstTotal == 0
            ? std::array<QString, 3>{QStringLiteral("--"), QStringLiteral("--"), QStringLiteral("--")}
            : std::array<QString, 3>{
                  PriceText(held.AveragePrice(), m_decimals + 1),
                  QStringLiteral("<span style='color:%1'>%2</span>")
                      .arg(held.profit >= 0 ? QStringLiteral("#D21A1A") : QStringLiteral("#138A13"))
                      .arg(held.profit, 0, 'f', 2),
                  QStringLiteral("%1%2 股")
                      .arg(isShort ? QStringLiteral("-") : QString())
                      .arg(held.firstTotal)};
    // Quotes come many times a second; a label is set only when its text changed.
    for (int i = 0; i < 3; ++i) {
        if (m_summaryValues[i]->text() != texts[i]) {
            m_summaryValues[i]->setText(texts[i]);
        }
    }
}

void DlgQuickMouse::RefreshTrades() {
    Handle<I::AdvanceDataSvcI> figures = GetService<I::AdvanceDataSvcI>();
    m_trades->SetTrades(figures && Stock().isObject()
                            ? figures->GetValue(ContractRecords::Query(Stock()), QStringLiteral("成交明细"))
                            : Json::Value(),
                        m_decimals);
}

void DlgQuickMouse::ShowOrderAnswers(const Json::Value& payload) {
    ShowOrderFeedback(payload);
    RefreshOrders();
    RefreshAccountFigures();
}

// What the host answered about the window's orders: the latest answer of each side, for four
// seconds.
void DlgQuickMouse::ShowOrderFeedback(const Json::Value& payload) {
    const Json::Value& records = Member(payload, "RawContent");
    if (!records.isArray()) {
        return;
    }
    for (const Json::Value& record : records) {
        if (!ContractRecords::Same(record, Stock())) {
            continue;
        }
        const QChar direction = Codes::CodeOf(JsonWText(record, Field::kDirection));
        QString text = QStringLiteral("%1 %2 %3股 %4")
                           .arg(Codes::DirectionText(direction), JsonWText(record, Field::kOrderPrice),
                                JsonWText(record, Field::kOrderVolume), JsonWText(record, "StatusText"));
        const QString error = JsonWText(record, "ErrorMsg");
        if (!error.isEmpty()) {
            text += QStringLiteral("：") + error;
        }
        ShowFeedback(Codes::IsBuyDirection(direction) ? kBuy : kSell, text.trimmed());
    }
}

// A smart order of this window that the engine gave up ("State" 4) with an error of its own
// ("ResultCode" 1000 or more) is told to the trader.
void DlgQuickMouse::ShowSmartOrderState(const Json::Value& payload) {
    const SmartOrderTracker::Report report = Presenter().Sender().Tracker().Follow(payload);
    if (report.ours && report.state == 4 && JsonInt(payload, "ResultCode", 0) >= 1000) {
        Prompter().Tell(JsonWText(payload, "ResultMsg"));
    }
}

void DlgQuickMouse::ShowFeedback(Side side, const QString& text) {
    QLabel& label = *m_feedback[side];
    label.setText(label.fontMetrics().elidedText(text, Qt::ElideRight, label.contentsRect().width() - 2));
    label.setToolTip(text);
    label.show();
    // A running timer starts again: the label stays four seconds after the latest answer.
    SetTimer(side == kBuy ? kBuyFeedbackTimer : kSellFeedbackTimer, kFeedbackMs);
}

void DlgQuickMouse::OnTimer(int id) {
    if (id != kBuyFeedbackTimer && id != kSellFeedbackTimer) {
        return;
    }
    KillTimer(id);
    m_feedback[id == kBuyFeedbackTimer ? kBuy : kSell]->hide();
}

// ---- Messages -----------------------------------------------------------------------------------

void DlgQuickMouse::SubscribeMsg() {
    SubscribeTopics({Topic::kAccountChange, Topic::kStockChanged, Topic::kAccountLogin, Topic::kLockTrade,
                     Topic::kListClick, Topic::kListDblClick, Topic::kSTEPRequestCallBack,
                     Topic::kSmartOrderChangeState, Topic::kReorderNotifyInfo});
}

void DlgQuickMouse::OnKoraMsg(const QString& topic, const Json::Value& payload) {
    if (topic == Topic::kSmartOrderChangeState) {
        ShowSmartOrderState(payload);
    } else if (topic == Topic::kAccountChange || topic == Topic::kAccountLogin) {
        LoadAccounts();
    } else if (topic == Topic::kLockTrade) {
        SetTradeLocked(JsonBool(payload, "Lock", false));
    } else {
        CDlgPresenterWindow::OnKoraMsg(topic, payload);
    }
}

Win::LRESULT DlgQuickMouse::OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) {
    switch (message) {
        case CFastMouseOrderList2::kRequestMessage:
            if (const Json::Value* payload = Win::PayloadValue<Json::Value>(static_cast<uintptr_t>(lParam))) {
                OnLadderRequest(wParam, *payload);
            }
            return 1;
        case QuickMouseMsg::kSpinEditChanged:
            OnVolumeChanged();
            return 1;
        default:
            return CDlgPresenterWindow::OnMessage(message, wParam, lParam);
    }
}
