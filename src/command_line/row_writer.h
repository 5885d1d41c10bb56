#pragma once

#include "command_line/command_line.h"
#include "command_line/input_rows.h"
#include "command_line/progress.h"
#include "command_line/row_output.h"
#include "command_line/sweep.h"

#include <deque>
#include <future>
#include <iosfwd>
#include <string>
#include <vector>

namespace velmoka::command_line {

// Writes the rows of the output in order as they come: the rows of a sweep, the rows of an
// input. The rows are gathered into batches that are worked out on as many threads as the
// machine has cores, each row answered by its command, then written one after the other, so that
// a million rows go out at the speed of every core while only a few batches are ever held. The
// rows of a run share the batch sizes of the command the run names.
class RowWriter {
public:
    RowWriter(std::ostream& out, RowLayout layout, Progress& progress);

    // Every row of a sweep, each made from its index by the thread that works it out.
    void write(const Sweep& sweep);
    void write(Row row);
    // Writes every row given so far and flushes the output: a row of a slow input goes out at
    // once rather than waiting for its batch to fill.
    void drain();
    // Writes what is left; returns the exit status.
    int finish();

private:
    struct Batch {
        std::uint64_t first_row = 0;
        std::vector<Row> rows;         // of an input
        const Sweep* sweep = nullptr;  // or these rows of a sweep
        std::uint64_t first_of_sweep = 0;
        std::uint64_t of_sweep = 0;
    };
    struct WorkedOut {
        std::string text;
        std::uint64_t rows = 0;
        int status = kEveryRunOk;
    };

    static WorkedOut work_out(const Batch& batch, const RowLayout& layout);
    void launch(Batch batch);
    void write_oldest();

    std::ostream& out_;
    const RowLayout layout_;
    Progress& progress_;
    const std::size_t rows_per_batch_;
    const std::size_t most_in_flight_;
    Batch gathering_;
    std::uint64_t rows_ = 0;
    std::deque<std::future<WorkedOut>> in_flight_;
    int status_ = kEveryRunOk;
};

}  // namespace velmoka::command_line
