#include "ladder/PointerRest.h"

#include <algorithm>

void PointerRest::Moved(int64_t now) {
    m_over = true;
    m_lastMove = now;
}

void PointerRest::Left() {
    m_over = false;
}

int64_t PointerRest::WaitLeft(int64_t now) const {
    return Busy(now) ? std::max<int64_t>(kRestMs - (now - m_lastMove), 0) : 0;
}
