#include "platform/WindowToken.h"

#include <QPointer>
#include <QWidget>
#include <map>
#include <mutex>

namespace Win {

namespace {

struct Table {
    std::mutex lock;
    std::map<uint32_t, QPointer<QWidget>> windows;
    uint32_t next = 1;
};

Table& Tokens() {
    static Table table;
    return table;
}

}  // namespace

uint32_t WindowToken(QWidget* window) {
    if (!window) {
        return 0;
    }
    Table& table = Tokens();
    std::lock_guard guard(table.lock);
    for (auto it = table.windows.begin(); it != table.windows.end();) {
        if (it->second == window) {
            return it->first;
        }
        // Tokens of windows that are gone are dropped as the table is walked.
        it = it->second ? std::next(it) : table.windows.erase(it);
    }
    const uint32_t token = table.next++;
    table.windows.emplace(token, window);
    return token;
}

QWidget* WindowOfToken(uint32_t token) {
    Table& table = Tokens();
    std::lock_guard guard(table.lock);
    const auto found = table.windows.find(token);
    return found == table.windows.end() ? nullptr : found->second.data();
}

}  // namespace Win
