#pragma once

#include <cstddef>

// Memory for the long columns of the bulk path: results over arrays and Monte Carlo samples.
// Fresh memory reaches a process a page at a time, one fault a page, and a fault is slow in a
// virtual machine: the five columns of a million samples cost 10,000 faults in 4 KiB pages,
// about as long as the run itself. So a long column takes whole 2 MiB huge pages, aligned to
// one, and a column given back is kept for the next of its length, up to kMostKeptBytes: a
// kept block has no fault left to take. A short column takes the ordinary heap. Safe to call
// from any thread.
namespace velmoka {

// Columns from this length on take blocks; shorter ones the ordinary heap.
inline constexpr std::size_t kHugePage = std::size_t{2} << 20;  // bytes
// Kept for reuse at most: the 31 columns of a million lines at frequency, the largest result
// a face gives for a million elements (a run of a million samples with its centring takes 96 MiB).
inline constexpr std::size_t kMostKeptBytes = std::size_t{256} << 20;

struct ColumnBlock {
    void* start;
    bool zeroed;  // fresh from the system; a kept block holds what its last column left
};

// At least `bytes`: from kHugePage on, aligned to a huge page; throws std::bad_alloc where no
// memory is left.
ColumnBlock take_column_block(std::size_t bytes);
// A block taken for `bytes`, given back.
void give_back_column_block(void* block, std::size_t bytes);

}  // namespace velmoka
