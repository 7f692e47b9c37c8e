#pragma once

#include <mutex>
#include <optional>

#include "kora/interface/QuotePush.h"

namespace Kora::Kernel {

// Hands quote pushes from the host's delivery thread to a window, latest first: a push replaces
// whatever the window has not taken yet, so however fast pushes arrive the window handles at
// most one at a time and never a backlog. Store answers true only for the push that found the
// slot empty, which tells the caller to wake the window; until the window takes the quote,
// later pushes just replace it.
class LatestQuoteSlot {
public:
    // From any thread. True when the window must be woken.
    bool Store(const Kora::Interface::QuotePushRecord& record);
    // The latest push, or nothing; the slot is empty afterwards.
    std::optional<Kora::Interface::QuotePushRecord> Take();
    // Pushes stored so far, for watching how many were replaced unseen.
    uint64_t Stored() const;

private:
    mutable std::mutex m_lock;
    Kora::Interface::QuotePushRecord m_latest;
    bool m_full = false;
    uint64_t m_stored = 0;
};

}  // namespace Kora::Kernel
