#pragma once

#include <QString>
#include <cstdint>
#include <map>
#include <set>

// Tells how long a file that cannot yet be read completely has stayed exactly as it is. A file
// that keeps growing is a writer at work; one that stops changing while still incomplete was
// left behind by a writer that died.
class IncompleteFileWatch {
public:
    // Notes the file's size and modification time at nowMs and answers for how many
    // milliseconds they have been the same (0 on first sight or after a change).
    int64_t UnchangedFor(const QString& path, int64_t nowMs);
    void Forget(const QString& path);
    // Drops every file not in paths, so files that went away are not remembered.
    void KeepOnly(const std::set<QString>& paths);

private:
    struct Seen {
        int64_t size = -1;
        int64_t modifiedNs = 0;
        int64_t sinceMs = 0;
    };
    std::map<QString, Seen> m_files;
};
