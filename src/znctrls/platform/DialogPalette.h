#pragma once

#include <QPalette>

class QWidget;

namespace Win {

// The classic light dialog colours (button face, white edit fields, black text). Dialogs that
// paint a light face of their own take it, so their edits, boxes and disabled captions read
// right whatever theme the hosting terminal gives the application.
QPalette LightDialogPalette();

// Gives the palette to a dialog and to every control it holds now. Each control takes it
// itself: under a style sheet, children do not inherit a palette from their dialog.
void ApplyLightDialogPalette(QWidget& dialog);

}  // namespace Win
