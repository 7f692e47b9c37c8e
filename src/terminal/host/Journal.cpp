#include "host/Journal.h"

#include <QFile>

#include "kora/utility/JsonAccess.h"

namespace Terminal {

Journal::Journal(const QString& path, std::function<QDateTime()> clock)
    : m_path(path), m_clock(std::move(clock)) {
    if (!m_clock) {
        m_clock = [] { return QDateTime::currentDateTime(); };
    }
    if (!path.isEmpty()) {
        m_file = std::fopen(QFile::encodeName(path).constData(), "a");
        if (!m_file) {
            std::fprintf(stderr, "krt-terminal: cannot open the journal %s; keeping it in memory\n",
                         path.toUtf8().constData());
        }
    }
}

Journal::~Journal() {
    if (m_file) {
        std::fclose(m_file);
    }
}

void Journal::Append(const QString& kind, const Json::Value& request, const Json::Value& refusal,
                     const Json::Value& extra) {
    Json::Value entry(Json::objectValue);
    entry["Kind"] = kind.toStdString();
    entry["Request"] = request;
    if (!refusal.isNull()) {
        entry["Refused"] = refusal;
    }
    if (extra.isObject()) {
        for (const std::string& name : extra.getMemberNames()) {
            entry[name] = extra[name];
        }
    }
    entry["Time"] = m_clock().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")).toStdString();
    const std::string line = Kora::Utility::JsonToLine(entry);

    std::lock_guard lock(m_lock);
    m_entries.Add(std::move(entry));
    if (m_file) {
        std::fputs(line.c_str(), m_file);
        std::fputc('\n', m_file);
        std::fflush(m_file);
    }
}

std::vector<Json::Value> Journal::Entries() const {
    std::lock_guard lock(m_lock);
    return m_entries.Copy();
}

size_t Journal::Size() const {
    std::lock_guard lock(m_lock);
    return m_entries.Added();
}

bool Journal::IsWritingFile() const {
    std::lock_guard lock(m_lock);
    return m_file != nullptr;
}

std::vector<Json::Value> Journal::ReadFile(const QString& path) {
    std::vector<Json::Value> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return entries;
    }
    while (!file.atEnd()) {
        Json::Value entry;
        if (Kora::Utility::JsonParse(file.readLine().trimmed().toStdString(), entry) && entry.isObject()) {
            entries.push_back(entry);
        }
    }
    return entries;
}

}  // namespace Terminal
