#pragma once

#include <QString>

namespace Win {

// Profile (INI) files as the terminal keeps them: "[section]" lines, "key=value" lines, ';' or
// '#' comments, UTF-8 text (a byte-order mark is skipped). Section and key names compare exactly.
// Every call reads or rewrites the file, so other programs' edits are seen at once.

// The value, cut to maxLength characters; fallback when the file, section or key is missing.
QString ReadProfileString(const QString& path, const QString& section, const QString& key,
                          const QString& fallback = {}, int maxLength = 519);
int ReadProfileInt(const QString& path, const QString& section, const QString& key, int fallback);

// Writes one value, creating the file or section when missing and keeping every other line.
bool WriteProfileString(const QString& path, const QString& section, const QString& key,
                        const QString& value);

}  // namespace Win
