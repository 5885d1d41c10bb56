#pragma once

#include <iosfwd>

namespace velmoka::command_line {

// The exit statuses: every run ran to its end; some run stopped at one of its command's
// messages; the arguments were refused, or a line of the input could not be read.
inline constexpr int kAllRanToTheirEnd = 0;
inline constexpr int kSomeStopped = 1;
inline constexpr int kRefusedOrUnreadable = 2;

// Runs velmoka-cli with its arguments: reads an input file or standard input when asked,
// writes the results to out and any usage error to err. Returns the exit status.
int run(int argc, const char* const* argv, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace velmoka::command_line
