#pragma once

#include "calculator/design.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace velmoka::command_line {

enum class Format { text, csv, json };

// The output is appended to a text that the caller writes out as it grows. The header comes
// first (csv only), then a row for each run or unreadable input line, numbered from 0.
void append_header(std::string& out, Format format);
void append_result(std::string& out, Format format, const Design& design, const PressedDesign& pressed,
                   std::uint64_t row);
void append_error(std::string& out, Format format, std::string_view message, std::uint64_t row);

}  // namespace velmoka::command_line
