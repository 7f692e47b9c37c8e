#pragma once

#include "kora/interface/WindowTypes.h"

// The keyboard order mode: switching it on and off, and the key filter that turns key chords
// into actions of the shortcut trade window while it is on.
namespace KeyboardMode {

// Every keyboard message of the terminal; true when a shortcut acted on it.
bool OnKeyMessage(const Kora::Interface::WindowMessage& message);

}  // namespace KeyboardMode
