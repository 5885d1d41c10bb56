#pragma once

#include "common/length_units.h"
#include "spread/budget.h"

#include <iosfwd>

#include <string>

namespace velmoka::command_line {

// A number with a fixed count of decimals, as printf's %.*f writes it.
std::string fixed(double value, int decimals);

// The tolerance budget for people: a table read at a glance, ending with the model's limits.
void write_spread_text(std::ostream& out, const spread::Request& request, const spread::Report& report,
                       LengthUnit units);

// The Monte Carlo samples as CSV, one a line: the sample's number, its W, H, T and er, and Z0
// (empty outside the model's domain); of a pair, its W, H, T, er and S, and z_diff. The report
// must have kept its samples.
void write_samples_csv(std::ostream& out, const spread::Request& request, const spread::Report& report);

}  // namespace velmoka::command_line
