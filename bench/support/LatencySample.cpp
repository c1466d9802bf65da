// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#include "support/LatencySample.h"

#include <algorithm>
#include <cmath>

namespace lutaris::bench {

double LatencySample::Percentile(double fraction) const {
    if (values_.empty()) return 0.0;
    std::vector<double> sorted = values_;
    std::sort(sorted.begin(), sorted.end());
    const double rank = std::ceil(fraction * static_cast<double>(sorted.size()));
    const auto index = static_cast<std::size_t>(std::clamp(rank, 1.0, double(sorted.size()))) - 1;
    return sorted[index];
}

double MedianOf(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 != 0 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace lutaris::bench
