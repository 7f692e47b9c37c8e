#include "fileorder/WaitingFileWatch.h"

#include <sys/stat.h>

#include <QFile>

int64_t WaitingFileWatch::UnchangedFor(const QString& path, int64_t nowMs) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        m_files.erase(path);
        return 0;
    }
    const int64_t modifiedNs = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    auto [it, inserted] = m_files.try_emplace(path);
    Seen& seen = it->second;
    if (inserted || seen.locked || seen.size != info.st_size || seen.modifiedNs != modifiedNs) {
        seen = {false, static_cast<int64_t>(info.st_size), modifiedNs, nowMs};
        return 0;
    }
    return nowMs - seen.sinceMs;
}

int64_t WaitingFileWatch::LockedFor(const QString& path, int64_t nowMs) {
    auto [it, inserted] = m_files.try_emplace(path);
    Seen& seen = it->second;
    if (inserted || !seen.locked) {
        seen = {true, -1, 0, nowMs};
        return 0;
    }
    return nowMs - seen.sinceMs;
}

void WaitingFileWatch::Forget(const QString& path) {
    m_files.erase(path);
}

void WaitingFileWatch::KeepOnly(const std::set<QString>& paths) {
    std::erase_if(m_files, [&](const auto& entry) { return !paths.count(entry.first); });
}
