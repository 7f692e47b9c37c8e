#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <cstdint>

// What the quick-mouse controls ask of the host: theme fonts, colours and images by their
// Chinese names, and the trigger mode of the configuration. Each is asked afresh when needed,
// so a theme or setting changed in the terminal applies at once. Without the service (or
// when it fails) the documented defaults below apply, so a control never goes without.
namespace QuickMouseHost {

// Theme fonts: "期货快鼠加粗", "期货快鼠买卖加粗", "期货快鼠普通", "期货快鼠持仓加粗",
// "期货快鼠持仓普通". Default: "Noto Sans CJK SC" 9 pt, bold for the "加粗" names ("买卖加粗"
// 10 pt).
QFont Font(const QString& name);

// A theme colour; `fallback` (COLORREF) without a theme service.
QColor Colour(const QString& name, uint32_t fallback);

// An image of the theme category "交易"; without one, the control library's own drawing of
// that name (see DefaultTradeImages.h); null for a name neither knows.
QPixmap TradeImage(const QString& name);

// The quick-mouse trigger mode of a category ("期货"): 0 single click places (the default,
// also for any value other than 0 and 1), 1 double click places.
int TriggerMode(const QString& category);

}  // namespace QuickMouseHost
