#include "market/TradeTape.h"

namespace Terminal::Market {

void TradeTape::Record(const TradePrint& print) {
    if (m_prints.size() < kCapacity) {
        m_prints.push_back(print);
        return;
    }
    m_prints[m_next] = print;
    m_next = (m_next + 1) % kCapacity;
}

std::vector<TradePrint> TradeTape::Latest() const {
    std::vector<TradePrint> prints(m_prints.begin() + long(m_next), m_prints.end());
    prints.insert(prints.end(), m_prints.begin(), m_prints.begin() + long(m_next));
    return prints;
}

void TradeTape::Clear() {
    m_prints.clear();
    m_next = 0;
}

}  // namespace Terminal::Market
