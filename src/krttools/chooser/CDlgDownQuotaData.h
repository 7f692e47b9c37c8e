#pragma once

#include <mutex>

#include "CKrDlg.h"
#include "kernel/QuoteReceiver.h"
#include "kora/interface/QuoteSubscribeSvcI.h"

class QProgressBar;

// "数据下载" (template 1151): makes sure the host holds the daily history of a set of contracts
// (and the weighting data of index markets 1000 and 1001) before an analysis computes from it.
// It closes with OK as soon as every answer has arrived, or once 3 seconds have passed.
class CDlgDownQuotaData : public CKrDlg, public Kora::Kernel::QuoteReceiver {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 1151;
    static constexpr int kProgressId = 1151;
    static constexpr int kTimerId = 3456;
    static constexpr uint64_t kTimeLimitMs = 3000;

    explicit CDlgDownQuotaData(QWidget* parent = nullptr);
    ~CDlgDownQuotaData() override;

    // The contracts to load, set before the dialog runs.
    Kora::Interface::QuoteKeySet contracts;

    void OnHistoryPush(const Kora::Interface::QuotePushRecord& record, const Json::Value& info) override;
    void OnWeightDataPush(const Kora::Interface::QuotePushRecord& record, const Json::Value& info) override;

    size_t AwaitedCount() const;

protected:
    bool OnInitDialog() override;
    void OnTimer(int id) override;

private:
    void StartRequests();
    void Answered(Kora::Interface::QuoteKeySet& awaited, const Kora::Interface::QuoteKey& key);
    uint64_t Now() const;

    mutable std::recursive_mutex m_lock;
    Kora::Interface::QuoteKeySet m_awaitedKLines;
    Kora::Interface::QuoteKeySet m_awaitedWeights;
    size_t m_requested = 0;
    uint64_t m_startMs = 0;
    QProgressBar* m_progress = nullptr;
};
