#pragma once

#include <cstdint>

// Whether the pointer is busy over a widget: over it and moved within the last kRestMs. Times
// are milliseconds of one steady clock.
class PointerRest {
public:
    static constexpr int64_t kRestMs = 2000;

    void Moved(int64_t now);
    void Left();

    bool Busy(int64_t now) const { return m_over && now - m_lastMove < kRestMs; }
    // Milliseconds until the pointer counts as resting if it stays still; 0 when it does already.
    int64_t WaitLeft(int64_t now) const;

private:
    bool m_over = false;
    int64_t m_lastMove = 0;
};
