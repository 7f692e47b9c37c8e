#include "trading/TradingCodes.h"

namespace TradingCodes {

QString DirectionText(QChar code) {
    switch (code.unicode()) {
        case '0':
            return QStringLiteral("买入");
        case '1':
            return QStringLiteral("卖出");
        case 'a':
            return QStringLiteral("融资买入");
        case 'b':
            return QStringLiteral("融券卖出");
        case 'c':
            return QStringLiteral("买券还券");
        case 'd':
            return QStringLiteral("卖券还款");
        case 'e':
            return QStringLiteral("直接还券");
        case 'f':
            return QStringLiteral("直接还款");
        case 'g':
            return QStringLiteral("担保品买入");
        case 'h':
            return QStringLiteral("担保品卖出");
        case 'i':
            return QStringLiteral("担保品划入");
        case 'j':
            return QStringLiteral("担保品划出");
        default:
            return QString();
    }
}

QString OffsetFlagText(QChar code) {
    switch (code.unicode()) {
        case '0':
            return QStringLiteral("开仓");
        case '1':
        case '6':
            return QStringLiteral("平仓");
        case '2':
            return QStringLiteral("平今");
        case '3':
            return QStringLiteral("净仓");
        default:
            return QString();
    }
}

QString HedgeFlagText(QChar code) {
    switch (code.unicode()) {
        case '1':
            return QStringLiteral("投机");
        case '2':
            return QStringLiteral("套利");
        case '3':
            return QStringLiteral("保值");
        default:
            return QString();
    }
}

QString PriceTypeText(QChar code) {
    switch (code.unicode()) {
        case '1':
        case '3':
        case 'G':
            return QStringLiteral("市价");
        case 'a':
            return QStringLiteral("最优5档剩余即撤");
        case 'b':
            return QStringLiteral("最优5档剩余转限");
        case 'c':
            return QStringLiteral("立即成交剩余撤单");
        case 'd':
            return QStringLiteral("全部成交否则撤单");
        case 'e':
        case 's':
            return QStringLiteral("对手方最优");
        case 'f':
        case 't':
            return QStringLiteral("本方最优");
        case 'o':
            return QStringLiteral("市价剩余转限GFD");
        case 'p':
            return QStringLiteral("市价IOC剩余即撤");
        case 'q':
            return QStringLiteral("限价FOK");
        case 'r':
            return QStringLiteral("市价FOK");
        case 'u':
            return QStringLiteral("即时成交剩余撤销");
        case 'v':
            return QStringLiteral("最优五档即时成交剩余撤销");
        case 'w':
            return QStringLiteral("全额成交或撤销(深圳)");
        default:
            return QStringLiteral("限价");
    }
}

QString AccountCategoryText(int category) {
    switch (category) {
        case 0:
        case 5:
            return QStringLiteral("证券");
        case 6:
            return QStringLiteral("个股期权");
        case 7:
            return QStringLiteral("黄金");
        case 9:
            return QStringLiteral("外盘");
        default:
            return QStringLiteral("期货");
    }
}

QString CoveredFlagText(QChar code) {
    switch (code.unicode()) {
        case '0':
            return QStringLiteral("非备兑");
        case '1':
            return QStringLiteral("备兑");
        default:
            return QString();
    }
}

QString OppositeDirection(const QString& direction) {
    return QString(CodeOf(direction) == Direction::kBuy ? Direction::kSell : Direction::kBuy);
}

QString ClosingOffsetFlag(const QString& positionKind) {
    const QChar first = CodeOf(positionKind);
    const bool digit = first >= QLatin1Char('0') && first <= QLatin1Char('9');
    const bool today = digit ? first == Offset::kCloseToday : positionKind == QStringLiteral("今仓");
    return QString(today ? Offset::kCloseToday : Offset::kClose);
}

bool IsBuyDirection(QChar direction) {
    return direction == Direction::kBuy || direction == Direction::kMarginBuy ||
           direction == Direction::kBuyToReturn || direction == Direction::kCollateralBuy;
}

bool IsSellDirection(QChar direction) {
    return direction == Direction::kSell || direction == Direction::kShortSell ||
           direction == Direction::kSellToRepay || direction == Direction::kCollateralSell;
}

bool IsWorkingStatus(QChar status) {
    return status == OrderStatus::kWorking || status == OrderStatus::kPartlyFilled;
}

QString MarketPriceType(const QString& exchange) {
    if (exchange.startsWith(QLatin1String("SHSE"))) {
        return QStringLiteral("a");
    }
    if (exchange.startsWith(QLatin1String("SZSE"))) {
        return QStringLiteral("v");
    }
    if (exchange == QLatin1String("SHQQ-A") || exchange == QLatin1String("SZQQ-A")) {
        return QStringLiteral("p");
    }
    return QStringLiteral("1");
}

}  // namespace TradingCodes
