#pragma once

#include <cstdint>

class QWidget;

namespace Kora::Interface {

// A window is a QWidget; "no window" is null.
using WindowHandle = QWidget*;

using UINT = uint32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

// A keyboard or window message as the terminal hands it to components: message number and
// parameters with the Windows meanings (WM_KEYDOWN 0x100, virtual-key codes in wParam).
struct WindowMessage {
    WindowHandle window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

}  // namespace Kora::Interface
