#include "shortcut/OrderKey.h"

#include <cstdlib>

#include "kora/utility/JsonAccess.h"
#include "trading/TradingCodes.h"

using Kora::Utility::JsonWText;
using Kora::Utility::Member;
namespace Codes = TradingCodes;

namespace {

constexpr int kMostExtraTicks = 1000;

// The code a parameter names, when it is one of `codes`.
std::optional<QChar> CodeAmong(const QString& text, std::initializer_list<QChar> codes) {
    if (text.size() != 1) {
        return std::nullopt;
    }
    for (QChar code : codes) {
        if (text.front() == code) {
            return code;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<OrderKey> OrderKey::Read(const Json::Value& element, Problem* problem) {
    const auto refuse = [&](const char* parameter, const QString& value) -> std::optional<OrderKey> {
        if (problem) {
            *problem = {QString::fromUtf8(parameter), value};
        }
        return std::nullopt;
    };
    OrderKey key;
    // A side or offset left out is a buy or an open, as keys have always been read.
    const QString side = JsonWText(element, "买卖", QString(Codes::Direction::kBuy));
    const auto direction = CodeAmong(side, {Codes::Direction::kBuy, Codes::Direction::kSell});
    if (!direction) {
        return refuse("买卖", side);
    }
    key.direction = *direction;
    const QString offsetText = JsonWText(element, "开平", QString(Codes::Offset::kOpen));
    const auto offset = CodeAmong(offsetText, {Codes::Offset::kOpen, Codes::Offset::kClose,
                                               Codes::Offset::kCloseToday, Codes::Offset::kNetPosition});
    if (!offset) {
        return refuse("开平", offsetText);
    }
    key.offset = *offset;
    key.atAsk = JsonWText(element, "价格") == QStringLiteral("卖一价");
    const Json::Value& ticks = Member(element, "超价");
    if (!ticks.isNull()) {
        bool whole = false;
        const int value = JsonWText(ticks).toInt(&whole);
        if (!whole || std::abs(value) > kMostExtraTicks) {
            return refuse("超价", JsonWText(ticks));
        }
        key.extraTicks = value;
    }
    return key;
}
