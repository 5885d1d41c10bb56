#pragma once

#include "command_line/sweep.h"

#include <string>

namespace velmoka::command_line {

// The S-parameters of a line's section over the frequencies of a sweep, as a Touchstone file:
// one row a frequency, from the rows' own S11 and S21 (a uniform line's S22 and S12 are the
// same). Throws UsageError where the sweep is not one section over frequencies (nothing but the
// frequency swept, and a length given), or the file cannot be written.
void write_section_touchstone(const std::string& path, const Sweep& sweep, const commands::RowRequest& fixed);

// Throws UsageError, naming the option, for a run whose rows cannot make one section's file.
void check_section_sweep(const commands::RowRequest& fixed, const std::vector<std::pair<int, SweptValues>>& swept,
                         bool from_input);

}  // namespace velmoka::command_line
