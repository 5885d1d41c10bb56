#pragma once

#include "spread/budget.h"
#include "spread/worst_case.h"

#include <vector>

namespace velmoka::spread {

// Each toleranced input alone at each end of its tolerance box, the others as drawn, and its
// share of the impedance's variance in the linearised model: (dZ0/dx · σx)² over their sum.
// Largest share first.
std::vector<Sensitivity> sensitivities_of(const Request& request, const ToleranceBox& box);

// The root-sum-square of the changes: the half-differences of Z0 across each tolerance, added
// in quadrature.
double root_sum_square_of(const std::vector<Sensitivity>& sensitivities);

}  // namespace velmoka::spread
