#pragma once

#include "common/column_blocks.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace velmoka::spread {

// Allocates a sample column. A new element of a plain type is left unset rather than zeroed:
// every element of a sample column is written before it is read, and zeroing a million of them
// first costs as much as a good share of the run. Its memory is a column block (column_blocks.h).
template <typename T>
class ColumnAllocator : public std::allocator<T> {
public:
    template <typename U>
    struct rebind {
        using other = ColumnAllocator<U>;
    };

    ColumnAllocator() = default;
    template <typename U>
    ColumnAllocator(const ColumnAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) { return static_cast<T*>(take_column_block(count * sizeof(T)).start); }
    void deallocate(T* column, std::size_t count) { give_back_column_block(column, count * sizeof(T)); }

    template <typename U>
    void construct(U* element) noexcept {
        ::new (static_cast<void*>(element)) U;
    }
    template <typename U, typename... Arguments>
    void construct(U* element, Arguments&&... arguments) {
        ::new (static_cast<void*>(element)) U(std::forward<Arguments>(arguments)...);
    }
};

// One value of every sample of a Monte Carlo run.
using SampleColumn = std::vector<double, ColumnAllocator<double>>;

}  // namespace velmoka::spread
