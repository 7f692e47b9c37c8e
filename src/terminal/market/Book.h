#pragma once

#include <array>
#include <cstdint>

namespace Terminal::Market {

// The market's own depth of one contract: five levels a side, best first (bids descending,
// asks ascending). Levels with volume 0 are empty and always come last.
struct BookLevel {
    int64_t price = 0;
    int64_t volume = 0;
};

struct Book {
    std::array<BookLevel, 5> bids{};
    std::array<BookLevel, 5> asks{};

    // Takes volume from the best level of a side; an emptied level leaves the side.
    static void Consume(std::array<BookLevel, 5>& side, int64_t volume);
    // Drops empty levels inside a side so the filled ones come first.
    static void Compact(std::array<BookLevel, 5>& side);
};

inline void Book::Compact(std::array<BookLevel, 5>& side) {
    std::array<BookLevel, 5> packed{};
    size_t n = 0;
    for (const BookLevel& level : side) {
        if (level.volume > 0 && level.price > 0) {
            packed[n++] = level;
        }
    }
    side = packed;
}

inline void Book::Consume(std::array<BookLevel, 5>& side, int64_t volume) {
    side[0].volume -= volume;
    if (side[0].volume <= 0) {
        side[0] = {};
        Compact(side);
    }
}

}  // namespace Terminal::Market
