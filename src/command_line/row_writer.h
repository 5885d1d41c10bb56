#pragma once

#include "command_line/command_line.h"
#include "command_line/input_rows.h"
#include "command_line/output.h"

#include <deque>
#include <future>
#include <iosfwd>
#include <string>
#include <vector>

namespace velmoka::command_line {

// Writes the rows of the output in order as they come: runs carried out and lines that could
// not be read. The rows are gathered into batches that are worked out on as many threads as
// the machine has cores, then written one after the other, so that a million rows go out at
// the speed of every core while only a few batches are ever held.
class RowWriter {
public:
    RowWriter(std::ostream& out, Format format);

    void write(InputRows::Row row);
    // Writes what is left; returns the exit status: 0 when every run ended ok, 1 when some run
    // stopped at a message, 2 when some line could not be read.
    int finish();

private:
    struct Batch {
        std::uint64_t first_row = 0;
        std::vector<InputRows::Row> rows;
    };
    struct WorkedOut {
        std::string text;
        int status = kAllRanToTheirEnd;
    };

    static WorkedOut work_out(const Batch& batch, Format format);
    void launch();
    void write_oldest();

    std::ostream& out_;
    const Format format_;
    const std::size_t most_in_flight_;
    Batch gathering_;
    std::uint64_t rows_ = 0;
    std::deque<std::future<WorkedOut>> in_flight_;
    int status_ = kAllRanToTheirEnd;
};

}  // namespace velmoka::command_line
