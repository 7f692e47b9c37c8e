#pragma once

#include <QChar>
#include <QString>
#include <string>

// The one-character trading codes of host records, their display texts, and the codes derived
// from them. This is the one place that spells a code letter: tools name the codes below. Pure
// functions: a code a table does not list gives the empty text unless noted.
namespace TradingCodes {

// Direction, field "112". The margin directions are those of credit accounts.
namespace Direction {
inline constexpr QChar kBuy{u'0'};
inline constexpr QChar kSell{u'1'};
inline constexpr QChar kMarginBuy{u'a'};       // 融资买入
inline constexpr QChar kShortSell{u'b'};       // 融券卖出
inline constexpr QChar kBuyToReturn{u'c'};     // 买券还券
inline constexpr QChar kSellToRepay{u'd'};     // 卖券还款
inline constexpr QChar kCollateralBuy{u'g'};   // 担保品买入
inline constexpr QChar kCollateralSell{u'h'};  // 担保品卖出
}  // namespace Direction

// Whether a direction buys or sells: the side of the ladder its orders stand on.
bool IsBuyDirection(QChar direction);
bool IsSellDirection(QChar direction);

// Offset flag, field "117". A net-position order is split by the engine into a close of the
// opposite position and an open of the rest.
namespace Offset {
inline constexpr QChar kOpen{u'0'};
inline constexpr QChar kClose{u'1'};
inline constexpr QChar kCloseToday{u'2'};
inline constexpr QChar kNetPosition{u'3'};
}  // namespace Offset

// Hedge flag, field "119".
namespace Hedge {
inline constexpr QChar kSpeculation{u'1'};
inline constexpr QChar kArbitrage{u'2'};
inline constexpr QChar kHedging{u'3'};
}  // namespace Hedge

// Covered flag of stock options, field "125".
namespace Covered {
inline constexpr QChar kUncovered{u'0'};
inline constexpr QChar kCovered{u'1'};
}  // namespace Covered

// Price type, field "40": a limit order; market orders take their exchange's code
// (MarketPriceType).
namespace PriceType {
inline constexpr QChar kLimit{u'2'};
}  // namespace PriceType

// Time condition, field "41", and volume condition, field "42": a day order takes any volume;
// fill-and-kill is immediate with any volume, fill-or-kill immediate with all or nothing.
namespace TimeCondition {
inline constexpr QChar kImmediate{u'1'};
inline constexpr QChar kGoodForDay{u'3'};
}  // namespace TimeCondition
namespace VolumeCondition {
inline constexpr QChar kAnyVolume{u'1'};
inline constexpr QChar kAllOrNothing{u'3'};
}  // namespace VolumeCondition

// Order status, field "156".
namespace OrderStatus {
inline constexpr QChar kFilled{u'0'};
inline constexpr QChar kPartlyFilled{u'1'};
inline constexpr QChar kWorking{u'2'};
inline constexpr QChar kCancelled{u'4'};
inline constexpr QChar kRejected{u'5'};
}  // namespace OrderStatus

// Whether an order of that status still rests in the market (partly filled or not at all).
bool IsWorkingStatus(QChar status);

// The price type of a market order on an exchange: best five levels, the rest cancelled, in
// Shanghai ("a"); best five immediate or cancel in Shenzhen ("v"); market immediate or cancel
// for stock options ("p"); a plain market order ("1") for the futures exchanges.
QString MarketPriceType(const QString& exchange);

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

// A code as text, as order requests carry it; a null code gives the empty text.
inline std::string CodeText(QChar code) {
    return code.isNull() ? std::string() : QString(code).toStdString();
}

}  // namespace TradingCodes
