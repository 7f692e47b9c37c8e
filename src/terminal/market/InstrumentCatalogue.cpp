#include "market/InstrumentCatalogue.h"

#include <algorithm>
#include <mutex>

namespace Terminal::Market {

InstrumentCatalogue::InstrumentCatalogue()
    : m_slots(std::make_unique<std::unique_ptr<Instrument>[]>(size_t(kCapacity))) {}

const Instrument* InstrumentCatalogue::At(int index) const {
    return index >= 0 && index < Size() ? m_slots[size_t(index)].get() : nullptr;
}

const Instrument* InstrumentCatalogue::Find(std::string_view exchange, std::string_view code) const {
    std::shared_lock lock(m_lock);
    auto it = m_byExchange.find({std::string(exchange), std::string(code)});
    return it == m_byExchange.end() ? nullptr : m_slots[size_t(it->second)].get();
}

const Instrument* InstrumentCatalogue::FindByKey(int32_t marketId, std::string_view code) const {
    std::shared_lock lock(m_lock);
    auto it = m_byKey.find({marketId, std::string(code)});
    return it == m_byKey.end() ? nullptr : m_slots[size_t(it->second)].get();
}

std::vector<const Instrument*> InstrumentCatalogue::FindByCode(std::string_view code) const {
    std::vector<const Instrument*> found;
    for (const Instrument& instrument : All()) {
        if (instrument.code == code) {
            found.push_back(&instrument);
        }
    }
    return found;
}

std::vector<int> InstrumentCatalogue::Underlyings() const {
    std::shared_lock lock(m_lock);
    // In the order their chains were first listed.
    std::vector<std::pair<int, int>> firstListed;
    for (const auto& [underlying, chain] : m_chains) {
        if (!chain.months.empty()) {
            int first = kCapacity;
            for (const auto& [month, options] : chain.months) {
                first = std::min(first, *std::min_element(options.begin(), options.end()));
            }
            firstListed.emplace_back(first, underlying);
        }
    }
    std::sort(firstListed.begin(), firstListed.end());
    std::vector<int> underlyings;
    for (const auto& [first, underlying] : firstListed) {
        underlyings.push_back(underlying);
    }
    return underlyings;
}

std::vector<std::string> InstrumentCatalogue::Months(int underlying) const {
    std::shared_lock lock(m_lock);
    std::vector<std::string> months;
    auto chain = m_chains.find(underlying);
    if (chain != m_chains.end()) {
        for (const auto& [month, options] : chain->second.months) {
            months.push_back(month.second);
        }
    }
    return months;
}

std::vector<int> InstrumentCatalogue::Options(int underlying, std::string_view month) const {
    std::shared_lock lock(m_lock);
    auto chain = m_chains.find(underlying);
    if (chain == m_chains.end()) {
        return {};
    }
    for (const auto& [key, options] : chain->second.months) {
        if (key.second == month) {
            return options;
        }
    }
    return {};
}

bool InstrumentCatalogue::IsListed(int index) const {
    std::shared_lock lock(m_lock);
    return index >= 0 && size_t(index) < m_delisted.size() && !m_delisted[size_t(index)];
}

int InstrumentCatalogue::Add(Instrument instrument) {
    std::unique_lock lock(m_lock);
    const int index = Size();
    if (index >= kCapacity || m_byExchange.contains({instrument.exchange, instrument.code})) {
        return -1;
    }
    instrument.index = index;
    m_byExchange[{instrument.exchange, instrument.code}] = index;
    m_byKey[{instrument.marketId, instrument.code}] = index;
    m_delisted.push_back(false);
    if (instrument.option) {
        const OptionTerms& terms = *instrument.option;
        std::vector<int>& options = m_chains[terms.underlying].months[{terms.expiry, terms.month}];
        auto place = std::find_if(options.begin(), options.end(), [&](int other) {
            const OptionTerms& o = *m_slots[size_t(other)]->option;
            return std::pair(o.strike, o.isPut) > std::pair(terms.strike, terms.isPut);
        });
        options.insert(place, index);
    }
    m_slots[size_t(index)] = std::make_unique<Instrument>(std::move(instrument));
    m_size.store(index + 1, std::memory_order_release);
    return index;
}

std::vector<int> InstrumentCatalogue::DelistExpired(const QDateTime& time) {
    std::unique_lock lock(m_lock);
    std::vector<int> delisted;
    for (int i = 0; i < Size(); ++i) {
        const QDateTime last = m_slots[size_t(i)]->LastTradingTime();
        if (!m_delisted[size_t(i)] && last.isValid() && last <= time) {
            m_delisted[size_t(i)] = true;
            delisted.push_back(i);
        }
    }
    for (auto& [underlying, chain] : m_chains) {
        std::erase_if(chain.months, [&](const auto& entry) { return entry.first.first <= time; });
    }
    return delisted;
}

}  // namespace Terminal::Market
