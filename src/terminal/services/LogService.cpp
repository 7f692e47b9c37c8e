#include "services/LogService.h"

#include <cstdio>

namespace Terminal::Services {

LogService::LogService() : ServiceBase(QStringLiteral("日志服务")) {}

void LogService::Write(int32_t level, int32_t code, const QString& title, const QString& text) {
    if (m_echo.load()) {
        std::fprintf(stderr, "[%d/%d] %s: %s\n", level, code, title.toUtf8().constData(),
                     text.toUtf8().constData());
    }
    std::lock_guard lock(m_lock);
    m_entries.Add({level, code, title, text});
}

std::vector<LogService::Entry> LogService::Entries() const {
    std::lock_guard lock(m_lock);
    return m_entries.Copy();
}

}  // namespace Terminal::Services
