#include "field_solver/deep_images.h"

#include <algorithm>
#include <cmath>

namespace velmoka::field_solver {

namespace {

constexpr double kNegligibleWeight = 1e-17;  // an image this much weaker than the first is left out
constexpr double kSeriesReach = 4.0;         // the power series is used where 2n >= 4|w|

}  // namespace

DeepImages::DeepImages(double er, double largest_offset) : ratio_(-(er - 1.0) / (er + 1.0)) {
    const double k = std::abs(ratio_);
    significant_ = k < kNegligibleWeight ? 1 : 2 + static_cast<int>(std::log(kNegligibleWeight) / std::log(k));
    const int largest_near =
        std::min(significant_, static_cast<int>(std::ceil(0.5 * kSeriesReach * largest_offset)) + 2);
    log_tail_.assign(largest_near + 1, 0.0);
    power_tails_.assign((largest_near + 1) * kSeriesTerms, 0.0);

    // Summed from the weakest image up, so that each partial sum is the tail beyond its image.
    double log_sum = 0.0;
    double power_sums[kSeriesTerms] = {};
    for (int n = significant_; n > 1; --n) {
        const int near = n - 1;
        const double weight = std::pow(ratio_, near);
        log_sum += weight * std::log(2.0 * n);
        double power = weight;
        for (double& sum : power_sums) {
            power /= 2.0 * n;
            sum += power;
        }
        if (near <= largest_near) {
            log_tail_[near] = log_sum;
            for (int term = 0; term < kSeriesTerms; ++term) {
                const double sign = term % 2 == 0 ? 1.0 : -1.0;
                power_tails_[near * kSeriesTerms + term] = sign * power_sums[term] / (term + 1);
            }
        }
    }
}

int DeepImages::near_count(double offset) const {
    const int reach = static_cast<int>(std::ceil(0.5 * kSeriesReach * offset));
    return std::clamp(reach, 1, std::min(significant_, static_cast<int>(log_tail_.size()) - 1));
}

double DeepImages::log_sum(double height, double across) const {
    if (significant_ < 2) {
        return 0.0;
    }
    const int near = near_count(std::sqrt(height * height + across * across));
    double sum = 0.0;
    double weight = ratio_;
    for (int n = 2; n <= near; ++n) {
        const double below = height + 2.0 * n;
        sum += weight * std::log(below * below + across * across);
        weight *= ratio_;
    }
    sum *= 0.5;
    if (near >= significant_) {
        return sum;
    }
    // The power series in w by Horner's rule, in real and imaginary parts.
    const double* tails = &power_tails_[near * kSeriesTerms];
    double real = 0.0;
    double imaginary = 0.0;
    for (int term = kSeriesTerms - 1; term >= 0; --term) {
        real += tails[term];
        const double next_real = real * height - imaginary * across;
        imaginary = real * across + imaginary * height;
        real = next_real;
    }
    return sum + log_tail_[near] + real;
}

}  // namespace velmoka::field_solver
