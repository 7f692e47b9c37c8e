#pragma once

#include <optional>

#include "kora/interface/WindowTypes.h"

class QKeyEvent;

// Keyboard events as the terminal hands them to components: Windows key messages with virtual-key
// codes, so a component's key tables (F5 = 116, Ctrl = 17, "A" = 65 ...) hold on this platform.
namespace Terminal::Ui {

// The virtual-key code of a Qt key (US layout for the punctuation keys; keypad keys by their
// own codes); 0 for a key that has none.
int VirtualKeyOf(int qtKey, bool keypad);

// The message of a key press or release: WM_KEYDOWN/WM_KEYUP, or the WM_SYS variants while Alt
// is held without Ctrl. lParam carries the repeat count 1, the scan code, the context bit (Alt),
// the previous-state bit (auto-repeat and releases) and the transition bit (releases). Nothing
// for keys without a code and for the release half of an auto-repeat, which Windows never sends.
std::optional<Kora::Interface::WindowMessage> KeyMessageOf(const QKeyEvent& event,
                                                           Kora::Interface::WindowHandle window);

}  // namespace Terminal::Ui
