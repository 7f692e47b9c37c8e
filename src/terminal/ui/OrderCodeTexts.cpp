#include "ui/OrderCodeTexts.h"

namespace Terminal::Ui::OrderCodeTexts {

QString Direction(char code) {
    switch (code) {
        case '0':
            return QStringLiteral("买入");
        case '1':
            return QStringLiteral("卖出");
        default:
            return QStringLiteral("未知");
    }
}

QString Offset(char code) {
    switch (code) {
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
            return QStringLiteral("未知");
    }
}

QString Covered(char code) {
    return code == '1' ? QStringLiteral("备兑") : QStringLiteral("非备兑");
}

}  // namespace Terminal::Ui::OrderCodeTexts
