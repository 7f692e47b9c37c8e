#pragma once

#include <QString>
#include <optional>
#include <vector>

// One entry of a folder as the platform lists it.
struct FolderEntry {
    QString name;
    bool isDirectory = false;
};

// Every entry of a folder, the folder's own "." and ".." first (they are directories too), the
// rest in the order the file system lists them. readdir may place "." and ".." anywhere (ext4
// lists by name hash), but the scan's first-entry rule counts on an ordinary folder beginning
// with them, as folder listings elsewhere always do: otherwise a trader's first order file
// could come first and be set aside. No value when the folder cannot be opened.
std::optional<std::vector<FolderEntry>> ListFolder(const QString& folder);
