#include "chooser/CDlgDownQuotaData.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "kernel/HostAccess.h"
#include "kora/interface/TimeServiceI.h"
#include "platform/ControlId.h"

using Kora::Kernel::GetService;
using Kora::Utility::Handle;
namespace I = Kora::Interface;

namespace {
// Markets whose contracts also need weighting data.
bool NeedsWeights(const I::QuoteKey& key) {
    return key.marketId == 1000 || key.marketId == 1001;
}
}  // namespace

CDlgDownQuotaData::CDlgDownQuotaData(QWidget* parent) : CKrDlg(kTemplateId, parent) {
    setWindowTitle(QStringLiteral("数据下载"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("正在下载历史数据，请稍候…"), this));
    m_progress = new QProgressBar(this);
    Win::SetControlId(m_progress, kProgressId);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    layout->addWidget(m_progress);
    resize(320, 80);
}

CDlgDownQuotaData::~CDlgDownQuotaData() {
    DetachQuotes();
}

uint64_t CDlgDownQuotaData::Now() const {
    // The host's clock, so a scripted host can move time; the process's own without one.
    if (Handle<I::TimeServiceI> time = GetService<I::TimeServiceI>()) {
        return time->GetTickCount();
    }
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<uint64_t>(clock.elapsed());
}

bool CDlgDownQuotaData::OnInitDialog() {
    StartRequests();
    SetTimer(kTimerId, 1);
    return true;
}

void CDlgDownQuotaData::StartRequests() {
    std::lock_guard lock(m_lock);
    Handle<I::QuoteSubscribeSvcI> service = GetService<I::QuoteSubscribeSvcI>();
    if (service) {
        // A key is awaited before it is asked for, so an answer that overtakes the loop still
        // finds it; a request the service refuses is not awaited.
        for (const I::QuoteKey& key : contracts) {
            AddQuotes({key});
            m_awaitedKLines.insert(key);
            if (!service->RequestHistory(SubscriberHandle(), key, QStringLiteral("KLine_Day"),
                                         Json::Value())) {
                m_awaitedKLines.erase(key);
            }
            if (NeedsWeights(key)) {
                m_awaitedWeights.insert(key);
                if (!service->RequestHistory(SubscriberHandle(), key, QStringLiteral("WeightData"),
                                             Json::Value())) {
                    m_awaitedWeights.erase(key);
                }
            }
        }
    }
    m_requested = m_awaitedKLines.size() + m_awaitedWeights.size();
    m_progress->setRange(0, static_cast<int>(std::max<size_t>(m_requested, 1)));
    m_progress->setValue(0);
    m_startMs = Now();
}

void CDlgDownQuotaData::Answered(I::QuoteKeySet& awaited, const I::QuoteKey& key) {
    std::lock_guard lock(m_lock);
    if (awaited.erase(key) == 0) {
        return;
    }
    // Answers may arrive on a host thread: the window learns of them as a timer message.
    Win::PostMessage(this, Win::WM_TIMER, kTimerId, 0);
}

void CDlgDownQuotaData::OnHistoryPush(const I::QuotePushRecord& record, const Json::Value&) {
    Answered(m_awaitedKLines, record.key);
}

void CDlgDownQuotaData::OnWeightDataPush(const I::QuotePushRecord& record, const Json::Value&) {
    Answered(m_awaitedWeights, record.key);
}

size_t CDlgDownQuotaData::AwaitedCount() const {
    std::lock_guard lock(m_lock);
    return m_awaitedKLines.size() + m_awaitedWeights.size();
}

void CDlgDownQuotaData::OnTimer(int id) {
    if (id != kTimerId) {
        return;
    }
    size_t awaited = AwaitedCount();
    m_progress->setValue(static_cast<int>(m_requested - awaited));
    if (awaited == 0 || Now() - m_startMs > kTimeLimitMs) {
        KillTimer(kTimerId);
        StopQuotes();
        done(QDialog::Accepted);
    }
}
