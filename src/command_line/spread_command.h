#pragma once

#include "command_line/cli_options.h"

#include <iosfwd>

namespace velmoka::command_line {

// Runs `velmoka-cli spread` with the options read; returns the exit status. Throws UsageError,
// with nothing written on out, for what it cannot take.
int run_spread(const CommandOptions& options, std::ostream& out);

}  // namespace velmoka::command_line
