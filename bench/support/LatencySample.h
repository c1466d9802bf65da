// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Lutaris authors
#pragma once

#include <cstddef>
#include <vector>

namespace lutaris::bench {

// Durations of single operations (in milliseconds), for the percentiles that a mean hides.
class LatencySample {
public:
    void Reserve(std::size_t count) { values_.reserve(count); }
    void Add(double milliseconds) { values_.push_back(milliseconds); }
    std::size_t Count() const { return values_.size(); }

    // The value below which `fraction` of the sample lies (nearest rank); 0 for no sample.
    double Percentile(double fraction) const;
    double Median() const { return Percentile(0.5); }

private:
    std::vector<double> values_;
};

// The median of `values`, the mean of the middle two for an even count: what the programs that
// time a few runs of a whole scenario report.
double MedianOf(std::vector<double> values);

}  // namespace lutaris::bench
