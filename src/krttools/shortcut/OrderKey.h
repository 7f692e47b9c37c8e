#pragma once

#include <json/value.h>

#include <QChar>
#include <QString>
#include <optional>

// The order one element of the keyboard settings' "下单快捷键" places: its side ("买卖": 0 buy,
// 1 sell), its offset ("开平": 0 open, 1 close, 2 close today, 3 net position), the quote it
// prices from ("价格": "卖一价" the ask price 1, anything else the bid price 1) and the extra
// ticks added in the order's direction ("超价", default 0). Numbers may be written as numbers
// or as text; a side or offset left out reads as buy or open.
struct OrderKey {
    QChar direction;
    QChar offset;
    bool atAsk = false;
    int extraTicks = 0;

    // The parameter that makes an element unusable, and what it held.
    struct Problem {
        QString parameter;
        QString value;
    };
    // The order of an element; nothing, with the first bad parameter, for an empty or unknown
    // side or offset or extra ticks that are not a whole number of at most a thousand.
    static std::optional<OrderKey> Read(const Json::Value& element, Problem* problem = nullptr);
};
