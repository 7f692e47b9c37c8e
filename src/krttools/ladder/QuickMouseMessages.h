#pragma once

#include "platform/WinMessage.h"

// The window messages between the quick-mouse controls and their owners. Numbers and
// parameter meanings are fixed: owners written against them match on the numbers.
namespace QuickMouseMsg {

using Win::WM_USER;

// Header → owning list. WPARAM: column under the pointer (-1 when none); LPARAM: 1 when the
// header has two lines and the pointer is below its middle, else 0.
constexpr Win::UINT kHeaderDoubleClick = WM_USER + 66;
constexpr Win::UINT kHeaderRelease = WM_USER + 67;
constexpr Win::UINT kHeaderPress = WM_USER + 68;
constexpr Win::UINT kHeaderMove = WM_USER + 69;
constexpr Win::UINT kHeaderRightPress = WM_USER + 70;
// After a layout pass; no parameters.
constexpr Win::UINT kHeaderLayout = WM_USER + 71;
// After a column was resized by dragging. WPARAM: the column; LPARAM: const QRect* of its new
// rectangle in header coordinates (valid during the call only).
constexpr Win::UINT kHeaderColumnResized = WM_USER + 55;

// Ladder → its parent, sent. WPARAM: const QString* price text; LPARAM: '0' (48) buy, '1' sell.
constexpr Win::UINT kPlaceOrder = WM_USER + 1502;
// WPARAM: const QString* order identifier; LPARAM: 48.
constexpr Win::UINT kCancelOrder = WM_USER + 1503;
// WPARAM: const QString* order identifier; LPARAM: const QString* price text of the target row.
constexpr Win::UINT kMoveOrder = WM_USER + 1504;
// Volume editor → the ladder's parent, posted. WPARAM: payload std::vector<QString> of the group's
// order identifiers; LPARAM: payload QString with the volume entered (read with
// Win::PayloadValue; the message owns both).
constexpr Win::UINT kChangeVolume = WM_USER + 1505;

// Open-order panel → parent, sent. WPARAM: the volume to put into the volume edit.
constexpr Win::UINT kSetVolume = WM_USER + 20;

// Spin edit → parent, sent on every text change. WPARAM: the CPriceHSpinEdit* that changed.
constexpr Win::UINT kSpinEditChanged = WM_USER + 102;
// → spin edit. WPARAM: 1 takes the larger, -1 (as a signed value) the smaller of its last two values.
constexpr Win::UINT kSpinEditTakeLast = WM_USER + 141;
// → spin edit, which stores the index and passes the message on to its parent unchanged.
constexpr Win::UINT kSelectionIndex = WM_USER + 150;

}  // namespace QuickMouseMsg
