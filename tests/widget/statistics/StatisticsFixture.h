#pragma once

#include "support/OptionToolFixture.h"

// The simulated terminal with the component, and the fund's option chain of its nearest month
// (蓝筹ETF, strikes 2.00 to 3.00 by 0.05, divisor 10000): its instruments by catalogue index,
// call and put of each strike in ascending order.
class StatisticsFixture : public OptionToolFixture {
protected:
    int Fund() { return t.Host().Market().Catalogue().Underlyings()[1]; }
    std::vector<int> FundOptions() {
        const auto& catalogue = t.Host().Market().Catalogue();
        return catalogue.Options(Fund(), catalogue.Months(Fund())[0]);
    }
    int Call(int strike) { return FundOptions()[size_t(2 * strike)]; }
    int Put(int strike) { return FundOptions()[size_t(2 * strike + 1)]; }
    Kora::Interface::QuoteKey Key(int instrument) {
        return t.Host().KeyOf(*t.Host().Market().Catalogue().At(instrument));
    }
    // Today's figures of a contract in its quote snapshot.
    void SetFigures(int instrument, double volume, double activeBuying, double openInterest,
                    double turnover = 0) {
        t.Host().Market().UpdateSnapshot(instrument, [&](Kora::Interface::QuoteSnapshot& s) {
            s.volume = volume;
            s.activeBuyVolume = activeBuying;
            s.openInterest = openInterest;
            s.turnover = turnover;
        });
    }
};
