#pragma once

#include "command_line/run.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace velmoka::command_line {

enum class Format { text, csv, json };

// What a box shows, as the output gives it, written into value: a number (the digits shown,
// without the picture's blanks, or a value as given in its shortest form), or any other text
// trimmed. Returns whether it is a number.
bool shown_value(std::u16string_view box_text, std::string& value);

// The output is appended to a text that the caller writes out as it grows. The header comes
// first (csv only), then a row for each run or unreadable input line, numbered from 0.
void append_header(std::string& out, Format format);
void append_result(std::string& out, Format format, const Result& result, std::uint64_t row);
void append_error(std::string& out, Format format, std::string_view message, std::uint64_t row);

}  // namespace velmoka::command_line
