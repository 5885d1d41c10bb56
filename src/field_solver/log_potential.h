#pragma once

#include "field_solver/strip_panels.h"

namespace velmoka::field_solver {

// The integral of ln|p − q| over the points q of a straight panel, in closed form: the potential
// at p of a unit charge density spread over the panel, times −2π.
double log_integral(const Panel& panel, Point p);

}  // namespace velmoka::field_solver
