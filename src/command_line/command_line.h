#pragma once

#include <iosfwd>

namespace velmoka::command_line {

// Runs velmoka-cli with its arguments: reads an input file or standard input when asked,
// writes the results to out and any usage error to err. Returns the exit status.
int run(int argc, const char* const* argv, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace velmoka::command_line
