#pragma once

#include <QString>
#include <cstdint>
#include <map>
#include <set>

// Tells how long an order file has kept the scan waiting. A file that cannot be read completely
// yet is measured by how long it has stayed exactly as it is: one that keeps growing is a writer
// at work, one that stopped changing while still incomplete was left behind by a writer that
// died. A file whose writer holds its lock is measured by how long it has been found locked.
class WaitingFileWatch {
public:
    // Notes the file's size and modification time at nowMs and answers for how many
    // milliseconds they have been the same (0 on first sight or after a change).
    int64_t UnchangedFor(const QString& path, int64_t nowMs);
    // Answers for how many milliseconds the file has been found locked, scan after scan (0 on
    // the first scan that finds it locked).
    int64_t LockedFor(const QString& path, int64_t nowMs);
    void Forget(const QString& path);
    // Drops every file not in paths, so files that went away are not remembered.
    void KeepOnly(const std::set<QString>& paths);

private:
    struct Seen {
        bool locked = false;
        int64_t size = -1;
        int64_t modifiedNs = 0;
        int64_t sinceMs = 0;
    };
    std::map<QString, Seen> m_files;
};
