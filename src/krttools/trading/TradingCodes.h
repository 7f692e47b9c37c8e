#pragma once

#include <QChar>
#include <QString>

// Display texts of the one-character trading codes of host records, and the codes derived from
// them. Pure functions: a code a table does not list gives the empty text unless noted.
namespace TradingCodes {

QString DirectionText(QChar code);
QString OffsetFlagText(QChar code);
QString HedgeFlagText(QChar code);
// Never empty: unlisted codes are limit orders ("限价").
QString PriceTypeText(QChar code);
QString AccountCategoryText(int category);
QString CoveredFlagText(QChar code);

// The direction that closes a position of the given direction field: "0" (long) closes with
// "1" (sell); anything else, the empty field included, with "0" (buy).
QString OppositeDirection(const QString& direction);
// The offset flag that closes a position of the given kind field: "2" (close today) for the
// digit '2' or the text "今仓", otherwise "1" (close).
QString ClosingOffsetFlag(const QString& positionKind);

// The first character of a field, or a null character for an empty one.
inline QChar CodeOf(const QString& field) {
    return field.isEmpty() ? QChar() : field.front();
}

}  // namespace TradingCodes
