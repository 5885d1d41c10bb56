#pragma once

#include "spread/budget.h"
#include "spread/random_draws.h"

#include <cstdint>
#include <span>
#include <vector>

namespace velmoka::spread {

// The samples of a Monte Carlo run about a nominal line: sample i strays from it by the draws
// of i, each toleranced input by its tolerance (a percentage taken about this nominal value).
class SampleLines {
public:
    SampleLines(const Line& nominal, const Tolerances& tolerances, Distribution distribution, std::uint64_t seed);

    Line operator()(std::uint64_t sample) const;

private:
    Line nominal_;
    std::array<double, kInputs> tolerances_;  // in each input's unit; 0 for none
    Distribution distribution_;
    RandomDraws draws_;
};

// The impedance of samples 0 to count − 1; each sample's line too where `kept` is given, one
// column an input.
SampleColumn impedances_of(const SampleLines& lines, std::uint64_t count,
                           std::array<SampleColumn, kInputs>* kept = nullptr);

// Of the samples, those whose impedance lies within band of target.
std::uint64_t inside_band(std::span<const double> z0, double target, double band);

}  // namespace velmoka::spread
