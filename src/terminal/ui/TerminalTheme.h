#pragma once

#include <QColor>

class QApplication;

// The terminal's look: a dark trading-terminal palette (Fusion style), a CJK-capable font and
// the frame's own styling (menus, dock titles, headers, status bar). Tool dialogs inherit the
// palette, so a docked tool sits in the same colours as the frame around it.
namespace Terminal::Ui::Theme {

// Prices above the reference are red, below it green, as Chinese markets show them.
inline const QColor kRise{0xFF, 0x4D, 0x4F};
inline const QColor kFall{0x2E, 0xC2, 0x71};
inline const QColor kFlat{0xDD, 0xE1, 0xE6};
inline const QColor kCode{0xF2, 0xC0, 0x4E};
inline const QColor kMuted{0x8B, 0x93, 0x9E};
inline const QColor kAccent{0x3D, 0x8E, 0xF0};
inline const QColor kBase{0x12, 0x15, 0x1A};
inline const QColor kWindow{0x1B, 0x1F, 0x26};

void Apply(QApplication& app);

}  // namespace Terminal::Ui::Theme
