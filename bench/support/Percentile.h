#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace Bench {

// The nearest-rank percentile of the samples (fraction 0.5 for the median, 1 for the largest);
// 0 when there are none.
inline double Percentile(std::vector<double> samples, double fraction) {
    if (samples.empty()) {
        return 0;
    }
    std::sort(samples.begin(), samples.end());
    const double rank = fraction * static_cast<double>(samples.size() - 1) + 0.5;
    return samples[std::min(samples.size() - 1, static_cast<size_t>(rank))];
}

}  // namespace Bench
