#pragma once

#include <QCursor>
#include <QPixmap>

// The ladder's images: the cancel icon of the order cells and headers, and the cursors its
// owner hands it for dragging orders.
namespace LadderAssets {

// Cursor resources of the module.
constexpr int kCancelCursor = 11003;
constexpr int kMoveCursor = 11004;

// The cancel icon, read once for all ladders from "Skins/Default/Trade/close_order.png" under
// the working folder. Without that file the icon is drawn, so orders can always be cancelled.
const QPixmap& CancelIcon();

// The cursor resource with that number; the arrow for an unknown number.
QCursor LoadCursor(int resourceId);

}  // namespace LadderAssets
