#include "fileorder/CReadFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileSystemWatcher>
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
#include "platform/EntryGuard.h"
#include "platform/WinMessage.h"

namespace I = Kora::Interface;
namespace K = Kora::Kernel;
using Kora::Utility::Handle;
using Kora::Utility::Member;
using Kora::Utility::ToUtf8;

namespace {

const QString kFileOrderTag = QStringLiteral("FileOrder");
const QString kNoFolderKey;  // reports that concern no single file
const QString kAbandoned = QStringLiteral("订单文件不完整且30秒未变化,已标记为错误");
const QString kNotATable = QStringLiteral("订单文件不是有效的dBase表,已标记为错误");

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
    WatchFolder();
}

CReadFile::~CReadFile() {
    Detach();
    m_watcher.reset();
    if (m_timerId.isNull()) {
        return;
    }
    if (Handle<I::TimeServiceI> time = K::GetService<I::TimeServiceI>()) {
        time->StopTimer(m_timerId);
        time->DestroyTimer(m_timerId);
    }
}

// A file renamed into the folder (as careful writers deliver them) is taken at once instead of
// at the next tick. Writing inside a file does not change the folder's entries: a file written
// in place is taken by the first scan, of either kind, after it is complete.
void CReadFile::WatchFolder() {
    if (m_config.orderFolder.isEmpty() || !QCoreApplication::instance()) {
        return;
    }
    auto watcher = std::make_unique<QFileSystemWatcher>();
    if (!watcher->addPath(m_config.orderFolder)) {
        K::WriteLog(K::kLogInfo,
                    QStringLiteral("文件下单|订单文件路径无法监视,按扫描间隔扫描|") + m_config.orderFolder);
        return;
    }
    QObject::connect(watcher.get(), &QFileSystemWatcher::directoryChanged, watcher.get(), [this] {
        Win::GuardEntry([this] { Scan(); }, [] { return QStringLiteral("CReadFile|订单文件路径变化"); });
    });
    m_watcher = std::move(watcher);
}

void CReadFile::OnMsg(const QString& topic, const Json::Value& payload, const Json::Value&) {
    if (topic == I::Topic::kTimerTick) {
        if (!m_timerId.isNull() && Member(payload, "TimerID") == m_timerId) {
            Scan();
        }
    } else if (topic == I::Topic::kCombinationOrderConfirmed ||
               topic == I::Topic::kCombinationOrderCancelled) {
        // A page closed without confirming frees the queue as a confirmation does; otherwise
        // every later file would wait for a page that is gone. Which page answered is passed
        // on: a page someone else opened must not release the window's queue.
        const Json::Value& page = Member(payload, "PageID");
        const bool named = page.isIntegral();
        Win::PostMessage(m_window, kPageDoneMessage, named ? 1 : 0,
                         named ? static_cast<Win::LPARAM>(page.asInt64()) : 0);
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
    m_stalled.clear();
    ScanFiles(entries);
    PublishStalled();
}

void CReadFile::ScanFiles(const std::vector<FolderEntry>& entries) {
    auto isCandidate = [](const FolderEntry& entry) {
        return !entry.isDirectory && OrderFileName::IsOrderFile(entry.name) &&
               !OrderFileName::IsSetAside(entry.name);
    };
    const QString firstReason = QStringLiteral("启动后首个订单文件,已忽略");
    // The first scan of a run passes over an order file that the folder lists before anything
    // else. An ordinary folder lists its own "." first, which starts the sequence at 1 and
    // passes nothing over.
    if (m_lastSequence <= 0 && !entries.empty()) {
        const FolderEntry& first = entries.front();
        m_lastSequence = 1;
        if (isCandidate(first)) {
            m_passedOverAtStart.insert(first.name);
            PassOver(OrderFileName::Parse(first.name), firstReason);
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
    m_waiting.KeepOnly(present);
    std::erase_if(m_reported, [&](const auto& report) {
        return report.first != kNoFolderKey && !present.count(PathOf(report.first));
    });
    std::erase_if(m_passedOverAtStart, [&](const QString& name) { return !present.count(PathOf(name)); });
    std::sort(files.begin(), files.end(), [](const OrderFileName& a, const OrderFileName& b) {
        return a.sequence != b.sequence ? a.sequence < b.sequence : a.fileName < b.fileName;
    });
    for (const OrderFileName& file : files) {
        if (m_passedOverAtStart.count(file.fileName)) {
            PassOver(file, firstReason);
        } else if (file.sequence <= m_lastSequence) {
            PassOver(file, QStringLiteral("订单文件的序号不大于已取得的序号%1,已忽略").arg(m_lastSequence));
        } else if (Take(file) == Pickup::Wait) {
            break;
        }
    }
}

CReadFile::FileState CReadFile::Inspect(const OrderFileName& file, DbfTable& table) {
    const QString path = PathOf(file.fileName);
    const DbfTable::Status status = DbfTable::ReadFile(path, table);
    if (status == DbfTable::Status::Locked) {
        // A writer at work; its lock, not the clock, says when it is done.
        const int64_t lockedFor = m_waiting.LockedFor(path, Now());
        if (lockedFor >= kStalledAfterMs) {
            NoteStalled(file, lockedFor);
        }
        return FileState::Writing;
    }
    // A header that counts no record is one whose writer fills the count in when it closes.
    if (status == DbfTable::Status::Incomplete ||
        (status == DbfTable::Status::Ok && table.RecordCount() == 0)) {
        return m_waiting.UnchangedFor(path, Now()) < kAbandonedAfterMs ? FileState::Writing
                                                                       : FileState::Abandoned;
    }
    m_waiting.Forget(path);
    switch (status) {
        case DbfTable::Status::Missing:
            return FileState::Gone;
        case DbfTable::Status::NotDbf:
            return FileState::NotATable;
        default:
            return FileState::Ready;
    }
}

CReadFile::Pickup CReadFile::Take(const OrderFileName& file) {
    DbfTable table;
    switch (Inspect(file, table)) {
        case FileState::Gone:
            return Pickup::Passed;
        case FileState::Writing:
            return Pickup::Wait;
        case FileState::Abandoned:
            return MarkBroken(file, kAbandoned);
        case FileState::NotATable:
            return MarkBroken(file, kNotATable);
        case FileState::Ready:
            break;
    }
    Json::Value rows;
    std::vector<int> deleted;
    try {
        rows = table.Rows(&deleted);
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
    if (!deleted.empty()) {
        QStringList numbers;
        for (int record : deleted) {
            numbers << QString::number(record + 1);
        }
        K::WriteLog(K::kLogTrade, QStringLiteral("文件下单|订单文件中标记为删除的记录不下单|%1|第%2条")
                                      .arg(file.fileName, numbers.join(QLatin1Char(','))));
    }
    if (rows.empty()) {
        K::WriteLog(K::kLogError,
                    QStringLiteral("文件下单|订单文件没有未删除的记录,已归档,未下单|") + file.fileName);
        return Pickup::Taken;
    }
    HandOver(file, std::move(rows));
    return Pickup::Taken;
}

void CReadFile::PassOver(const OrderFileName& file, const QString& reason) {
    DbfTable table;
    switch (Inspect(file, table)) {
        case FileState::Writing:
            return;  // renamed by a later scan, once its writer is done with it
        case FileState::Abandoned:
            Rename(file, OrderFileMarker::kBroken, kAbandoned);
            break;
        case FileState::Gone:
            break;
        case FileState::NotATable:
        case FileState::Ready:
            Rename(file, OrderFileMarker::kIgnored, reason);
            break;
    }
    m_passedOverAtStart.erase(file.fileName);
}

CReadFile::Pickup CReadFile::MarkBroken(const OrderFileName& file, const QString& reason) {
    Rename(file, OrderFileMarker::kBroken, reason);
    m_lastSequence = file.sequence;
    return Pickup::Passed;
}

void CReadFile::Rename(const OrderFileName& file, const QString& marker, const QString& reason) {
    const QString renamed = OrderFileName::WithMarker(file.fileName, marker);
    m_waiting.Forget(PathOf(file.fileName));
    if (QFile::rename(PathOf(file.fileName), PathOf(renamed))) {
        m_reported.erase(file.fileName);
        K::WriteLog(K::kLogError, QStringLiteral("文件下单|%1|%2|%3").arg(reason, file.fileName, renamed));
    } else {
        // Tried again on the next scan; said once.
        Report(file.fileName, QStringLiteral("文件下单|%1|%2|改名失败").arg(reason, file.fileName));
    }
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

void CReadFile::NoteStalled(const OrderFileName& file, int64_t lockedForMs) {
    auto published = m_stalledPublished.find(file.fileName);
    m_stalled[file.fileName] =
        published != m_stalledPublished.end()
            ? published->second
            : QDateTime::currentDateTime().addMSecs(-lockedForMs).toString(QStringLiteral("HH:mm:ss"));
    Report(file.fileName,
           QStringLiteral("文件下单|订单文件被锁定已超过30秒,仍在等待写入方释放|") + file.fileName);
}

void CReadFile::PublishStalled() {
    if (m_stalled == m_stalledPublished) {
        return;
    }
    m_stalledPublished = m_stalled;
    Json::Value files(Json::arrayValue);
    for (const auto& [fileName, since] : m_stalled) {
        Json::Value entry(Json::objectValue);
        entry["FileName"] = ToUtf8(fileName);
        entry["Since"] = ToUtf8(since);
        files.append(std::move(entry));
    }
    Win::PostMessage(m_window, kStalledFilesMessage, Win::MakePayload(0), Win::MakePayload(std::move(files)));
}

void CReadFile::Report(const QString& fileName, const QString& text) {
    QString& last = m_reported[fileName];
    if (last != text) {
        last = text;
        K::WriteLog(K::kLogError, text);
    }
}
