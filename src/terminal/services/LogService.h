#pragma once

#include <atomic>
#include <mutex>
#include <vector>

#include "host/RecentWindow.h"
#include "host/ServiceBase.h"
#include "kora/interface/TimeServiceI.h"

namespace Terminal::Services {

// "Kora.Platform.Service.Log": keeps the latest kKeptLines lines written (and echoes each to
// stderr when asked).
class LogService : public ServiceBase<Kora::Interface::LogServiceI> {
public:
    struct Entry {
        int32_t level = 0;
        int32_t code = 0;
        QString title;
        QString text;
    };

    static constexpr size_t kKeptLines = 10000;

    LogService();

    void Write(int32_t level, int32_t code, const QString& title, const QString& text) override;

    std::vector<Entry> Entries() const;
    void SetEcho(bool echo) { m_echo.store(echo); }

private:
    std::atomic<bool> m_echo{false};
    mutable std::mutex m_lock;
    RecentWindow<Entry> m_entries{kKeptLines};
};

}  // namespace Terminal::Services
