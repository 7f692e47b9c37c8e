#pragma once

#include <json/value.h>

#include <QDateTime>
#include <QString>
#include <cstdio>
#include <functional>
#include <mutex>
#include <vector>

#include "host/RecentWindow.h"

namespace Terminal {

// The audit trail of what the terminal was asked to do: one JSON line per order, cancel,
// conditional order and combination request received, appended to the journal file and
// flushed at once:
//
//   {"Kind": "Order" | "Cancel" | "ConditionalOrder" | "Combination",
//    "Request": <the request exactly as received>, "Time": "yyyy-MM-dd hh:mm:ss.zzz", ...}
//
// A request the terminal refused also carries "Refused": {"ErrorCode", "ErrorMsg"}; kinds may
// add members of their own (a conditional order its "Function", the order a condition sent its
// "ConditionOrderId", a combination its "PageID", "Caller" and "PageName"). The file keeps every
// line; memory keeps the latest kMemoryLines of them, so a long session does not grow without
// bound. Safe from any thread.
class Journal {
public:
    static inline const QString kOrder = QStringLiteral("Order");
    static inline const QString kCancel = QStringLiteral("Cancel");
    static inline const QString kConditionalOrder = QStringLiteral("ConditionalOrder");
    static inline const QString kCombination = QStringLiteral("Combination");
    static constexpr size_t kMemoryLines = 10000;

    // An empty path keeps the journal in memory only. A file that cannot be opened is reported
    // on stderr and the journal stays in memory.
    explicit Journal(const QString& path = {}, std::function<QDateTime()> clock = {});
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    // extra: further members of the line (an object), merged in.
    void Append(const QString& kind, const Json::Value& request, const Json::Value& refusal = Json::Value(),
                const Json::Value& extra = Json::Value());
    // The latest lines (at most kMemoryLines), oldest first.
    std::vector<Json::Value> Entries() const;
    // How many lines the session has written, without copying them.
    size_t Size() const;
    QString Path() const { return m_path; }
    bool IsWritingFile() const;

    // The lines of a journal file; lines that are not JSON objects are skipped.
    static std::vector<Json::Value> ReadFile(const QString& path);

private:
    QString m_path;
    std::function<QDateTime()> m_clock;
    mutable std::mutex m_lock;
    std::FILE* m_file = nullptr;
    RecentWindow<Json::Value> m_entries{kMemoryLines};
};

}  // namespace Terminal
