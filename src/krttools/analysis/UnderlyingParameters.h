#pragma once

#include <QString>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <utility>

#include "analysis/AnalyzeParameters.h"
#include "kora/interface/QuoteKey.h"

// The parameter sets of the position risk analysis, one per underlying, keyed by the
// underlying's market number and code (codes compared ignoring case). A set missing when asked
// for is made by the creator the store was given (from the host's data: see
// DefaultAnalyzeParameters) and kept until it is replaced or dropped.
//
// The component's tools service owns one store and installs it, so the sets outlive every
// position risk window and are shared by all of them; a window finds it through Installed().
// Thread-safe.
class UnderlyingParameters {
public:
    using Creator = std::function<AnalyzeParameters(const Kora::Interface::QuoteKey& underlying)>;

    // Without a creator a missing set reads as the defaults and is not kept.
    explicit UnderlyingParameters(Creator creator = {});

    std::optional<AnalyzeParameters> Find(const Kora::Interface::QuoteKey& underlying) const;
    AnalyzeParameters GetOrCreate(const Kora::Interface::QuoteKey& underlying);
    void Set(const Kora::Interface::QuoteKey& underlying, const AnalyzeParameters& parameters);
    // "恢复": the next GetOrCreate makes the set afresh.
    void Erase(const Kora::Interface::QuoteKey& underlying);

    // The tools service's store, or null while none is installed. Install(nullptr) withdraws it.
    static UnderlyingParameters* Installed();
    static void Install(UnderlyingParameters* store);

private:
    using Identity = std::pair<int32_t, QString>;
    static Identity IdentityOf(const Kora::Interface::QuoteKey& underlying);

    Creator m_creator;
    mutable std::mutex m_lock;
    std::map<Identity, AnalyzeParameters> m_sets;
};

// A set made from what the host knows of the underlying: its last price over its divisor (the
// reference price before the first trade), its historical volatility (0 without the volatility
// library), the options data service's risk-free rate (a percentage) as a fraction, no day
// offset, half-width 0.5. Call on the user-interface thread.
AnalyzeParameters DefaultAnalyzeParameters(const Kora::Interface::QuoteKey& underlying);
