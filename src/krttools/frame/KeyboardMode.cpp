#include "frame/KeyboardMode.h"

namespace KeyboardMode {

bool OnKeyMessage(const Kora::Interface::WindowMessage&) { return false; }

}  // namespace KeyboardMode
