#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace velmoka::spread {

// What a column of Monte Carlo results says, its NaNs (samples outside the model's domain)
// left out.
struct Moments {
    std::uint64_t count = 0;  // finite values
    double mean = 0.0;
    double standard_deviation = 0.0;  // of the sample, n − 1 in the denominator
    double lowest = 0.0;
    double highest = 0.0;
};
Moments moments_of(std::span<const double> values);

// The percentiles of the finite values, each by linear interpolation between the two nearest
// ranks (numpy's default), found exactly without sorting: the values are counted into bins
// between the lowest and the highest, and only the bins that hold a wanted rank are ordered.
std::vector<double> percentiles_of(std::span<const double> values, const Moments& moments,
                                   std::span<const double> percents);

// A share of trials with a binomial confidence interval: Wilson's score interval.
struct Share {
    double share;
    double lowest;
    double highest;
};
inline constexpr double kConfidence = 0.95;
Share share_of(std::uint64_t successes, std::uint64_t trials);

}  // namespace velmoka::spread
