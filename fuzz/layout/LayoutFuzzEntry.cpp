// Feeds arbitrary text to the layout reader as if it were the saved layout file. It must answer
// a layout or say why there is none, and a layout it accepts must read back the same from the
// text it would write for it.

#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/LayoutFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    namespace LayoutFile = Terminal::Ui::LayoutFile;
    QString problem;
    const auto layout = LayoutFile::Parse(std::string(reinterpret_cast<const char*>(data), size), problem);
    if (!layout) {
        if (problem.isEmpty()) {
            __builtin_trap();
        }
        return 0;
    }
    QString again;
    const auto reread = LayoutFile::Parse(LayoutFile::Compose(*layout), again);
    if (!reread || !(*reread == *layout)) {
        __builtin_trap();
    }
    return 0;
}
