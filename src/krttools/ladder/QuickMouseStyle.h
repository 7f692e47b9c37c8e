#pragma once

#include <QString>

// The light face the quick-mouse windows share: the window's background, and its buttons, boxes,
// edits and labels. A window adds the rules of its own controls after it.
QString QuickMouseStyleSheet(const QString& windowClass);
