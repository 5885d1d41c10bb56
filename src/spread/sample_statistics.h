#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
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

// The sums of a run of values that a neighbouring run's join: the count, mean and squared
// deviations about that mean of the finite values, with the lowest and highest. Joined in
// pairs (Chan, Golub and LeVeque), the runs give the variance with none of the cancellation of
// a sum of squares less the square of a sum, and without a second pass over the values.
struct MomentSums {
    std::uint64_t count = 0;
    double mean = 0.0;
    double squares = 0.0;  // Σ (value − mean)²
    double lowest = std::numeric_limits<double>::infinity();
    double highest = -std::numeric_limits<double>::infinity();
};

// The sums of a block of values on this thread, kept in the cache for both of its passes.
MomentSums moment_sums_of(std::span<const double> values);

// The moments of blocks of values, from their sums joined in the blocks' order: the same values
// in the same blocks give the same bits on any number of cores.
Moments moments_joined(std::span<const MomentSums> blocks);

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
