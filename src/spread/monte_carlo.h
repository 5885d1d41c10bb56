#pragma once

#include "spread/budget.h"
#include "spread/random_draws.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <span>

namespace velmoka::spread {

// The samples of a Monte Carlo run about a nominal line: sample i strays from it by the draws
// of i, each toleranced input by its tolerance (a percentage taken about this nominal value).
class SampleLines {
public:
    SampleLines(const Line& nominal, const Tolerances& tolerances, Distribution distribution, std::uint64_t seed);

    // The lines of samples first to first + count − 1, count at most kLineBlock: to[input][i]
    // is the value of the input in sample first + i, for each input the nominal line has (a
    // single strip's gap is left unwritten).
    void lines(std::uint64_t first, std::size_t count, const std::array<double*, kInputs>& to) const;

    Impedance impedance() const { return impedance_; }

private:
    Line nominal_;
    Impedance impedance_;
    std::array<double, kInputs> tolerances_;  // in each input's unit; 0 for none
    Distribution distribution_;
    RandomDraws draws_;
};

// The impedance of samples 0 to count − 1; each sample's line too where `kept` is given, one
// column an input the line has.
SampleColumn impedances_of(const SampleLines& lines, std::uint64_t count,
                           std::array<SampleColumn, kInputs>* kept = nullptr);

// Of the samples, those whose impedance times scale lies within band of target, on every core.
std::uint64_t inside_band(std::span<const double> z0, double target, double band, double scale = 1.0);

// The same on this thread alone, for a block of them.
inline std::uint64_t inside_band_here(std::span<const double> z0, double target, double band, double scale = 1.0) {
    std::uint64_t inside = 0;
    for (const double value : z0) {
        inside += std::fabs(scale * value - target) <= band ? 1 : 0;  // NaN is never inside
    }
    return inside;
}

}  // namespace velmoka::spread
