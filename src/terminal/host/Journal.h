#pragma once

#include <json/value.h>

#include <QDateTime>
#include <QString>
#include <cstdio>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace Terminal {

// The audit trail of what the terminal was asked to do: one JSON line per order, cancel,
// conditional order and combination request received, appended to the journal file and
// flushed at once:
//
//   {"Kind": "Order" | "Cancel" | "ConditionalOrder" | "Combination",
//    "Request": <the request exactly as received>, "Time": "yyyy-MM-dd hh:mm:ss.zzz", ...}
//
// A request the terminal refused also carries "Refused": {"ErrorCode", "ErrorMsg"}; kinds may
// add members of their own (a conditional order its "Function", a combination its "PageID",
// "Caller" and "PageName"). Lines are also kept in memory for the session. Safe from any thread.
class Journal {
public:
    static inline const QString kOrder = QStringLiteral("Order");
    static inline const QString kCancel = QStringLiteral("Cancel");
    static inline const QString kConditionalOrder = QStringLiteral("ConditionalOrder");
    static inline const QString kCombination = QStringLiteral("Combination");

    // An empty path keeps the journal in memory only. A file that cannot be opened is reported
    // on stderr and the journal stays in memory.
    explicit Journal(const QString& path = {}, std::function<QDateTime()> clock = {});
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    // extra: further members of the line (an object), merged in.
    void Append(const QString& kind, const Json::Value& request, const Json::Value& refusal = Json::Value(),
                const Json::Value& extra = Json::Value());
    std::vector<Json::Value> Entries() const;
    // How many lines there are, without copying them.
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
    // A deque: a growing vector moves every line the session ever wrote in one go, a pause that
    // lands on whichever order happens to trigger it.
    std::deque<Json::Value> m_entries;
};

}  // namespace Terminal
