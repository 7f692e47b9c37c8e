#pragma once

#include <json/value.h>

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "fileorder/FileOrderConfig.h"
#include "fileorder/FolderListing.h"
#include "fileorder/OrderFileName.h"
#include "fileorder/WaitingFileWatch.h"
#include "kernel/MsgReceiver.h"
#include "kora/interface/WindowTypes.h"

class DbfTable;
class QFileSystemWatcher;

// The order-file scanner. It looks through the order folder on each tick of its time-service
// timer and, where the platform can watch the folder, at once whenever the folder's entries
// change (a file renamed into it, say). It hands every new order file, in sequence order, to
// the file-order window as message 5121 ("FileOrder" and {"Account", "Order", "FileName"}), then
// announces it on "Offline_OrderFile". A file is new when its sequence number is above the last
// one taken; one that is not is passed over and renamed with "_忽略", so that it cannot be taken
// after a restart, which forgets the last sequence.
//
// Taking a file is at-most-once: the file is read completely, moved to the archive, and only
// then handed over, so a terminal that dies at any point never hands the same file over twice.
// Records flagged as deleted are not legs; a file with none left is archived and logged, and no
// order goes out. A file that is not complete yet (its length is not exactly what its record
// count accounts for, or it counts no record) or whose writer holds its lock holds the scan, and
// the files behind it, until a later scan: no such file is ever taken, passed over or renamed.
// One that stays incomplete and unchanged for 30 seconds, or is not a dBase table, is renamed
// with "_错误" and logged, so it cannot stall the orders behind it. One that stays locked keeps
// its place (its writer is alive); after 30 seconds it is logged once and the window is told.
//
// The scanner is also the window's ear for the host: it relays the combination page's answers
// and account logins to it. Ticks and notices may arrive on any host thread; the scan runs under
// the scanner's lock and reaches the window only through posted messages.
class CReadFile : public Kora::Kernel::MsgReceiver {
public:
    static constexpr Kora::Interface::UINT kFileOrderMessage = 5121;
    // A combination order page was confirmed or closed. wParam is 1 when lParam carries the
    // "PageID" of the page that answered, 0 when the answer named no page.
    static constexpr Kora::Interface::UINT kPageDoneMessage = 5160;
    // An account logged in: files held back for want of a stock-option account may go now.
    static constexpr Kora::Interface::UINT kAccountLoginMessage = 5161;
    // The files that have been locked for 30 seconds or more changed: lParam carries them as a
    // Json array of {"FileName", "Since" (local time "HH:mm:ss")}, empty when none is left.
    static constexpr Kora::Interface::UINT kStalledFilesMessage = 5162;
    static constexpr int64_t kAbandonedAfterMs = 30000;
    static constexpr int64_t kStalledAfterMs = 30000;

    // Milliseconds of a monotonic clock; by default the time service's, else the system's.
    using Clock = std::function<int64_t()>;

    CReadFile(QObject* window, FileOrderConfig config, Clock clock = {});
    ~CReadFile() override;

    void OnMsg(const QString& topic, const Json::Value& payload, const Json::Value& extra) override;

    // One scan of the order folder, as a timer tick or a change of the folder runs it.
    void Scan();
    // The scan over a listing of the order folder in the platform's order.
    void ScanEntries(const std::vector<FolderEntry>& entries);

    int64_t LastSequence() const;
    // The time service's identifier of the scan timer; null when there is no time service.
    const Json::Value& TimerId() const { return m_timerId; }
    // Whether changes of the order folder start a scan at once (else only the timer scans).
    bool IsWatchingFolder() const { return m_watcher != nullptr; }

private:
    enum class Pickup { Taken, Passed, Wait };
    // What an order file in the folder is at this scan.
    enum class FileState { Gone, Writing, Abandoned, NotATable, Ready };

    void WatchFolder();
    void ScanFiles(const std::vector<FolderEntry>& entries);
    FileState Inspect(const OrderFileName& file, DbfTable& table);
    Pickup Take(const OrderFileName& file);
    // Renames a file whose sequence is not new with "_忽略" once it is no longer written.
    void PassOver(const OrderFileName& file, const QString& reason);
    // Renames a file that can never be taken with "_错误" and counts its sequence as used.
    Pickup MarkBroken(const OrderFileName& file, const QString& reason);
    void Rename(const OrderFileName& file, const QString& marker, const QString& reason);
    void HandOver(const OrderFileName& file, Json::Value rows);
    void NoteStalled(const OrderFileName& file, int64_t lockedForMs);
    // Tells the window which files are stalled when that changed since it was last told.
    void PublishStalled();
    // Logs a problem of one file at level 1 once, not on every scan that meets it again.
    void Report(const QString& fileName, const QString& text);
    QString PathOf(const QString& fileName) const;
    int64_t Now() const;

    QObject* m_window;
    const FileOrderConfig m_config;
    const Clock m_clock;
    Json::Value m_timerId;
    std::unique_ptr<QFileSystemWatcher> m_watcher;
    int64_t m_lastSequence = 0;
    WaitingFileWatch m_waiting;
    // Files passed over by the first scan while they were still written: renamed once done.
    std::set<QString> m_passedOverAtStart;
    // Locked for 30 seconds or more: file name → since when, as found by this scan and as the
    // window was last told.
    std::map<QString, QString> m_stalled;
    std::map<QString, QString> m_stalledPublished;
    std::map<QString, QString> m_reported;
    mutable std::recursive_mutex m_lock;
};
