#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Terminal::Market {

// One trade of the market as the trade list shows it.
struct TradePrint {
    uint32_t time = 0;  // hhmmss
    int64_t price = 0;  // price units
    int64_t volume = 0;
    bool buyerInitiated = false;  // the buyer was the aggressor
    int64_t interestChange = 0;   // what the trade did to open interest
};

// The latest trades of one contract, at most kCapacity of them.
class TradeTape {
public:
    static constexpr size_t kCapacity = 100;

    void Record(const TradePrint& print);
    // Oldest first.
    std::vector<TradePrint> Latest() const;
    void Clear();

private:
    std::vector<TradePrint> m_prints;
    size_t m_next = 0;  // where the next print goes once the tape is full
};

}  // namespace Terminal::Market
