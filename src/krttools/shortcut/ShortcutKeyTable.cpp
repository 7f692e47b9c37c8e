#include "shortcut/ShortcutKeyTable.h"

#include <cstring>

#include "kernel/HostAccess.h"
#include "kora/interface/KRTConfigI.h"
#include "kora/utility/JsonAccess.h"
#include "shortcut/OrderKey.h"
#include "trading/OrderTicket.h"

using Kora::Utility::JsonInt;
using Kora::Utility::Member;

namespace {

struct SingleItem {
    const char* name;
    int command;
};

// Loading order after the order keys; the order decides which binding wins a shared chord.
constexpr SingleItem kSingleItems[] = {
    {"一键锁仓快捷键", 13},    {"一键反手快捷键", 14},  {"一键平仓快捷键", 12},  {"撤买快捷键", 8},
    {"撤卖快捷键", 9},         {"撤全部快捷键", 10},    {"撤最后快捷键", 11},    {"数量设置快捷键", 1},
    {"认沽认购切换快捷键", 2}, {"行权价变大快捷键", 5}, {"行权价变小快捷键", 6}, {"回到平值快捷键", 4},
    {"合约月份切换快捷键", 3},
};

constexpr int kOrderCommand = 7;
constexpr const char* kOrderItem = "下单快捷键";
constexpr const char* kMultiplierItem = "数量设置快捷键";

constexpr int kF1 = 112;
constexpr int kF24 = 135;

}  // namespace

ShortcutKeyTable& ShortcutKeyTable::Shared() {
    static ShortcutKeyTable table;
    return table;
}

uint32_t ShortcutKeyTable::BindingKey(int64_t virtualKey, int64_t modifiers) {
    return (static_cast<uint32_t>(virtualKey) & 0xFFFFu) * 65536u +
           (static_cast<uint32_t>(modifiers) & 0xFFFFu);
}

QString ShortcutKeyTable::ChordText(int64_t virtualKey, int64_t modifiers) {
    QString text;
    const std::pair<uint32_t, const char*> names[] = {{kCtrl, "Ctrl+"}, {kShift, "Shift+"}, {kAlt, "Alt+"}};
    for (const auto& [bit, name] : names) {
        if (modifiers & bit) {
            text += QLatin1String(name);
        }
    }
    if (virtualKey >= kF1 && virtualKey <= kF24) {
        return text + QStringLiteral("F%1").arg(virtualKey - kF1 + 1);
    }
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')) {
        return text + QChar(static_cast<char16_t>(virtualKey));
    }
    return text + QStringLiteral("键%1").arg(virtualKey);
}

QString ShortcutKeyTable::Problem(const char* item, const Json::Value& binding) {
    OrderKey::Problem problem;
    if (std::strcmp(item, kOrderItem) == 0) {
        if (OrderKey::Read(binding, &problem)) {
            return {};
        }
    } else if (std::strcmp(item, kMultiplierItem) == 0) {
        const Json::Value& multiplier = Member(binding, "数量倍率");
        bool whole = true;
        const qint64 value =
            multiplier.isNull() ? 1 : Kora::Utility::JsonWText(multiplier).toLongLong(&whole);
        if (whole && value >= 1 && value <= OrderTicket::kMaxVolume) {
            return {};
        }
        problem = {QStringLiteral("数量倍率"), Kora::Utility::JsonWText(multiplier)};
    } else {
        return {};
    }
    return QStringLiteral("快捷键设置无效|%1|%2|%3=%4")
        .arg(QString::fromUtf8(item), ChordText(JsonInt(binding, "快捷键", 0), JsonInt(binding, "控制键", 0)),
             problem.parameter, problem.value);
}

QString ShortcutKeyTable::Add(const char* name, const Json::Value& item, int command) {
    QString problem = Problem(name, item);
    if (problem.isEmpty()) {
        uint32_t key = BindingKey(JsonInt(item, "快捷键", 0), JsonInt(item, "控制键", 0));
        m_bindings[key] = Binding{command, item};
    }
    return problem;
}

QStringList ShortcutKeyTable::Load(const Json::Value& section) {
    m_bindings.clear();
    QStringList problems;
    const auto add = [&](const char* name, const Json::Value& item, int command) {
        const QString problem = Add(name, item, command);
        if (!problem.isEmpty()) {
            problems << problem;
        }
    };
    const Json::Value& orders = Member(section, kOrderItem);
    if (orders.isArray() || orders.isObject()) {
        for (const Json::Value& element : orders) {
            add(kOrderItem, element, kOrderCommand);
        }
    }
    for (const SingleItem& item : kSingleItems) {
        add(item.name, Member(section, item.name), item.command);
    }
    return problems;
}

QStringList ShortcutKeyTable::LoadFromConfiguration() {
    auto config = Kora::Kernel::GetService<Kora::Interface::KRTConfigI>();
    return Load(config ? config->GetSection(QString::fromUtf8(kSection)) : Json::Value());
}

ShortcutKeyTable::Binding ShortcutKeyTable::Lookup(int virtualKey, uint32_t modifiers) const {
    auto it = m_bindings.find(BindingKey(virtualKey, modifiers));
    if (it == m_bindings.end()) {
        return Binding{};
    }
    return it->second;
}
