#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <cstdint>
#include <functional>

#include "kernel/LatestQuoteSlot.h"

namespace Kora::Kernel {

// Shows a window's quotes no more often than the screen can: pushes arrive on the host's
// delivery thread as fast as the market moves; the window is woken once for whatever arrived,
// and the latest push is shown at once or, when the last one was shown less than a frame ago,
// when that frame has passed. Pushes that arrived in between are never shown.
//
//   host thread:  if (throttle.Store(record)) PostMessage(window, kQuoteMessage);
//   UI thread:    on kQuoteMessage, throttle.OnWake();   → show(record), at most once a frame
class QuoteFrameThrottle {
public:
    // The shortest time between two quotes shown: one frame of the screen.
    static constexpr int kFrameMs = 16;
    using Show = std::function<void(const Interface::QuotePushRecord& record)>;

    explicit QuoteFrameThrottle(Show show);
    QuoteFrameThrottle(const QuoteFrameThrottle&) = delete;
    QuoteFrameThrottle& operator=(const QuoteFrameThrottle&) = delete;

    // From any thread. True when the window must be woken.
    bool Store(const Interface::QuotePushRecord& record) { return m_slot.Store(record); }
    // On the UI thread, when woken.
    void OnWake();
    // Forgets a push not shown yet (the window follows another contract now).
    void Drop();

    uint64_t Received() const { return m_slot.Stored(); }
    uint64_t Shown() const { return m_shown; }

    // How soon a quote reaches the screen: the host's stamp of the push shown last goes to the
    // observer once the window's next paint ends (the window calls OnPainted after painting).
    void SetPaintedObserver(std::function<void(int64_t enqueuedNs)> observer) {
        m_paintedObserver = std::move(observer);
    }
    void OnPainted();

private:
    void ShowLatest();

    Show m_show;
    LatestQuoteSlot m_slot;
    QElapsedTimer m_lastShown;
    QTimer m_frameTimer;
    uint64_t m_shown = 0;
    int64_t m_unpainted = 0;
    std::function<void(int64_t)> m_paintedObserver;
};

}  // namespace Kora::Kernel
