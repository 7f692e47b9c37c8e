#pragma once

#include <cstdint>

class QWidget;

namespace Win {

// Windows as 32-bit tokens, for records of fixed layout that carry a window in four bytes. One
// table for the whole process (the terminal and its components share this library): a window
// keeps its token for its life, and a token whose window is gone names no window.
uint32_t WindowToken(QWidget* window);   // 0 for none
QWidget* WindowOfToken(uint32_t token);  // null when unknown or gone

}  // namespace Win
