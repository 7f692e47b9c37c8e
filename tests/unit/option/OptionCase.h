#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

// One set of valuation inputs, printed in full when a check fails.
struct OptionCase {
    int32_t put;
    int32_t optionType;
    double S;
    double K;
    double sigma;
    double r;
    double T;
};

inline std::ostream& operator<<(std::ostream& os, const OptionCase& c) {
    return os << (c.put ? "put" : "call") << (c.optionType ? " forward" : " spot") << " S=" << c.S
              << " K=" << c.K << " sigma=" << c.sigma << " r=" << c.r << " T=" << c.T;
}

// Every combination of the given values, for both sides and both families.
inline std::vector<OptionCase> OptionGrid(const std::vector<double>& spots,
                                          const std::vector<double>& strikeRatios,
                                          const std::vector<double>& sigmas, const std::vector<double>& rates,
                                          const std::vector<double>& times) {
    std::vector<OptionCase> cases;
    for (int32_t type : {0, 1}) {
        for (int32_t put : {0, 1}) {
            for (double S : spots) {
                for (double ratio : strikeRatios) {
                    for (double sigma : sigmas) {
                        for (double r : rates) {
                            for (double T : times) {
                                cases.push_back({put, type, S, S * ratio, sigma, r, T});
                            }
                        }
                    }
                }
            }
        }
    }
    return cases;
}
