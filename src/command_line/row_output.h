#pragma once

#include "command_line/row_text.h"
#include "command_line/rows.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmoka::command_line {

// What every row of a run shows: in csv and json, the row's command and units, then the columns
// of its command (each a number or nothing), then its verdict: status, message, box (the key of
// the parameter, result or window box its message concerns) and warnings. A row of an input also
// starts with the input's line number, then the fields of the input's columns carried through.
struct RowLayout {
    Format format;
    const commands::Command* command;  // whose columns the rows show
    bool from_input = false;
    std::vector<std::string> carried = {};  // names of the input's columns carried through
    // The texts of the values every row of a sweep is given alike, by parameter, formed once:
    // empty for a value swept, not given, or of an input's rows.
    std::vector<std::string> fixed_values = {};
};

// The texts of the values every row of a sweep shares: those given and not swept.
std::vector<std::string> fixed_value_texts(const commands::RowRequest& fixed, std::span<const int> swept);

// The header of csv: the keys of every row, in order; nothing in the other formats.
void append_header(std::string& out, const RowLayout& layout);

// The row of a request answered, numbered from 0 in its run; returns its exit status.
int append_answered(std::string& out, const RowLayout& layout, const Row& row, const commands::RowAnswer& answer,
                    std::uint64_t index);

// The row of an input line that cannot be read: what is wrong alone, for people; else the line,
// its fields carried through, null for every other key, the status error and the message.
void append_unreadable(std::string& out, const RowLayout& layout, const Row& row, std::uint64_t index);

}  // namespace velmoka::command_line
