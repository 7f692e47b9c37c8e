#include "ladder/QuickMouseHost.h"

#include "kernel/HostAccess.h"
#include "kora/interface/KRTConfigI.h"
#include "kora/interface/ThemeSvcI.h"
#include "ladder/DefaultTradeImages.h"
#include "platform/ColorRef.h"

using Kora::Interface::KRTConfigI;
using Kora::Interface::ThemeSvcI;
using Kora::Kernel::GetService;

namespace QuickMouseHost {

namespace {

const QString kDefaultFamily = QStringLiteral("Noto Sans CJK SC");

QFont DefaultFont(const QString& name) {
    QFont font(kDefaultFamily);
    font.setPointSize(name == QStringLiteral("期货快鼠买卖加粗") ? 10 : 9);
    font.setBold(name.endsWith(QStringLiteral("加粗")));
    return font;
}

// Host calls cross a module boundary; whatever they throw must not reach a paint event.
template <class Call, class Fallback>
auto AskHost(Call call, Fallback fallback) -> decltype(fallback()) {
    try {
        return call();
    } catch (...) {
        return fallback();
    }
}

}  // namespace

QFont Font(const QString& name) {
    return AskHost(
        [&] {
            auto theme = GetService<ThemeSvcI>();
            return theme ? theme->GetFont(name) : DefaultFont(name);
        },
        [&] { return DefaultFont(name); });
}

QColor Colour(const QString& name, uint32_t fallback) {
    return AskHost(
        [&] {
            auto theme = GetService<ThemeSvcI>();
            return Win::FromColorRef(theme ? theme->GetColor(name) : fallback);
        },
        [&] { return Win::FromColorRef(fallback); });
}

QPixmap TradeImage(const QString& name) {
    QPixmap image = AskHost(
        [&] {
            auto theme = GetService<ThemeSvcI>();
            return theme ? theme->GetImage(QStringLiteral("交易"), name) : QPixmap();
        },
        [] { return QPixmap(); });
    return image.isNull() ? DefaultTradeImage(name) : image;
}

int TriggerMode(const QString& category) {
    const int mode = AskHost(
        [&] {
            auto config = GetService<KRTConfigI>();
            return config ? config->GetTriggerMode(category) : 0;
        },
        [] { return 0; });
    return mode == 1 ? 1 : 0;
}

}  // namespace QuickMouseHost
