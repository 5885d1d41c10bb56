#pragma once

#include <memory>
#include <vector>

namespace velmoka::spread {

// Allocates as std::allocator does, but leaves a new element of a plain type unset rather than
// zeroed: every element of a sample column is written before it is read, and zeroing a million
// of them first costs as much as a good share of the run.
template <typename T>
class NoZeroing : public std::allocator<T> {
public:
    template <typename U>
    struct rebind {
        using other = NoZeroing<U>;
    };

    NoZeroing() = default;
    template <typename U>
    NoZeroing(const NoZeroing<U>&) noexcept {}

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
using SampleColumn = std::vector<double, NoZeroing<double>>;

}  // namespace velmoka::spread
