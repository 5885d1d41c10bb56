#include "command_line/row_writer.h"

#include <algorithm>
#include <functional>
#include <ostream>
#include <thread>

namespace velmoka::command_line {

namespace {

// Room for the text of a typical row, held from the start so that a batch's text grows once.
constexpr std::size_t kRoomPerRow = 192;

}  // namespace

RowWriter::RowWriter(std::ostream& out, Format format, const RowAnswers& answers, Progress& progress)
    : out_(out),
      format_(format),
      answers_(answers),
      progress_(progress),
      most_in_flight_(std::max(2u, std::thread::hardware_concurrency()) * answers.batches_per_core) {
    std::string header;
    append_header_of(header, format_, answers_.keys);
    out_ << header;
}

void RowWriter::write(const Sweep& sweep) {
    for (std::uint64_t first = 0; first < sweep.count(); first += answers_.rows_per_batch) {
        Batch batch;
        batch.first_row = rows_;
        batch.sweep = &sweep;
        batch.first_design = first;
        batch.designs = std::min<std::uint64_t>(answers_.rows_per_batch, sweep.count() - first);
        rows_ += batch.designs;
        launch(std::move(batch));
    }
}

void RowWriter::write(InputRows::Row row) {
    if (gathering_.rows.empty()) {
        gathering_.first_row = rows_;
    }
    gathering_.rows.push_back(std::move(row));
    ++rows_;
    if (gathering_.rows.size() == answers_.rows_per_batch) {
        launch(std::exchange(gathering_, Batch()));
    }
}

void RowWriter::drain() {
    if (!gathering_.rows.empty()) {
        launch(std::exchange(gathering_, Batch()));
    }
    while (!in_flight_.empty()) {
        write_oldest();
    }
    out_ << std::flush;
}

int RowWriter::finish() {
    drain();
    progress_.finish();
    return status_;
}

void RowWriter::launch(Batch batch) {
    if (in_flight_.size() == most_in_flight_) {
        write_oldest();
    }
    in_flight_.push_back(std::async(std::launch::async, work_out, std::move(batch), format_, std::cref(answers_)));
}

void RowWriter::write_oldest() {
    const WorkedOut worked_out = in_flight_.front().get();
    in_flight_.pop_front();
    out_ << worked_out.text;
    status_ = std::max(status_, worked_out.status);
    progress_.add(worked_out.rows);
}

RowWriter::WorkedOut RowWriter::work_out(const Batch& batch, Format format, const RowAnswers& answers) {
    WorkedOut worked_out;
    worked_out.text.reserve((batch.designs + batch.rows.size()) * kRoomPerRow);
    std::uint64_t row = batch.first_row;
    const auto append_design = [&](const Design& design) {
        worked_out.status = std::max(worked_out.status, answers.append_answer(worked_out.text, format, design, row++));
    };
    for (std::uint64_t index = batch.first_design; index < batch.first_design + batch.designs; ++index) {
        append_design(batch.sweep->design(index));
    }
    for (const InputRows::Row& input : batch.rows) {
        if (const Design* design = std::get_if<Design>(&input)) {
            append_design(*design);
        } else {
            append_error_row(worked_out.text, format, answers.keys, std::get<InputRows::Unreadable>(input).message,
                             row++);
            worked_out.status = kRefusedOrUnreadable;
        }
    }
    worked_out.rows = row - batch.first_row;
    return worked_out;
}

}  // namespace velmoka::command_line
