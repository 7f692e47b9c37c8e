#pragma once

#include <QString>

// Moves an order file from its folder into the archive folder under the same name, replacing a
// file of that name there. Within one file system this is a single rename; across file systems
// the file is copied beside its target, renamed into place and only then deleted from its
// folder. Either way the file ends up in exactly one of the two folders: on failure it stays
// where it was and nothing is left in the archive. `error` receives a reason on failure.
bool MoveToArchive(const QString& folder, const QString& archiveFolder, const QString& fileName,
                   QString* error = nullptr);

// A file name that names an entry directly inside a folder (no separators, not "." or "..").
bool IsPlainFileName(const QString& fileName);
