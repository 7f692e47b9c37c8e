#pragma once

#include <cstddef>
#include <deque>
#include <vector>

namespace Terminal {

// The latest entries of a stream that a long session would otherwise keep without bound (the
// journal's lines, the log's lines, the requests sent), at most `capacity` of them, oldest
// first. Not locked: its owner guards it.
template <class T>
class RecentWindow {
public:
    explicit RecentWindow(size_t capacity) : m_capacity(capacity) {}

    void Add(T entry) {
        m_entries.push_back(std::move(entry));
        if (m_entries.size() > m_capacity) {
            m_entries.pop_front();
        }
        ++m_added;
    }
    std::vector<T> Copy() const { return {m_entries.begin(), m_entries.end()}; }
    // How many entries were ever added.
    size_t Added() const { return m_added; }

private:
    size_t m_capacity;
    // A deque: a growing vector moves every entry at once, a pause that lands on whichever
    // caller happens to trigger it.
    std::deque<T> m_entries;
    size_t m_added = 0;
};

}  // namespace Terminal
