#pragma once

#include <QString>
#include <optional>
#include <vector>

// One entry of a folder as the platform lists it.
struct FolderEntry {
    QString name;
    bool isDirectory = false;
};

// Every entry of a folder in the order the platform lists them, the folder's own "." and ".."
// included (they are directories too). No value when the folder cannot be opened.
std::optional<std::vector<FolderEntry>> ListFolder(const QString& folder);
