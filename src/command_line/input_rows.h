#pragma once

#include "command_line/run.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace velmoka::command_line {

// The runs of a CSV input, read a line at a time: a header line naming the columns (the keys of
// the boxes, er-eff for er_eff, and command and units), then one run per line. Blank lines and
// lines starting with '#' are skipped. A field left empty keeps the run's default.
class InputRows {
public:
    // A line that cannot be read: what is wrong, with its line number and field.
    struct Unreadable {
        std::string message;
    };
    using Row = std::variant<Run, Unreadable>;

    // defaults: the command, units and values given on the command line; command is empty
    // when none was given, and then every row must name its own.
    InputRows(std::istream& in, const Run& defaults, std::optional<Command> command);

    // The next row; empty at the end of the input.
    std::optional<Row> next();

private:
    enum class Column { command, units, box };
    struct ColumnKind {
        Column kind;
        Box box;
    };

    std::optional<std::string> next_line();
    void read_header(const std::string& line);
    Row row_of(const std::vector<std::string>& fields) const;

    std::istream& in_;
    Run defaults_;
    std::optional<Command> command_;
    std::uint64_t line_number_ = 0;
    bool header_read_ = false;
    std::vector<ColumnKind> columns_;
    std::string header_fault_;  // a column that no row can be read by, named; empty when none
};

}  // namespace velmoka::command_line
