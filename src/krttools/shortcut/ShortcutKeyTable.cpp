#include "shortcut/ShortcutKeyTable.h"

#include "kernel/HostAccess.h"
#include "kora/interface/KRTConfigI.h"
#include "kora/utility/JsonAccess.h"

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

}  // namespace

ShortcutKeyTable& ShortcutKeyTable::Shared() {
    static ShortcutKeyTable table;
    return table;
}

uint32_t ShortcutKeyTable::BindingKey(int64_t virtualKey, int64_t modifiers) {
    return (static_cast<uint32_t>(virtualKey) & 0xFFFFu) * 65536u +
           (static_cast<uint32_t>(modifiers) & 0xFFFFu);
}

void ShortcutKeyTable::Add(const Json::Value& item, int command) {
    uint32_t key = BindingKey(JsonInt(item, "快捷键", 0), JsonInt(item, "控制键", 0));
    m_bindings[key] = Binding{command, item};
}

void ShortcutKeyTable::Load(const Json::Value& section) {
    m_bindings.clear();
    const Json::Value& orders = Member(section, "下单快捷键");
    if (orders.isArray() || orders.isObject()) {
        for (const Json::Value& element : orders) {
            Add(element, kOrderCommand);
        }
    }
    for (const SingleItem& item : kSingleItems) {
        Add(Member(section, item.name), item.command);
    }
}

void ShortcutKeyTable::LoadFromConfiguration() {
    auto config = Kora::Kernel::GetService<Kora::Interface::KRTConfigI>();
    Load(config ? config->GetSection(QString::fromUtf8(kSection)) : Json::Value());
}

ShortcutKeyTable::Binding ShortcutKeyTable::Lookup(int virtualKey, uint32_t modifiers) const {
    auto it = m_bindings.find(BindingKey(virtualKey, modifiers));
    if (it == m_bindings.end()) {
        return Binding{};
    }
    return it->second;
}
