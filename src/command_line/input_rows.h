#pragma once

#include "calculator/design.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace velmoka::command_line {

// The most one line of an input may hold, in bytes.
inline constexpr std::size_t kLongestLine = std::size_t{1} << 20;

// The columns an input may name besides units.
struct InputColumns {
    bool command;                // a command column, and a command for every row
    std::span<const Box> boxes;  // the boxes it may name
    std::string_view reader;     // what reads them, as a message about a column it does not know names it
};

// The columns of the calculator's commands: a command column and every box.
inline constexpr std::array<Box, kBoxCount> kEveryBox = [] {
    std::array<Box, kBoxCount> boxes{};
    for (std::size_t i = 0; i < kBoxCount; ++i) {
        boxes[i] = static_cast<Box>(i);
    }
    return boxes;
}();
inline constexpr InputColumns kCommandColumns = {true, kEveryBox, "velmoka-cli"};

// The runs of a CSV input, read a line at a time: a header line naming the columns (the keys of
// the boxes, er-eff for er_eff, and command and units, as the columns allow), then one run per
// line. Blank lines and
// lines starting with '#' are skipped. A field left empty keeps the run's default. A line longer
// than the bound is an unreadable row as soon as the bound is passed; the rest of it is skipped
// without being kept, so no input, however it runs on, makes the memory grow.
class InputRows {
public:
    // A line that cannot be read: what is wrong, with its line number and field.
    struct Unreadable {
        std::string message;
    };
    using Row = std::variant<Design, Unreadable>;

    // defaults: the command, units and values given on the command line; command is empty
    // when none was given, and then every row of columns with a command must name its own.
    InputRows(std::istream& in, const Design& defaults, std::optional<Command> command,
              std::size_t longest_line = kLongestLine, const InputColumns& columns = kCommandColumns);

    // The next row; empty at the end of the input, or once a read has failed.
    std::optional<Row> next();

    // Whether reading the next row may have to wait: for more of a pipe than has come, or to
    // skip the rest of an overlong line. Rows worked out so far should be written first.
    bool may_wait() const;

private:
    enum class Column { command, units, box };
    struct ColumnKind {
        Column kind;
        Box box;
    };
    // A line of the input, or the first longest_line bytes of a longer one.
    struct Line {
        std::string_view text;
        bool overlong;
    };

    std::optional<Line> next_line();
    std::optional<Line> read_line();
    std::string overlong_message() const;
    // At the end of the input: a row saying that the input could not be read, once, where a
    // read failed (a folder given as the input file, a device error); else nothing.
    std::optional<Row> failed_read();
    void read_header(std::string_view line);
    Row row_of(const std::vector<std::string>& fields) const;

    std::istream& in_;
    Design defaults_;
    std::optional<Command> command_;
    InputColumns allowed_;
    std::vector<char> buffer_;  // room for one line and the end mark getline leaves
    bool skip_rest_ = false;    // the last line read was cut short at the bound
    bool read_failure_reported_ = false;
    std::uint64_t line_number_ = 0;
    bool header_read_ = false;
    std::vector<ColumnKind> columns_;
    std::string header_fault_;  // a column that no row can be read by, named; empty when none
};

}  // namespace velmoka::command_line
