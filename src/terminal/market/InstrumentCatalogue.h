#pragma once

#include <QDateTime>
#include <atomic>
#include <map>
#include <memory>
#include <ranges>
#include <shared_mutex>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "market/Instrument.h"

namespace Terminal::Market {

// Every contract the simulated market has listed (market/Listing.h says what is listed when),
// in listing order: a contract's index is its place in the catalogue and never changes. The
// catalogue only grows: options listed during the day (new strikes) and on later days (new
// months) are appended, expired ones are delisted (they stay in All() but leave the chains).
// A reference to a contract stays valid as long as the catalogue.
//
// Reading is safe from any thread while the market lists more contracts.
class InstrumentCatalogue {
public:
    // The risk-free rate (percent) the chain quotes and the simulated option prices use.
    static constexpr double kRiskFreeRatePercent = 2.5;
    // Listing stops here; a catalogue that is full lists no further strikes or months.
    static constexpr int kCapacity = 16384;

    InstrumentCatalogue();
    InstrumentCatalogue(const InstrumentCatalogue&) = delete;
    InstrumentCatalogue& operator=(const InstrumentCatalogue&) = delete;

    // Every contract listed so far, delisted ones included, in catalogue order.
    auto All() const {
        return std::span(m_slots.get(), size_t(Size())) |
               std::views::transform(
                   [](const std::unique_ptr<Instrument>& slot) -> const Instrument& { return *slot; });
    }
    int Size() const { return m_size.load(std::memory_order_acquire); }
    // Null for an index out of range.
    const Instrument* At(int index) const;
    // Null when unknown.
    const Instrument* Find(std::string_view exchange, std::string_view code) const;
    const Instrument* FindByKey(int32_t marketId, std::string_view code) const;
    // Every instrument with that code, on any exchange.
    std::vector<const Instrument*> FindByCode(std::string_view code) const;

    // Instruments with listed options, in the order their chains were first listed (the
    // commodity future, the funds, the index futures by month).
    std::vector<int> Underlyings() const;
    // Expiry month texts of an underlying's listed options, nearest first.
    std::vector<std::string> Months(int underlying) const;
    // Listed options of an underlying and month: ascending strike, the call before the put.
    std::vector<int> Options(int underlying, std::string_view month) const;
    // False for an expired contract (and for an unknown index).
    bool IsListed(int index) const;

    // Appends a contract and answers its index (-1 when the catalogue is full or already holds
    // that exchange and code).
    int Add(Instrument instrument);
    // Takes contracts whose last trading time is at or before `time` out of the chains and
    // answers them.
    std::vector<int> DelistExpired(const QDateTime& time);

private:
    struct Chain {
        // month text → options of that month, ordered by (expiry, strike, put)
        std::map<std::pair<QDateTime, std::string>, std::vector<int>> months;
    };

    std::unique_ptr<std::unique_ptr<Instrument>[]> m_slots;
    std::atomic<int> m_size{0};
    mutable std::shared_mutex m_lock;  // guards everything below
    std::map<std::pair<std::string, std::string>, int> m_byExchange;
    std::map<std::pair<int32_t, std::string>, int> m_byKey;
    std::map<int, Chain> m_chains;  // by underlying
    std::vector<bool> m_delisted;
};

}  // namespace Terminal::Market
