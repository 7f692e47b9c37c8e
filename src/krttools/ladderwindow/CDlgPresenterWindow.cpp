#include "ladderwindow/CDlgPresenterWindow.h"

#include "kernel/HostAccess.h"
#include "kora/interface/BaseQuoteDataSvcI.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/KRTContractI.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "trading/ContractRecords.h"
#include "trading/Linkage.h"

using Kora::Kernel::GetService;
using Kora::Utility::JsonInt;
using Kora::Utility::JsonWText;
namespace I = Kora::Interface;
namespace Topic = Kora::Interface::Topic;

CDlgPresenterWindow::CDlgPresenterWindow(int templateId, LadderWindowPresenter::Setup setup, QWidget* parent)
    : CKrDlgOperate(templateId, parent), m_prompter(this), m_presenter(std::move(setup), m_prompter) {
    m_presenter.SetQuoteShow([this](const I::QuotePushRecord& record) {
        if (record.key == m_quoteKey) {
            ShowPush(record);
        }
    });
}

CDlgPresenterWindow::~CDlgPresenterWindow() {
    // Pushes and messages may be on their way on host threads; none may reach a half-destroyed
    // window.
    DetachQuotes();
    Detach();
}

// ---- Contract and quotes --------------------------------------------------------------------------

bool CDlgPresenterWindow::SetContract(const Json::Value& contract, bool announce) {
    if (!m_presenter.IsEligible(contract)) {
        return false;
    }
    m_presenter.SetContract(contract);
    const QString exchange = JsonWText(contract, Field::kExchangeCode);
    const QString code = JsonWText(contract, Field::kContractCode);
    const auto quotes = GetService<I::BaseQuoteDataSvcI>();
    m_quoteKey = quotes ? quotes->FindKey(exchange, code)
                        : I::QuoteKey{static_cast<int32_t>(JsonInt(contract, "MarketID", -1)), code};
    m_presenter.Quotes().Drop();  // a push of the previous contract is not shown any more

    // What the host holds already, so the window is complete before the first push.
    const auto contracts = GetService<I::KRTContractI>();
    HeldQuote held;
    held.known = contracts && contracts->GetSnapshot(ContractRecords::Query(contract), held.snapshot);
    held.divisor = held.snapshot.priceDivisor > 0
                       ? held.snapshot.priceDivisor
                       : static_cast<int32_t>(JsonInt(contract, "PriceDivisor", 0));
    ShowContract(contract, held);

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

bool CDlgPresenterWindow::SetContractOfCode(const QString& code, bool announce) {
    const auto contracts = GetService<I::KRTContractI>();
    const Json::Value found =
        contracts && !code.isEmpty() ? contracts->EnumContractByCode(code) : Json::Value();
    if (!found.isArray()) {
        return false;
    }
    for (const Json::Value& contract : found) {
        if (SetContract(contract, announce)) {
            return true;
        }
    }
    return false;
}

void CDlgPresenterWindow::FollowLinkage(const Json::Value& payload) {
    const Json::Value contract = ContractRecords::OfKey(Linkage::LinkedStock(payload));
    if (contract.isObject()) {
        SetContract(contract, false);
    }
}

void CDlgPresenterWindow::OnQuotePush(const I::QuotePushRecord& record, const Json::Value&) {
    // A flash push carries no new prices.
    if (record.flashFlag == 0 && m_presenter.Quotes().Store(record)) {
        Win::PostMessage(this, kQuoteMessage, 0, 0);
    }
}

void CDlgPresenterWindow::SetQuoteShownObserver(std::function<void(int64_t)> observer) {
    m_presenter.Quotes().SetPaintedObserver(std::move(observer));
}

// ---- Messages -----------------------------------------------------------------------------------

void CDlgPresenterWindow::SubscribeTopics(std::initializer_list<QString> topics) {
    for (const QString& topic : topics) {
        Subscriptions().Subscribe(topic);
    }
}

void CDlgPresenterWindow::UnSubscribeMsg() {
    Subscriptions().UnsubscribeAll();
    StopQuotes();
}

void CDlgPresenterWindow::OnMsg(const QString& topic, const Json::Value& payload, const Json::Value&) {
    PostKoraMsg(topic, payload);
}

void CDlgPresenterWindow::OnKoraMsg(const QString& topic, const Json::Value& payload) {
    if (topic == Topic::kSTEPRequestCallBack) {
        const QString account = JsonWText(payload, "EAccountID");
        if (account.isEmpty() || account == m_presenter.AccountId()) {
            m_presenter.OnOrderAnswers(payload);
            ShowOrderAnswers(payload);
        }
    } else if (topic == Topic::kReorderNotifyInfo) {
        m_presenter.OnSmartOrderNotice(payload);
    } else if (topic == Topic::kListClick || topic == Topic::kListDblClick || topic == Topic::kClickKLine ||
               topic == Topic::kClickTrend || topic == Topic::kStockChanged) {
        FollowLinkage(payload);
    }
}

Win::LRESULT CDlgPresenterWindow::OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) {
    if (message == kQuoteMessage) {
        m_presenter.Quotes().OnWake();
        return 1;
    }
    return CKrDlgOperate::OnMessage(message, wParam, lParam);
}
