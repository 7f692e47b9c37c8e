#include "services/TimeService.h"

#include <vector>

#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"

namespace Terminal::Services {

using Kora::Utility::JsonInt;

namespace {

bool IsInteger(const Json::Value& value) {
    return value.isIntegral() || (value.isDouble() && value.asDouble() == double(int64_t(value.asDouble())));
}

}  // namespace

TimeService::TimeService(NormalMsgCenter& messages, QDateTime start)
    : ServiceBase(QStringLiteral("时间服务")), m_messages(messages), m_start(std::move(start)) {}

Json::Value TimeService::CreateTimer(const Json::Value& timer) {
    const Json::Value& due = Kora::Utility::Member(timer, "DueTime");
    const Json::Value& period = Kora::Utility::Member(timer, "Period");
    if (!IsInteger(due) || !IsInteger(period) || JsonInt(due, -1) < 0 || JsonInt(period, -1) < 0) {
        return Json::Value();
    }
    std::lock_guard lock(m_lock);
    const int64_t id = m_nextId++;
    m_timers[id] = Timer{JsonInt(due), JsonInt(period), false, 0};
    return Json::Int64(id);
}

bool TimeService::StartTimer(const Json::Value& timerId) {
    std::lock_guard lock(m_lock);
    auto it = m_timers.find(JsonInt(timerId, -1));
    if (it == m_timers.end()) {
        return false;
    }
    it->second.running = true;
    it->second.next = m_now + it->second.due;
    return true;
}

bool TimeService::StopTimer(const Json::Value& timerId) {
    std::lock_guard lock(m_lock);
    auto it = m_timers.find(JsonInt(timerId, -1));
    if (it == m_timers.end()) {
        return false;
    }
    it->second.running = false;
    return true;
}

bool TimeService::DestroyTimer(const Json::Value& timerId) {
    std::lock_guard lock(m_lock);
    return m_timers.erase(JsonInt(timerId, -1)) > 0;
}

uint64_t TimeService::GetTickCount() {
    std::lock_guard lock(m_lock);
    return uint64_t(m_now);
}

QDateTime TimeService::GetCurrentTime() {
    return Now();
}

QDateTime TimeService::Now() const {
    std::lock_guard lock(m_lock);
    return m_start.addMSecs(m_now);
}

size_t TimeService::RunningTimers() const {
    std::lock_guard lock(m_lock);
    size_t running = 0;
    for (const auto& [id, timer] : m_timers) {
        running += timer.running ? 1 : 0;
    }
    return running;
}

bool TimeService::JumpTo(const QDateTime& time) {
    std::lock_guard lock(m_lock);
    const int64_t target = m_start.msecsTo(time);
    if (!time.isValid() || target <= m_now) {
        return false;
    }
    for (auto& [id, timer] : m_timers) {
        timer.next += target - m_now;
    }
    m_now = target;
    return true;
}

void TimeService::Advance(int64_t ms) {
    std::vector<int64_t> fired;
    {
        std::lock_guard lock(m_lock);
        const int64_t target = m_now + std::max<int64_t>(ms, 0);
        for (;;) {
            Timer* earliest = nullptr;
            int64_t earliestId = 0;
            for (auto& [id, timer] : m_timers) {
                if (timer.running && timer.next <= target && (!earliest || timer.next < earliest->next)) {
                    earliest = &timer;
                    earliestId = id;
                }
            }
            if (!earliest) {
                break;
            }
            m_now = earliest->next;
            fired.push_back(earliestId);
            if (earliest->period > 0) {
                earliest->next += earliest->period;
            } else {
                earliest->running = false;
            }
        }
        m_now = target;
    }
    for (int64_t id : fired) {
        Json::Value payload(Json::objectValue);
        payload["TimerID"] = Json::Int64(id);
        m_messages.Post(Kora::Interface::Topic::kTimerTick, payload, 0);
    }
}

}  // namespace Terminal::Services
