#pragma once

#include "calculator/design.h"
#include "command_line/row_text.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace velmoka::command_line {

// How the rows of a run are worked out and written: the calculator's commands pressed on a fresh
// calculator (below), or the field solution beside the line model (field_rows.h). The output is
// appended to a text that the caller writes out as it grows. The header comes first (csv only),
// then a row for each design or unreadable input line, numbered from 0.
struct RowAnswers {
    std::size_t rows_per_batch;              // rows one thread works out together
    std::size_t batches_per_core;            // batches worked out at once, for each core of the machine
    std::span<const std::string_view> keys;  // of a row's values, in order: the csv header
    // Appends the row of a design; returns its exit status.
    int (*append_answer)(std::string& out, Format format, const Design& design, std::uint64_t row);
};

// The rows of the calculator's four commands: each design pressed once on a fresh calculator,
// every box as the window then shows it.
extern const RowAnswers kPressedRows;

}  // namespace velmoka::command_line
