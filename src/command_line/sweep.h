#pragma once

#include "calculator/design.h"
#include "command_line/swept_values.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace velmoka::command_line {

// Every combination of the values swept, one design each, in the order the options were given,
// the last varying fastest. A design is made from its index alone, so that any thread can make
// its share of a sweep of any length without the sweep being held.
class Sweep {
public:
    // Throws UsageError when the combinations are more than can be counted.
    Sweep(const Design& fixed, std::vector<std::pair<Box, SweptValues>> swept);

    std::uint64_t count() const { return count_; }
    Design design(std::uint64_t index) const;

private:
    Design fixed_;
    std::vector<std::pair<Box, SweptValues>> swept_;
    std::uint64_t count_ = 1;
};

}  // namespace velmoka::command_line
