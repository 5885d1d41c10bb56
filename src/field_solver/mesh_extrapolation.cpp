#include "field_solver/mesh_extrapolation.h"

#include <algorithm>
#include <cmath>

namespace velmoka::field_solver {

namespace {

// Halving the panels divides the error by 2^p; the graded meshes converge at an order p near 3.
// Observed orders from 1.5 to 4.5 (ratios of successive changes from 2^1.5 to 2^4.5) are taken as
// steady convergence.
constexpr double kSlowestSteadyRatio = 2.8284271247461903;
constexpr double kFastestSteadyRatio = 22.627416997969522;
// The extrapolated value's error is taken as 1.25 times the correction made to the finest level:
// a bound while that level's true error lies between −0.25 and 2.25 times the correction.
constexpr double kCorrectionMargin = 1.25;
// Without a steady order the finest level is kept, and its error is taken as twice the larger of
// the two changes: a bound, with a margin of two, while each further level at least halves the
// change.
constexpr double kUnsteadyMargin = 2.0;

}  // namespace

Extrapolation extrapolate(double coarse, double middle, double fine) {
    const double first_change = middle - coarse;
    const double second_change = fine - middle;
    const double ratio = first_change / second_change;
    if (ratio >= kSlowestSteadyRatio && ratio <= kFastestSteadyRatio) {
        const double correction = second_change / (ratio - 1.0);
        const double value = fine + correction;
        return {value, kCorrectionMargin * std::abs(correction / value)};
    }
    const double largest_change = std::max(std::abs(first_change), std::abs(second_change));
    return {fine, kUnsteadyMargin * largest_change / std::abs(fine)};
}

}  // namespace velmoka::field_solver
