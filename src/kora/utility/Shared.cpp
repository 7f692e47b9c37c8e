#include "kora/utility/Shared.h"

namespace Kora::Utility {

namespace {
constexpr uint8_t kStaticBit = 0x01;
}

Shared::~Shared() = default;

void Shared::AddRef() {
    m_refCount.fetch_add(1, std::memory_order_relaxed);
}

void Shared::Release() {
    if (m_refCount.fetch_sub(1, std::memory_order_acq_rel) == 1 && !(m_flags.load() & kStaticBit)) {
        delete this;
    }
}

int32_t Shared::GetRefCount() const {
    return m_refCount.load(std::memory_order_relaxed);
}

void Shared::SetStatic(bool isStatic) {
    if (isStatic) {
        m_flags.fetch_or(kStaticBit);
    } else {
        m_flags.fetch_and(static_cast<uint8_t>(~kStaticBit));
    }
}

}  // namespace Kora::Utility
