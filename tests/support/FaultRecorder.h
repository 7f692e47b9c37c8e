#pragma once

#include <QString>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/EntryGuard.h"

// Takes the place of the fault reporter while it lives (and puts the previous one back): every
// fault caught at an entry from the event loop is kept as (where, reason).
class FaultRecorder {
public:
    FaultRecorder() {
        std::lock_guard lock(Lock());
        Kept().clear();
        m_previous = Win::SetFaultReporter(&Keep);
    }
    ~FaultRecorder() { Win::SetFaultReporter(m_previous); }
    FaultRecorder(const FaultRecorder&) = delete;
    FaultRecorder& operator=(const FaultRecorder&) = delete;

    std::vector<std::pair<QString, QString>> Faults() const {
        std::lock_guard lock(Lock());
        return Kept();
    }

private:
    static std::mutex& Lock() {
        static std::mutex lock;
        return lock;
    }
    static std::vector<std::pair<QString, QString>>& Kept() {
        static std::vector<std::pair<QString, QString>> kept;
        return kept;
    }
    static void Keep(const QString& where, const QString& reason) {
        std::lock_guard lock(Lock());
        Kept().emplace_back(where, reason);
    }

    Win::FaultReporter m_previous = nullptr;
};
