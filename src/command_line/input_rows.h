#pragma once

#include "command_line/rows.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmoka::command_line {

// The most one line of an input may hold, in bytes.
inline constexpr std::size_t kLongestLine = std::size_t{1} << 20;

// The rows of a CSV input, read a line at a time: a header line naming the columns, then one row
// per line; blank lines and lines starting with '#' are skipped. The header's names are read
// without regard to case, with - for _ as well (er-eff for er_eff): the command's parameters, and
// units; command, where the rows are the window's commands, each naming its own. The keys velmoka-cli
// writes but does not read (line, status, message, box, warnings and the results), so that its
// output reads back as input, are passed over; any other column is carried through to the rows'
// output as it stands. A field left empty keeps the row's default. A line longer than the bound
// is an unreadable row as soon as the bound is passed; the rest of it is skipped without being
// kept, so no input, however it runs on, makes the memory grow.
class InputRows {
public:
    // defaults: the command, units and values given on the command line; the command is null
    // where none was given, and then the rows are the window's commands, each naming its own.
    InputRows(std::istream& in, const commands::RowRequest& defaults, std::size_t longest_line = kLongestLine);

    // Reads the header, and throws UsageError where a parameter the command needs is in neither
    // the header nor the defaults: nothing is written then. Where the input is empty or its
    // header cannot be read, the rows say so instead.
    void read_header();
    // The names of the columns carried through, as the header gives them; known once the header
    // is read.
    const std::vector<std::string>& carried() const { return carried_names_; }

    // The next row; empty at the end of the input, or once a read has failed.
    std::optional<Row> next();

    // Whether reading the next row may have to wait: for more of a pipe than has come, or to
    // skip the rest of an overlong line. Rows worked out so far should be written first.
    bool may_wait() const;

private:
    enum class Column { command, units, parameter, passed_over, carried };
    struct ColumnKind {
        Column kind;
        int parameter = -1;
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
    void read_names(std::string_view line);
    Row unreadable(std::string message) const;
    Row row_of(const std::vector<std::string>& fields) const;

    std::istream& in_;
    commands::RowRequest defaults_;
    std::vector<char> buffer_;  // room for one line and the end mark getline leaves
    bool skip_rest_ = false;    // the last line read was cut short at the bound
    bool read_failure_reported_ = false;
    std::uint64_t line_number_ = 0;
    bool header_read_ = false;
    std::optional<Row> header_row_;  // the row a header that cannot be read gives
    std::vector<ColumnKind> columns_;
    std::vector<std::string> carried_names_;
    std::string header_fault_;  // a column that no row can be read by, named; empty when none
};

}  // namespace velmoka::command_line
