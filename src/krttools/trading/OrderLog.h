#pragma once

#include <json/value.h>

#include <QString>

struct OrderTicket;

// The order-log line every tool writes for every order it sends, besides its own lines.
namespace OrderLog {

// The line of an engine order object: the contract code, the direction, offset and hedge
// codes, the price (the limit price of a "CustomPrice" order, else the price rule's or the
// price type's name), the volume, and the "ExtRawData" fields in key order, joined with '|'.
QString Line(const Json::Value& order);

// Writes the line at level 103 to the engine's log under the tool's source name.
void Write(const Json::Value& order, const QString& source);

// Writes the line of a ticket that a page of the host sends rather than this component (a leg
// of a combination order): the line of the engine's order object for it, as if sent. When the
// engine makes no order of it, a level-1 line "错误|委托无效|<exchange>|<contract>" says so.
void WriteLeg(const OrderTicket& leg, const QString& source);

}  // namespace OrderLog
