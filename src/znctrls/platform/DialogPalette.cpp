#include "platform/DialogPalette.h"

#include <QColor>
#include <QWidget>

namespace Win {

QPalette LightDialogPalette() {
    const QColor face(0xF0, 0xF0, 0xF0);
    const QColor text(0x1A, 0x1A, 0x1A);
    // Window text, window, light, dark, mid, text, base.
    QPalette palette(QColor(0x33, 0x33, 0x33), face, Qt::white, QColor(0xA0, 0xA0, 0xA0),
                     QColor(0xC8, 0xC8, 0xC8), text, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(0xF7, 0xF7, 0xF7));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::PlaceholderText, QColor(0x8A, 0x8A, 0x8A));
    palette.setColor(QPalette::Highlight, QColor(0x33, 0x78, 0xD6));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, QColor(0xA0, 0xA0, 0xA0));
    }
    palette.setColor(QPalette::Disabled, QPalette::Base, face);
    return palette;
}

void ApplyLightDialogPalette(QWidget& dialog) {
    const QPalette palette = LightDialogPalette();
    dialog.setPalette(palette);
    for (QWidget* control : dialog.findChildren<QWidget*>()) {
        control->setPalette(palette);
    }
}

}  // namespace Win
