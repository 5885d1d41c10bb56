#pragma once

#include <optional>
#include <string_view>

namespace velmoka::command_line {

// The value of a text that is wholly one finite decimal number as std::from_chars reads it
// ("70", "-0.5", "1e-3"); empty for anything else (a blank, a sign '+', a unit, inf, nan).
std::optional<double> strict_decimal(std::string_view text);

// How many decimals a decimal number's text shows: 2 for "0.10", 3 for "1e-3", 0 for "1.5e2".
int decimals_shown(std::string_view text);

}  // namespace velmoka::command_line
