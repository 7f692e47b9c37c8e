#pragma once

#include <json/value.h>

#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

#include "fileorder/FileOrderConfig.h"
#include "fileorder/FolderListing.h"
#include "fileorder/IncompleteFileWatch.h"
#include "fileorder/OrderFileName.h"
#include "kernel/MsgReceiver.h"
#include "kora/interface/WindowTypes.h"

// The order-file scanner. On each tick of its time-service timer it looks through the order
// folder and hands every new order file, in sequence order, to the file-order window as
// message 5121 ("FileOrder" and {"Account", "Order", "FileName"}), then announces it on
// "Offline_OrderFile". A file is new when its sequence number is above the last one taken.
//
// Taking a file is at-most-once: the file is read completely, moved to the archive, and only
// then handed over, so a terminal that dies at any point never hands the same file over twice.
// A file that cannot be read completely yet holds the scan (and the files behind it) until the
// next tick; one that stays incomplete and unchanged for 30 seconds, or is not a dBase table,
// is renamed with "_错误" and logged, so it cannot stall the orders behind it.
//
// The scanner is also the window's ear for the host: it relays the combination page's notices
// and account logins to it. Ticks and notices may arrive on any host thread; the scan runs
// under the scanner's lock and reaches the window only through posted messages.
class CReadFile : public Kora::Kernel::MsgReceiver {
public:
    static constexpr Kora::Interface::UINT kFileOrderMessage = 5121;
    // The combination order page was confirmed or closed: the window may open the next one.
    static constexpr Kora::Interface::UINT kPageDoneMessage = 5160;
    // An account logged in: files held back for want of a stock-option account may go now.
    static constexpr Kora::Interface::UINT kAccountLoginMessage = 5161;
    static constexpr int64_t kAbandonedAfterMs = 30000;

    // Milliseconds of a monotonic clock; by default the time service's, else the system's.
    using Clock = std::function<int64_t()>;

    CReadFile(QObject* window, FileOrderConfig config, Clock clock = {});
    ~CReadFile() override;

    void OnMsg(const QString& topic, const Json::Value& payload, const Json::Value& extra) override;

    // One scan of the order folder, as a timer tick runs it.
    void Scan();
    // The scan over a listing of the order folder in the platform's order.
    void ScanEntries(const std::vector<FolderEntry>& entries);

    int64_t LastSequence() const;
    // The time service's identifier of the scan timer; null when there is no time service.
    const Json::Value& TimerId() const { return m_timerId; }

private:
    enum class Pickup { Taken, Passed, Wait };

    Pickup Take(const OrderFileName& file);
    // Renames a file that can never be taken with "_错误" and counts its sequence as used.
    Pickup MarkBroken(const OrderFileName& file, const QString& reason);
    void Rename(const OrderFileName& file, const QString& marker, const QString& reason);
    void HandOver(const OrderFileName& file, Json::Value rows);
    // Logs a problem of one file at level 1 once, not on every tick that meets it again.
    void Report(const QString& fileName, const QString& text);
    QString PathOf(const QString& fileName) const;
    int64_t Now() const;

    QObject* m_window;
    const FileOrderConfig m_config;
    const Clock m_clock;
    Json::Value m_timerId;
    int64_t m_lastSequence = 0;
    IncompleteFileWatch m_incomplete;
    std::map<QString, QString> m_reported;
    mutable std::recursive_mutex m_lock;
};
