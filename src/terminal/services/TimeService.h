#pragma once

#include <QDateTime>
#include <map>
#include <mutex>

#include "host/NormalMsgCenter.h"
#include "host/ServiceBase.h"
#include "kora/interface/TimeServiceI.h"

namespace Terminal::Services {

// "Kora.Platform.Service.TimeSvc". The service keeps its own clock, which moves only through
// Advance: a scripted terminal moves it by hand, a live one from a real timer. Timers are made
// from {"DueTime": ms, "Period": ms} (non-negative integers; Period 0 fires once) and answer their
// identifier, a Json integer 1, 2, ...; started, a timer first fires DueTime after the start and
// then every Period. Each firing posts "Kora.Message.TimeService.OnTimer" {"TimerID": id} (the
// same Json integer) on the normal centre; when an advance passes several firings they are
// posted in time order (timers due together in identifier order). A malformed description
// answers null; an unknown identifier false.
class TimeService : public ServiceBase<Kora::Interface::TimeServiceI> {
public:
    TimeService(NormalMsgCenter& messages, QDateTime start);

    Json::Value CreateTimer(const Json::Value& timer) override;
    bool StartTimer(const Json::Value& timerId) override;
    bool StopTimer(const Json::Value& timerId) override;
    bool DestroyTimer(const Json::Value& timerId) override;
    // Milliseconds the clock has moved since the terminal started.
    uint64_t GetTickCount() override;
    QDateTime GetCurrentTime() override;

    // Moves the clock by ms, firing what falls due on the way.
    void Advance(int64_t ms);
    // Moves the clock straight to a later time (the next trading day's opening): nothing fires
    // for the time skipped, running timers keep what was left of their wait. False for a time
    // that is not later.
    bool JumpTo(const QDateTime& time);
    QDateTime Now() const;
    size_t RunningTimers() const;

private:
    struct Timer {
        int64_t due = 0;
        int64_t period = 0;
        bool running = false;
        int64_t next = 0;
    };

    NormalMsgCenter& m_messages;
    const QDateTime m_start;
    mutable std::mutex m_lock;
    int64_t m_now = 0;
    int64_t m_nextId = 1;
    std::map<int64_t, Timer> m_timers;
};

}  // namespace Terminal::Services
