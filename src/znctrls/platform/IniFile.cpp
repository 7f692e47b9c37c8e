#include "platform/IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace Win {

namespace {

QStringList ReadLines(const QString& path, bool* exists) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *exists = false;
        return {};
    }
    *exists = true;
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    }
    QString text = QString::fromUtf8(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text.split(QLatin1Char('\n'));
}

bool IsSectionLine(const QString& trimmed, QString* name) {
    if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
        *name = trimmed.mid(1, trimmed.size() - 2).trimmed();
        return true;
    }
    return false;
}

bool IsComment(const QString& trimmed) {
    return trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#'));
}

}  // namespace

QString ReadProfileString(const QString& path, const QString& section, const QString& key,
                          const QString& fallback, int maxLength) {
    bool exists = false;
    const QStringList lines = ReadLines(path, &exists);
    QString current;
    bool inSection = false;
    for (const QString& line : lines) {
        QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || IsComment(trimmed)) {
            continue;
        }
        if (IsSectionLine(trimmed, &current)) {
            inSection = current == section;
            continue;
        }
        if (!inSection) {
            continue;
        }
        int eq = trimmed.indexOf(QLatin1Char('='));
        if (eq > 0 && trimmed.left(eq).trimmed() == key) {
            return trimmed.mid(eq + 1).trimmed().left(maxLength);
        }
    }
    return fallback.left(maxLength);
}

int ReadProfileInt(const QString& path, const QString& section, const QString& key, int fallback) {
    QString text = ReadProfileString(path, section, key);
    bool ok = false;
    int value = text.toInt(&ok);
    return ok ? value : fallback;
}

bool WriteProfileString(const QString& path, const QString& section, const QString& key,
                        const QString& value) {
    bool exists = false;
    QStringList lines = ReadLines(path, &exists);
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    QString current;
    int sectionLine = -1;
    int insertAt = -1;
    for (int i = 0; i < lines.size(); ++i) {
        QString trimmed = lines[i].trimmed();
        if (IsSectionLine(trimmed, &current)) {
            if (sectionLine >= 0) {
                break;
            }
            if (current == section) {
                sectionLine = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (sectionLine < 0 || trimmed.isEmpty() || IsComment(trimmed)) {
            continue;
        }
        insertAt = i + 1;
        int eq = trimmed.indexOf(QLatin1Char('='));
        if (eq > 0 && trimmed.left(eq).trimmed() == key) {
            lines[i] = key + QLatin1Char('=') + value;
            insertAt = -2;
            break;
        }
    }
    if (sectionLine < 0) {
        lines << (QLatin1Char('[') + section + QLatin1Char(']')) << (key + QLatin1Char('=') + value);
    } else if (insertAt >= 0) {
        lines.insert(insertAt, key + QLatin1Char('=') + value);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    return file.commit();
}

}  // namespace Win
