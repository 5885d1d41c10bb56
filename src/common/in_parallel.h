#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace velmoka {

// Runs work(begin, end) over [0, count) in pieces of at most `piece` on every core of the
// machine, the calling thread among them, and returns when every piece is done. The pieces are
// handed out as threads come free, so rows that cost more than others (a width search of seven
// passes beside one of two) do not hold one thread up. work must not throw.
template <typename Work>
void in_parallel(std::size_t count, std::size_t piece, const Work& work) {
    const std::size_t pieces = (count + piece - 1) / piece;
    const std::size_t threads = std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), pieces);
    std::atomic<std::size_t> next_piece{0};
    const auto take_pieces = [&] {
        for (std::size_t taken = next_piece++; taken < pieces; taken = next_piece++) {
            const std::size_t begin = taken * piece;
            work(begin, std::min(begin + piece, count));
        }
    };
    std::vector<std::jthread> helpers;
    for (std::size_t helper = 1; helper < threads; ++helper) {
        helpers.emplace_back(take_pieces);
    }
    take_pieces();
}

}  // namespace velmoka
