#include "kernel/LatestQuoteSlot.h"

namespace Kora::Kernel {

bool LatestQuoteSlot::Store(const Kora::Interface::QuotePushRecord& record) {
    std::lock_guard lock(m_lock);
    m_latest = record;
    ++m_stored;
    const bool wake = !m_full;
    m_full = true;
    return wake;
}

std::optional<Kora::Interface::QuotePushRecord> LatestQuoteSlot::Take() {
    std::lock_guard lock(m_lock);
    if (!m_full) {
        return std::nullopt;
    }
    m_full = false;
    return m_latest;
}

uint64_t LatestQuoteSlot::Stored() const {
    std::lock_guard lock(m_lock);
    return m_stored;
}

}  // namespace Kora::Kernel
