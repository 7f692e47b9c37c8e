#pragma once

#include <json/value.h>

#include <QChar>

// The keyboard order settings of the configuration section "公共参数键盘下单设置" beyond the
// key chords: which actions skip their confirmation, how close-all, lock and reverse price
// their orders ("1" the other side ... "6" market), and the extra ticks added to those prices.
struct ShortcutSettings {
    bool orderWithoutConfirm = false;       // "下单无需确认": orders, lock, reverse
    bool cancelWithoutConfirm = false;      // "撤单无需确认"
    bool closeWithoutConfirm = false;       // "平仓无需确认"
    QChar closePrice = QLatin1Char('5');    // "平仓价格"
    QChar lockPrice = QLatin1Char('5');     // "锁仓价格"
    QChar reversePrice = QLatin1Char('5');  // "反手价格"
    int extraTicks = 0;                     // "超价点数"

    static ShortcutSettings FromSection(const Json::Value& section);
};
