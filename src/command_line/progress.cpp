#include "command_line/progress.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>

namespace velmoka::command_line {

namespace {

constexpr std::chrono::seconds kSilentStart{1};
constexpr std::chrono::milliseconds kBetweenUpdates{200};
// Blanks that clear the longest line shown.
constexpr std::size_t kLineWidth = 60;

}  // namespace

Progress::Progress(std::ostream* err) : err_(err) {}

void Progress::add(std::uint64_t rows) {
    done_ += rows;
    const Clock::time_point now = Clock::now();
    if (err_ == nullptr || now - start_ < kSilentStart || now - shown_at_ < kBetweenUpdates) {
        return;
    }
    shown_at_ = now;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    const double rows_a_second = static_cast<double>(done_) / seconds;
    std::string line = "\r";
    line += std::to_string(done_);
    line += " rows, ";
    line += std::to_string(std::llround(rows_a_second));
    line += " a second";
    if (expected_ && rows_a_second > 0.0) {
        const double left = static_cast<double>(*expected_ - std::min(done_, *expected_)) / rows_a_second;
        line += ", ";
        line += std::to_string(std::llround(left));
        line += " s left";
    }
    line.resize(std::max(line.size(), kLineWidth), ' ');
    *err_ << line << std::flush;
    showing_ = true;
}

void Progress::finish() {
    if (showing_) {
        *err_ << '\r' << std::string(kLineWidth, ' ') << '\r' << std::flush;
        showing_ = false;
    }
}

}  // namespace velmoka::command_line
