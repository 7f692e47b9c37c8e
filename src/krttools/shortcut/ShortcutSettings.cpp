#include "shortcut/ShortcutSettings.h"

#include "kora/utility/JsonAccess.h"

using Kora::Utility::JsonBool;
using Kora::Utility::JsonInt;
using Kora::Utility::JsonWText;

namespace {
QChar PriceChoice(const Json::Value& section, const char* key) {
    QString text = JsonWText(section, key);
    return text.isEmpty() ? QLatin1Char('5') : text.front();
}
}  // namespace

ShortcutSettings ShortcutSettings::FromSection(const Json::Value& section) {
    ShortcutSettings s;
    s.orderWithoutConfirm = JsonBool(section, "下单无需确认", false);
    s.cancelWithoutConfirm = JsonBool(section, "撤单无需确认", false);
    s.closeWithoutConfirm = JsonBool(section, "平仓无需确认", false);
    s.closePrice = PriceChoice(section, "平仓价格");
    s.lockPrice = PriceChoice(section, "锁仓价格");
    s.reversePrice = PriceChoice(section, "反手价格");
    s.extraTicks = static_cast<int>(JsonInt(section, "超价点数", 0));
    return s;
}
