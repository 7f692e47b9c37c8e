#pragma once

#include <QObject>
#include <functional>
#include <map>

class QTimer;

namespace Win {

// Window timers by identifier: SetTimer starts (or restarts) the timer with that id, KillTimer
// stops it; each period calls the handler with the id on the owner's thread. Timers die with
// the owner.
class WindowTimers {
public:
    WindowTimers(QObject* owner, std::function<void(int)> handler);
    ~WindowTimers();
    WindowTimers(const WindowTimers&) = delete;
    WindowTimers& operator=(const WindowTimers&) = delete;

    void SetTimer(int id, int periodMs);
    void KillTimer(int id);
    bool IsActive(int id) const;

private:
    QObject* m_owner;
    std::function<void(int)> m_handler;
    std::map<int, QTimer*> m_timers;
};

}  // namespace Win
