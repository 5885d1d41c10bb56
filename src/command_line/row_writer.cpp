#include "command_line/row_writer.h"

#include "command_line/command_line.h"

#include <algorithm>
#include <ostream>
#include <thread>

namespace velmoka::command_line {

namespace {

// Rows in a batch: enough work to make a thread's start negligible, few enough to hold.
constexpr std::size_t kRowsPerBatch = 4096;

}  // namespace

RowWriter::RowWriter(std::ostream& out, Format format)
    : out_(out), format_(format), most_in_flight_(std::max(2u, std::thread::hardware_concurrency())) {
    std::string header;
    append_header(header, format_);
    out_ << header;
}

void RowWriter::write(InputRows::Row row) {
    if (gathering_.rows.empty()) {
        gathering_.first_row = rows_;
    }
    gathering_.rows.push_back(std::move(row));
    ++rows_;
    if (gathering_.rows.size() == kRowsPerBatch) {
        launch();
    }
}

int RowWriter::finish() {
    if (!gathering_.rows.empty()) {
        launch();
    }
    while (!in_flight_.empty()) {
        write_oldest();
    }
    out_ << std::flush;
    return status_;
}

void RowWriter::launch() {
    if (in_flight_.size() == most_in_flight_) {
        write_oldest();
    }
    in_flight_.push_back(std::async(std::launch::async, work_out, std::move(gathering_), format_));
    gathering_ = Batch();
}

void RowWriter::write_oldest() {
    const WorkedOut worked_out = in_flight_.front().get();
    in_flight_.pop_front();
    out_ << worked_out.text;
    status_ = std::max(status_, worked_out.status);
}

RowWriter::WorkedOut RowWriter::work_out(const Batch& batch, Format format) {
    WorkedOut worked_out;
    std::uint64_t row = batch.first_row;
    for (const InputRows::Row& input : batch.rows) {
        if (const Run* run = std::get_if<Run>(&input)) {
            const Result result = carry_out(*run);
            append_result(worked_out.text, format, result, row++);
            worked_out.status = std::max(worked_out.status, result.stop ? kSomeStopped : kAllRanToTheirEnd);
        } else {
            append_error(worked_out.text, format, std::get<InputRows::Unreadable>(input).message, row++);
            worked_out.status = kRefusedOrUnreadable;
        }
    }
    return worked_out;
}

}  // namespace velmoka::command_line
