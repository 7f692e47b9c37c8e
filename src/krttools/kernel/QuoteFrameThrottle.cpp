#include "kernel/QuoteFrameThrottle.h"

#include <utility>

#include "platform/EntryGuard.h"

namespace Kora::Kernel {

QuoteFrameThrottle::QuoteFrameThrottle(Show show) : m_show(std::move(show)) {
    m_frameTimer.setSingleShot(true);
    m_frameTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_frameTimer, &QTimer::timeout, &m_frameTimer, [this] {
        Win::GuardEntry([this] { ShowLatest(); },
                        [] { return QStringLiteral("QuoteFrameThrottle|行情刷新"); });
    });
}

void QuoteFrameThrottle::OnWake() {
    if (m_frameTimer.isActive()) {
        return;
    }
    const qint64 sinceShown = m_lastShown.isValid() ? m_lastShown.elapsed() : kFrameMs;
    if (sinceShown < kFrameMs) {
        m_frameTimer.start(static_cast<int>(kFrameMs - sinceShown));
        return;
    }
    ShowLatest();
}

void QuoteFrameThrottle::Drop() {
    m_slot.Take();
}

void QuoteFrameThrottle::ShowLatest() {
    const std::optional<Interface::QuotePushRecord> record = m_slot.Take();
    if (!record) {
        return;
    }
    m_lastShown.start();
    ++m_shown;
    m_unpainted = record->enqueuedNs;
    m_show(*record);
}

void QuoteFrameThrottle::OnPainted() {
    if (m_unpainted != 0 && m_paintedObserver) {
        m_paintedObserver(std::exchange(m_unpainted, 0));
    }
}

}  // namespace Kora::Kernel
