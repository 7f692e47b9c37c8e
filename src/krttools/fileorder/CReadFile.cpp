#include "fileorder/CReadFile.h"

#include <QDir>
#include <algorithm>
#include <chrono>
#include <set>

#include "fileorder/DbfTable.h"
#include "fileorder/OrderFileArchive.h"
#include "kernel/EngineLog.h"
#include "kernel/HostAccess.h"
#include "kora/interface/TimeServiceI.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "platform/WinMessage.h"

namespace I = Kora::Interface;
namespace K = Kora::Kernel;
using Kora::Utility::Handle;
using Kora::Utility::Member;
using Kora::Utility::ToUtf8;

namespace {

const QString kFileOrderTag = QStringLiteral("FileOrder");
const QString kNoFolderKey;  // reports that concern no single file

int64_t SystemClockMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

CReadFile::Clock DefaultClock() {
    return [] {
        Handle<I::TimeServiceI> time = K::GetService<I::TimeServiceI>();
        return time ? static_cast<int64_t>(time->GetTickCount()) : SystemClockMs();
    };
}

}  // namespace

CReadFile::CReadFile(QObject* window, FileOrderConfig config, Clock clock)
    : m_window(window), m_config(std::move(config)), m_clock(clock ? std::move(clock) : DefaultClock()) {
    Subscriptions().Subscribe(I::Topic::kTimerTick);
    Subscriptions().Subscribe(I::Topic::kCombinationOrderConfirmed);
    Subscriptions().Subscribe(I::Topic::kCombinationOrderCancelled);
    Subscriptions().Subscribe(I::Topic::kAccountLogin);
    if (Handle<I::TimeServiceI> time = K::GetService<I::TimeServiceI>()) {
        Json::Value timing(Json::objectValue);
        const Json::Int64 periodMs = static_cast<Json::Int64>(m_config.scanIntervalSeconds) * 1000;
        timing["DueTime"] = periodMs;
        timing["Period"] = periodMs;
        m_timerId = time->CreateTimer(timing);
        if (!m_timerId.isNull()) {
            time->StartTimer(m_timerId);
        }
    }
}

CReadFile::~CReadFile() {
    Detach();
    if (m_timerId.isNull()) {
        return;
    }
    if (Handle<I::TimeServiceI> time = K::GetService<I::TimeServiceI>()) {
        time->StopTimer(m_timerId);
        time->DestroyTimer(m_timerId);
    }
}

void CReadFile::OnMsg(const QString& topic, const Json::Value& payload, const Json::Value&) {
    if (topic == I::Topic::kTimerTick) {
        if (!m_timerId.isNull() && Member(payload, "TimerID") == m_timerId) {
            Scan();
        }
    } else if (topic == I::Topic::kCombinationOrderConfirmed ||
               topic == I::Topic::kCombinationOrderCancelled) {
        // A page closed without confirming frees the queue as a confirmation does; otherwise
        // every later file would wait for a page that is gone.
        Win::PostMessage(m_window, kPageDoneMessage, 0, 0);
    } else if (topic == I::Topic::kAccountLogin) {
        // Files that waited for a stock-option account must not wait for the next file too:
        // an outside program may drop nothing more until its last order is done.
        Win::PostMessage(m_window, kAccountLoginMessage, 0, 0);
    }
}

int64_t CReadFile::LastSequence() const {
    std::lock_guard lock(m_lock);
    return m_lastSequence;
}

int64_t CReadFile::Now() const {
    return m_clock();
}

QString CReadFile::PathOf(const QString& fileName) const {
    return QDir(m_config.orderFolder).filePath(fileName);
}

void CReadFile::Scan() {
    std::lock_guard lock(m_lock);
    if (m_config.orderFolder.isEmpty() || m_config.archiveFolder.isEmpty()) {
        // Without an archive a taken file would stay in the order folder and be taken again
        // after a restart; without an order folder there is nothing to scan.
        Report(kNoFolderKey, QStringLiteral("文件下单|未配置订单文件路径或订单文件归档路径,不扫描订单文件"));
        return;
    }
    std::optional<std::vector<FolderEntry>> entries = ListFolder(m_config.orderFolder);
    if (!entries) {
        Report(kNoFolderKey, QStringLiteral("文件下单|订单文件路径无法打开|") + m_config.orderFolder);
        return;
    }
    m_reported.erase(kNoFolderKey);
    ScanEntries(*entries);
}

void CReadFile::ScanEntries(const std::vector<FolderEntry>& entries) {
    std::lock_guard lock(m_lock);
    auto isCandidate = [](const FolderEntry& entry) {
        return !entry.isDirectory && OrderFileName::IsOrderFile(entry.name) &&
               !OrderFileName::IsSetAside(entry.name);
    };
    // The first scan of a run sets aside an order file that the folder lists before anything
    // else. An ordinary folder lists its own "." first, which starts the sequence at 1 and sets
    // nothing aside.
    if (m_lastSequence <= 0 && !entries.empty()) {
        const FolderEntry& first = entries.front();
        m_lastSequence = 1;
        if (isCandidate(first)) {
            Rename(OrderFileName::Parse(first.name), OrderFileMarker::kIgnored,
                   QStringLiteral("启动后首个订单文件,已忽略"));
            return;
        }
    }

    // Files dropped together are taken in ascending sequence, whatever order the folder lists
    // them in; otherwise a higher sequence listed first would make the lower ones unreachable.
    std::vector<OrderFileName> files;
    std::set<QString> present;
    for (const FolderEntry& entry : entries) {
        if (isCandidate(entry)) {
            files.push_back(OrderFileName::Parse(entry.name));
            present.insert(PathOf(entry.name));
        }
    }
    m_incomplete.KeepOnly(present);
    std::erase_if(m_reported, [&](const auto& report) {
        return report.first != kNoFolderKey && !present.count(PathOf(report.first));
    });
    std::sort(files.begin(), files.end(), [](const OrderFileName& a, const OrderFileName& b) {
        return a.sequence != b.sequence ? a.sequence < b.sequence : a.fileName < b.fileName;
    });
    for (const OrderFileName& file : files) {
        if (file.sequence > m_lastSequence && Take(file) == Pickup::Wait) {
            break;
        }
    }
}

CReadFile::Pickup CReadFile::Take(const OrderFileName& file) {
    const QString path = PathOf(file.fileName);
    DbfTable table;
    switch (DbfTable::ReadFile(path, table)) {
        case DbfTable::Status::Missing:
            m_incomplete.Forget(path);
            return Pickup::Passed;
        case DbfTable::Status::Locked:
            // A writer at work; its lock, not the clock, says when it is done.
            m_incomplete.Forget(path);
            return Pickup::Wait;
        case DbfTable::Status::Incomplete:
            if (m_incomplete.UnchangedFor(path, Now()) < kAbandonedAfterMs) {
                return Pickup::Wait;
            }
            return MarkBroken(file, QStringLiteral("订单文件不完整且30秒未变化,已标记为错误"));
        case DbfTable::Status::NotDbf:
            return MarkBroken(file, QStringLiteral("订单文件不是有效的dBase表,已标记为错误"));
        case DbfTable::Status::Ok:
            break;
    }
    m_incomplete.Forget(path);
    Json::Value rows;
    try {
        rows = table.Rows();
    } catch (const std::bad_alloc&) {
        return MarkBroken(file, QStringLiteral("订单文件过大,无法读取,已标记为错误"));
    }
    QString error;
    if (!MoveToArchive(m_config.orderFolder, m_config.archiveFolder, file.fileName, &error)) {
        Report(file.fileName,
               QStringLiteral("文件下单|订单文件无法移入归档目录,暂不下单|%1|%2").arg(file.fileName, error));
        return Pickup::Wait;
    }
    m_reported.erase(file.fileName);
    m_lastSequence = file.sequence;
    HandOver(file, std::move(rows));
    return Pickup::Taken;
}

CReadFile::Pickup CReadFile::MarkBroken(const OrderFileName& file, const QString& reason) {
    Rename(file, OrderFileMarker::kBroken, reason);
    m_lastSequence = file.sequence;
    return Pickup::Passed;
}

void CReadFile::Rename(const OrderFileName& file, const QString& marker, const QString& reason) {
    const QString renamed = OrderFileName::WithMarker(file.fileName, marker);
    const bool ok = QFile::rename(PathOf(file.fileName), PathOf(renamed));
    m_incomplete.Forget(PathOf(file.fileName));
    m_reported.erase(file.fileName);
    K::WriteLog(K::kLogError, QStringLiteral("文件下单|%1|%2|%3")
                                  .arg(reason, file.fileName, ok ? renamed : QStringLiteral("改名失败")));
}

void CReadFile::HandOver(const OrderFileName& file, Json::Value rows) {
    const int rowCount = static_cast<int>(rows.size());
    Json::Value request(Json::objectValue);
    request["Account"] = ToUtf8(file.account);
    request["Order"] = std::move(rows);
    request["FileName"] = ToUtf8(file.fileName);
    if (!Win::PostMessage(m_window, kFileOrderMessage, Win::MakePayload(kFileOrderTag),
                          Win::MakePayload(std::move(request)))) {
        K::WriteLog(K::kLogError,
                    QStringLiteral("文件下单|文件下单窗口不存在,订单文件已归档但未下单|") + file.fileName);
    } else {
        K::WriteLog(K::kLogInfo,
                    QStringLiteral("文件下单|取得订单文件|%1|%2").arg(file.fileName).arg(rowCount));
    }
    Json::Value notice(Json::objectValue);
    notice["FileName"] = ToUtf8(file.fileName);
    K::PostMsg(I::Topic::kOfflineOrderFile, notice);
}

void CReadFile::Report(const QString& fileName, const QString& text) {
    QString& last = m_reported[fileName];
    if (last != text) {
        last = text;
        K::WriteLog(K::kLogError, text);
    }
}
