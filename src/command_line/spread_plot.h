#pragma once

#include "spread/budget.h"

#include <iosfwd>

namespace velmoka::command_line {

// A picture of the tolerance budget as SVG: the histogram of Z0, or of a pair's z_diff, over the
// Monte Carlo samples, with the band about the target, the target and the nominal impedance
// marked, and beside it each toleranced input's share of the variance as a bar.
void write_spread_plot(std::ostream& out, const spread::Request& request, const spread::Report& report);

}  // namespace velmoka::command_line
