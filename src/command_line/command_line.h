#pragma once

#include "command_line/input_rows.h"

#include <cstddef>
#include <iosfwd>

namespace velmoka::command_line {

// The exit statuses: every run was ok; some run stopped at one of its command's messages or
// left a message in place of a result; the arguments were refused, or a line of the input
// could not be read.
inline constexpr int kEveryRunOk = 0;
inline constexpr int kSomeRunNotOk = 1;
inline constexpr int kRefusedOrUnreadable = 2;

// What a run takes from where it runs, besides its arguments and streams.
struct Surroundings {
    bool error_is_terminal = false;           // show the progress of a long run on err
    std::size_t longest_line = kLongestLine;  // the most one line of an input may hold, in bytes
};

// Runs velmoka-cli with its arguments: reads an input file or standard input when asked,
// writes the results to out and any usage error to err. Returns the exit status.
int run(int argc, const char* const* argv, std::istream& in, std::ostream& out, std::ostream& err,
        const Surroundings& surroundings = {});

}  // namespace velmoka::command_line
