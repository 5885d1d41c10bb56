#pragma once

#include "commands/command.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmoka::command_line {

// A row of a run: a request to answer, or a line of an input that cannot be read.
struct Row {
    commands::RowRequest request;
    std::uint64_t line = 0;                 // of the input it comes from; 0 for a row of a sweep
    std::string unreadable = {};            // what is wrong with its line; empty where it was read
    std::vector<std::string> carried = {};  // its fields of the input's columns velmoka-cli does not read
};

}  // namespace velmoka::command_line
