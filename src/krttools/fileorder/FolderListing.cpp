#include "fileorder/FolderListing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QFile>
#include <algorithm>
#include <memory>

std::optional<std::vector<FolderEntry>> ListFolder(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(path.constData()), &::closedir);
    if (!dir) {
        return std::nullopt;
    }
    std::vector<FolderEntry> entries;
    while (const dirent* entry = ::readdir(dir.get())) {
        bool isDirectory = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat info {};
            isDirectory =
                ::fstatat(::dirfd(dir.get()), entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        }
        entries.push_back({QFile::decodeName(entry->d_name), isDirectory});
    }
    auto isOwnEntry = [](const FolderEntry& entry) {
        return entry.isDirectory && (entry.name == QStringLiteral(".") || entry.name == QStringLiteral(".."));
    };
    std::stable_partition(entries.begin(), entries.end(), isOwnEntry);
    return entries;
}
