#include "command_line/row_writer.h"

#include "commands/commands.h"

#include <algorithm>
#include <functional>
#include <ostream>
#include <thread>

namespace velmoka::command_line {

namespace {

// Room for the text of a typical row, held from the start so that a batch's text grows once.
constexpr std::size_t kRoomPerRow = 192;
// Rows a command that answers blocks is given at once.
constexpr std::size_t kBlock = 512;

}  // namespace

RowWriter::RowWriter(std::ostream& out, RowLayout layout, Progress& progress)
    : out_(out),
      layout_(std::move(layout)),
      progress_(progress),
      rows_per_batch_(layout_.command->rows_per_batch),
      most_in_flight_(std::max(2u, std::thread::hardware_concurrency()) * layout_.command->batches_per_core) {
    std::string header;
    append_header(header, layout_);
    out_ << header;
}

void RowWriter::write(const Sweep& sweep) {
    for (std::uint64_t first = 0; first < sweep.count(); first += rows_per_batch_) {
        Batch batch;
        batch.first_row = rows_;
        batch.sweep = &sweep;
        batch.first_of_sweep = first;
        batch.of_sweep = std::min<std::uint64_t>(rows_per_batch_, sweep.count() - first);
        rows_ += batch.of_sweep;
        launch(std::move(batch));
    }
}

void RowWriter::write(Row row) {
    if (gathering_.rows.empty()) {
        gathering_.first_row = rows_;
    }
    gathering_.rows.push_back(std::move(row));
    ++rows_;
    if (gathering_.rows.size() == rows_per_batch_) {
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
    in_flight_.push_back(std::async(std::launch::async, work_out, std::move(batch), std::cref(layout_)));
}

void RowWriter::write_oldest() {
    const WorkedOut worked_out = in_flight_.front().get();
    in_flight_.pop_front();
    out_ << worked_out.text;
    status_ = std::max(status_, worked_out.status);
    progress_.add(worked_out.rows);
}

RowWriter::WorkedOut RowWriter::work_out(const Batch& batch, const RowLayout& layout) {
    WorkedOut worked_out;
    worked_out.text.reserve((batch.of_sweep + batch.rows.size()) * kRoomPerRow);
    std::uint64_t index = batch.first_row;
    const auto append = [&](const Row& row, const commands::RowAnswer* answer) {
        int status = kRefusedOrUnreadable;
        if (answer != nullptr) {
            status = append_answered(worked_out.text, layout, row, *answer, index);
        } else {
            append_unreadable(worked_out.text, layout, row, index);
        }
        worked_out.status = std::max(worked_out.status, status);
        ++index;
    };
    const commands::Command& command = *layout.command;
    if (command.answer_block == nullptr) {
        // A row at a time, each answered as it is written.
        const auto answered = [&](const Row& row) {
            if (!row.unreadable.empty()) {
                return append(row, nullptr);
            }
            commands::RowAnswer answer;
            row.request.command->answer(row.request, answer);
            append(row, &answer);
        };
        for (std::uint64_t of_sweep = batch.first_of_sweep; of_sweep < batch.first_of_sweep + batch.of_sweep;
             ++of_sweep) {
            answered(batch.sweep->row(of_sweep));
        }
        for (const Row& row : batch.rows) {
            answered(row);
        }
    } else {
        // A block of rows at a time, answered together.
        std::vector<Row> block;
        std::vector<commands::RowRequest> requests;
        std::vector<commands::RowAnswer> answers;
        const auto answer_block = [&](std::span<const Row> rows) {
            requests.clear();
            for (const Row& row : rows) {
                if (row.unreadable.empty()) {
                    requests.push_back(row.request);
                }
            }
            answers.assign(requests.size(), commands::RowAnswer());
            commands::answer_rows(command, requests, answers);
            std::size_t answered = 0;
            for (const Row& row : rows) {
                append(row, row.unreadable.empty() ? &answers[answered++] : nullptr);
            }
        };
        for (std::uint64_t first = batch.first_of_sweep; first < batch.first_of_sweep + batch.of_sweep;
             first += kBlock) {
            block.clear();
            for (std::uint64_t of_sweep = first;
                 of_sweep < std::min(first + kBlock, batch.first_of_sweep + batch.of_sweep); ++of_sweep) {
                block.push_back(batch.sweep->row(of_sweep));
            }
            answer_block(block);
        }
        for (std::size_t first = 0; first < batch.rows.size(); first += kBlock) {
            answer_block(
                std::span(batch.rows).subspan(first, std::min<std::size_t>(kBlock, batch.rows.size() - first)));
        }
    }
    worked_out.rows = index - batch.first_row;
    return worked_out;
}

}  // namespace velmoka::command_line
