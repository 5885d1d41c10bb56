#pragma once

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <optional>

namespace velmoka::command_line {

// The progress of a long sweep or batch on a terminal: rows done, rows a second and, where the
// count of rows is known, the time left. Nothing shows in the first second, so a short run
// stays silent, and nothing at all when standard error is no terminal.
class Progress {
public:
    // err: the terminal to show it on; null to show nothing.
    explicit Progress(std::ostream* err);

    void expect(std::uint64_t rows) { expected_ = rows; }
    void add(std::uint64_t rows);
    // Clears the line it showed.
    void finish();

private:
    using Clock = std::chrono::steady_clock;

    std::ostream* err_;
    Clock::time_point start_ = Clock::now();
    Clock::time_point shown_at_ = start_;
    std::uint64_t done_ = 0;
    std::optional<std::uint64_t> expected_;
    bool showing_ = false;
};

}  // namespace velmoka::command_line
