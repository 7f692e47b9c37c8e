#include "shortcut/CDlgShortcutTrade.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <utility>

#include "kernel/HostAccess.h"
#include "kora/interface/BaseQuoteDataSvcI.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/KRTConfigI.h"
#include "kora/interface/KRTContractI.h"
#include "kora/interface/KRTEngineI.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "option/valuation/OptionChainNavigator.h"
#include "platform/ColorRef.h"
#include "platform/ControlId.h"
#include "shortcut/ShortcutKeyTable.h"
#include "trading/ContractRecords.h"
#include "trading/Linkage.h"

using Kora::Kernel::GetService;
using Kora::Utility::Handle;
using Kora::Utility::JsonInt;
using Kora::Utility::JsonWText;
using Kora::Utility::Member;
namespace I = Kora::Interface;
namespace Topic = Kora::Interface::Topic;

namespace {

const QString kError = QStringLiteral("错误");
const QString kNormal = QStringLiteral("常规");

QColor ConfigColor(I::KRTConfigI* config, const char* name, uint32_t fallback) {
    return Win::FromColorRef(config ? config->GetColor(QString::fromUtf8(name)) : fallback);
}

}  // namespace

CDlgShortcutTrade::CDlgShortcutTrade(QWidget* parent)
    : CKrDlgOperate(kTemplateId, parent), m_prompter(this), m_trader(m_prompter) {
    setWindowTitle(QStringLiteral("键盘下单"));
}

CDlgShortcutTrade::~CDlgShortcutTrade() {
    Detach();
}

void CDlgShortcutTrade::InitUI() {
    Handle<I::KRTConfigI> config = GetService<I::KRTConfigI>();
    m_border = ConfigColor(config.Get(), "快捷键下单板边框色", 0x808080);
    m_background = ConfigColor(config.Get(), "快捷键下单板背景色", 0x302820);
    QColor text = ConfigColor(config.Get(), "快捷键下单板文字色", 0xE0E0E0);
    QColor nameColor = ConfigColor(config.Get(), "快捷键下单板名称色", 0x00C8FF);
    QFont defaultFont = config ? config->GetFont(QStringLiteral("快捷键下单板缺省字体")) : font();
    QFont nameFont = config ? config->GetFont(QStringLiteral("快捷键下单板名称字体")) : font();
    QFont quantityFont = config ? config->GetFont(QStringLiteral("快捷键下单板数量字体")) : font();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 4, 10, 4);
    layout->setSpacing(6);
    m_name = new QLabel(QStringLiteral("--"), this);
    Win::SetControlId(m_name, kNameId);
    m_name->setFont(nameFont);
    m_name->setMinimumWidth(110);
    auto* quantityLabel = new QLabel(QStringLiteral("数量"), this);
    m_quantity = new QLineEdit(QStringLiteral("1"), this);
    Win::SetControlId(m_quantity, kQuantityId);
    auto* times = new QLabel(QStringLiteral("X"), this);
    m_multiplier = new QLineEdit(QStringLiteral("1"), this);
    Win::SetControlId(m_multiplier, kMultiplierId);
    for (QLineEdit* edit : {m_quantity, m_multiplier}) {
        edit->setFont(quantityFont);
        edit->setFixedWidth(56);
        edit->setAlignment(Qt::AlignCenter);
    }
    for (QLabel* label : {quantityLabel, times}) {
        label->setFont(defaultFont);
    }
    layout->addWidget(m_name);
    layout->addWidget(quantityLabel);
    layout->addWidget(m_quantity);
    layout->addWidget(times);
    layout->addWidget(m_multiplier);
    // A wide dock leaves the strip's room to its right, so the fields stay beside their labels.
    layout->addStretch(1);
    // Each control gets its own colours: a sheet on the strip would also restyle the boxes it
    // owns (an order confirmation), whose background is the terminal's, not the strip's.
    for (QLabel* label : {quantityLabel, times}) {
        label->setStyleSheet(QStringLiteral("color: %1;").arg(text.name()));
    }
    m_name->setStyleSheet(QStringLiteral("color: %1;").arg(nameColor.name()));
    for (QLineEdit* edit : {m_quantity, m_multiplier}) {
        edit->setStyleSheet(QStringLiteral("color: %1; background: %2; border: 1px solid %3;")
                                .arg(text.name(), m_background.lighter(140).name(), m_border.name()));
    }
    resize(320, 34);
}

void CDlgShortcutTrade::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    painter.setPen(m_border);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CDlgShortcutTrade::FloatAbove(QWidget* mainWindow) {
    if (!mainWindow) {
        return;
    }
    setParent(mainWindow, Qt::Tool | Qt::FramelessWindowHint);
    // Top right of the main window's client area, below its menu bar.
    const QMenuBar* menu = mainWindow->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
    const int top = menu && menu->isVisibleTo(mainWindow) ? menu->geometry().bottom() + 1 : 0;
    const QPoint corner = mainWindow->mapToGlobal(QPoint(mainWindow->width(), top));
    move(std::max(mainWindow->mapToGlobal(QPoint(0, 0)).x(), corner.x() - width() - 12), corner.y() + 8);
}

void CDlgShortcutTrade::mousePressEvent(QMouseEvent* event) {
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    CKrDlgOperate::mousePressEvent(event);
}

void CDlgShortcutTrade::mouseMoveEvent(QMouseEvent* event) {
    // Floating without a frame, the strip is moved by dragging its background.
    if (isWindow() && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - m_dragOffset);
    }
    CKrDlgOperate::mouseMoveEvent(event);
}

void CDlgShortcutTrade::InitWindow() {
    LoadSettings();
    LoadAccount();
    // Start on the first contract the account trades, so the strip is usable before any
    // linkage arrives.
    Handle<I::KRTContractI> contracts = GetService<I::KRTContractI>();
    Handle<I::BaseQuoteDataSvcI> quotes = GetService<I::BaseQuoteDataSvcI>();
    if (contracts && quotes) {
        Json::Value list = contracts->GetContractsOfAccount(m_trader.Account());
        if (list.isArray() && !list.empty()) {
            SetContract(quotes->FindKey(JsonWText(list[0], Field::kExchangeCode),
                                        JsonWText(list[0], Field::kContractCode)),
                        false);
        }
    }
    SubscribeMsg();
}

void CDlgShortcutTrade::LoadSettings() {
    for (const QString& problem : ShortcutKeyTable::Shared().LoadFromConfiguration()) {
        m_trader.Log(kError, problem);
    }
    Handle<I::KRTConfigI> config = GetService<I::KRTConfigI>();
    m_trader.SetSettings(ShortcutSettings::FromSection(
        config ? config->GetSection(QString::fromUtf8(ShortcutKeyTable::kSection)) : Json::Value()));
}

void CDlgShortcutTrade::LoadAccount() {
    Handle<I::KRTEngineI> engine = GetService<I::KRTEngineI>();
    m_trader.SetAccount(engine ? engine->GetCurrentAccount() : Json::Value());
}

void CDlgShortcutTrade::SubscribeMsg() {
    for (const QString& topic :
         {Topic::kAccountChange, Topic::kAccountLogin, Topic::kListClick, Topic::kClickKLine,
          Topic::kClickTrend, Topic::kLockUI, Topic::kShortcutQueryState, Topic::kShortcutSwitchChanged,
          Topic::kUserChangeParam, Topic::kSTEPRequestCallBack, Topic::kReorderNotifyInfo}) {
        Subscriptions().Subscribe(topic);
    }
}

void CDlgShortcutTrade::UnSubscribeMsg() {
    Subscriptions().UnsubscribeAll();
}

void CDlgShortcutTrade::OnMsg(const QString& topic, const Json::Value& payload, const Json::Value&) {
    PostKoraMsg(topic, payload);
}

void CDlgShortcutTrade::OnKoraMsg(const QString& topic, const Json::Value& payload) {
    if (topic == Topic::kAccountChange || topic == Topic::kAccountLogin) {
        if (m_acting) {
            m_deferredAccount = true;
        } else {
            LoadAccount();
        }
    } else if (topic == Topic::kListClick || topic == Topic::kClickKLine || topic == Topic::kClickTrend) {
        ChangeStock(payload);
    } else if (topic == Topic::kLockUI) {
        m_locked = Kora::Utility::JsonBool(payload, "Lock", false);
        m_quantity->setEnabled(!m_locked);
        m_multiplier->setEnabled(!m_locked);
    } else if (topic == Topic::kShortcutSwitchChanged) {
        m_modeOn = Kora::Utility::JsonBool(payload, "ShortcutSwitch", false);
    } else if (topic == Topic::kShortcutQueryState) {
        Json::Value state(Json::objectValue);
        state["State"] = m_modeOn ? "Show" : "Hide";
        Kora::Kernel::PostMsg(Topic::kShortcutSetState, state);
    } else if (topic == Topic::kUserChangeParam) {
        if (m_acting) {
            m_deferredSettings = true;
        } else {
            LoadSettings();
        }
    } else if (topic == Topic::kReorderNotifyInfo) {
        m_trader.OnSmartOrderNotice(payload);
    }
}

void CDlgShortcutTrade::ChangeStock(const Json::Value& request) {
    // A linkage message carries the contract as "Stock"; the frame's "ChangeStock" request as
    // "ActivityParam", in text or in the object form of the terminal's linkage.
    const Json::Value& param = Member(request, "ActivityParam");
    const I::QuoteKey key = Linkage::LinkedStock(param.isNull() ? request : param);
    if (m_acting) {
        m_deferredContract = key;
    } else {
        SetContract(key, false);
    }
}

bool CDlgShortcutTrade::SetContract(const I::QuoteKey& key, bool announce) {
    Handle<I::BaseQuoteDataSvcI> quotes = GetService<I::BaseQuoteDataSvcI>();
    I::ContractInfo info;
    const Json::Value contract = ContractRecords::OfKey(key);
    if (!contract.isObject() || !quotes || !quotes->GetContractInfo(key, info)) {
        return false;
    }
    m_contractKey = key;
    m_trader.SetContract(contract);
    m_name->setText(info.name.isEmpty() ? info.contractCode : info.name);
    if (announce) {
        Linkage::AnnounceStockChanged(key, QStringLiteral("KRTShortcutTrade"), {QStringLiteral("true"), {}});
    }
    return true;
}

int64_t CDlgShortcutTrade::ReadCount(QLineEdit* edit, const QString& emptyText, const QString& invalidText) {
    const QString text = edit->text().trimmed();
    bool ok = false;
    const int64_t value = text.toLongLong(&ok);
    if (text.isEmpty() || !ok || value < 1 || value > OrderTicket::kMaxVolume) {
        m_trader.Tell(text.isEmpty() ? emptyText : invalidText);
        edit->setFocus();
        m_trader.Log(kError, QStringLiteral("一键下单参数检查检查失败"));
        return 0;
    }
    return value;
}

void CDlgShortcutTrade::PlaceOrder(const Json::Value& option) {
    const std::optional<OrderKey> key = OrderKey::Read(option);
    if (!key) {
        m_trader.Log(kError, ShortcutKeyTable::Problem("下单快捷键", option));
        return;
    }
    if (!m_trader.CheckAccount(QStringLiteral("一键下单参数检查检查失败"))) {
        return;
    }
    const QString badQuantity = QStringLiteral("数量不正确，请重新输入!");
    const int64_t quantity = ReadCount(m_quantity, QStringLiteral("请输入数量!"), badQuantity);
    if (quantity == 0) {
        return;
    }
    const int64_t multiplier =
        ReadCount(m_multiplier, QStringLiteral("请输入倍率!"), QStringLiteral("倍率不正确，请重新输入!"));
    if (multiplier == 0) {
        return;
    }
    if (quantity * multiplier > OrderTicket::kMaxVolume) {
        m_trader.Tell(badQuantity);
        m_quantity->setFocus();
        m_trader.Log(kError, QStringLiteral("一键下单参数检查检查失败"));
        return;
    }
    m_trader.PlaceOrder(*key, quantity * multiplier);
}

void CDlgShortcutTrade::SetMultiplier(const Json::Value& option) {
    const QString problem = ShortcutKeyTable::Problem("数量设置快捷键", option);
    if (!problem.isEmpty()) {
        m_trader.Log(kError, problem);
        return;
    }
    const int64_t multiplier = JsonInt(option, "数量倍率", 1);
    m_multiplier->setText(QString::number(multiplier));
    m_trader.Log(kNormal, QStringLiteral("调整数量倍率|%1").arg(multiplier));
}

void CDlgShortcutTrade::StepOptionChain(int step) {
    static const std::map<int, const char*> kLogs = {
        {OptionChainNavigator::kOtherKind, "期权切换认购认沽"},
        {OptionChainNavigator::kNextMonth, "期权切换月份"},
        {OptionChainNavigator::kAtTheMoney, "期权切换回平值期权"},
        {OptionChainNavigator::kHigherStrike, "期权行权价变大"},
        {OptionChainNavigator::kLowerStrike, "期权行权价变小"},
    };
    bool isOption = false;
    auto found =
        OptionChainNavigator::Find(m_contractKey, static_cast<OptionChainNavigator::Step>(step), &isOption);
    if (!isOption) {
        m_trader.Log(kError, QStringLiteral("当前代码不是期权合约"));
        return;
    }
    if (!found) {
        m_trader.Log(kError, QStringLiteral("没有找到相应的期权合约"));
        return;
    }
    Handle<I::KRTContractI> contracts = GetService<I::KRTContractI>();
    const Json::Value option = ContractRecords::OfKey(*found);
    if (contracts && option.isObject() &&
        !contracts->IsContractOfAccount(m_trader.Account(), ContractRecords::Query(option))) {
        m_trader.Log(kError, QStringLiteral("该账号不支持此类合约的交易"));
        return;
    }
    if (SetContract(*found, true)) {
        m_trader.Log(kNormal, QString::fromUtf8(kLogs.at(step)));
    }
}

bool CDlgShortcutTrade::OnShortcutAction(int action, const Json::Value& option) {
    if (action < 1 || action > 14) {
        ShortcutKeyTable::Shared().handled = true;
        return false;
    }
    // A key pressed while an action waits for the trader is not acted on: it would stack a
    // second question on the first, or trade on what the first one is about to change.
    if (m_acting) {
        return true;
    }
    m_acting = true;
    Act(action, option);
    m_acting = false;
    ApplyDeferred();
    return true;
}

void CDlgShortcutTrade::Act(int action, const Json::Value& option) {
    switch (action) {
        case 1:
            SetMultiplier(option);
            break;
        case 2:
        case 3:
        case 4:
        case 5:
        case 6:
            StepOptionChain(action);
            break;
        case 7:
            PlaceOrder(option);
            break;
        case 8:
        case 9:
        case 10:
        case 11:
            m_trader.Cancel(static_cast<ShortcutTrader::CancelKind>(action));
            break;
        case 12:
            m_trader.CloseAll();
            break;
        case 13:
            m_trader.Lock();
            break;
        case 14:
            m_trader.Reverse();
            break;
    }
}

void CDlgShortcutTrade::ApplyDeferred() {
    if (std::exchange(m_deferredSettings, false)) {
        LoadSettings();
    }
    if (std::exchange(m_deferredAccount, false)) {
        LoadAccount();
    }
    if (const std::optional<I::QuoteKey> key = std::exchange(m_deferredContract, std::nullopt)) {
        SetContract(*key, false);
    }
}
