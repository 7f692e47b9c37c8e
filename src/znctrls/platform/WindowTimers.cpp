#include "platform/WindowTimers.h"

#include <QTimer>

#include "platform/EntryGuard.h"

namespace Win {

WindowTimers::WindowTimers(QObject* owner, std::function<void(int)> handler)
    : m_owner(owner), m_handler(std::move(handler)) {}

WindowTimers::~WindowTimers() {
    for (auto& [id, timer] : m_timers) {
        delete timer;
    }
}

void WindowTimers::SetTimer(int id, int periodMs) {
    QTimer*& timer = m_timers[id];
    if (!timer) {
        timer = new QTimer;
        timer->moveToThread(m_owner->thread());
        QObject::connect(timer, &QTimer::timeout, m_owner, [this, id] {
            GuardEntry([&] { m_handler(id); },
                       [&] { return QStringLiteral("%1|定时器%2").arg(WindowName(m_owner)).arg(id); });
        });
    }
    timer->start(periodMs);
}

void WindowTimers::KillTimer(int id) {
    auto it = m_timers.find(id);
    if (it != m_timers.end()) {
        it->second->stop();
    }
}

bool WindowTimers::IsActive(int id) const {
    auto it = m_timers.find(id);
    return it != m_timers.end() && it->second->isActive();
}

}  // namespace Win
