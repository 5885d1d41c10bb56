#pragma once

#include "command_line/rows.h"
#include "command_line/swept_values.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace velmoka::command_line {

// Every combination of the values swept, one row each, in the order the options were given, the
// last varying fastest. A row is made from its index alone, so that any thread can make its share
// of a sweep of any length without the sweep being held.
class Sweep {
public:
    // fixed: the values given once, the others completed from the opening window or the defaults
    // already; swept: the parameters swept, by their place. Throws UsageError when the
    // combinations are more than can be counted.
    Sweep(const commands::RowRequest& fixed, std::vector<std::pair<int, SweptValues>> swept);

    std::uint64_t count() const { return count_; }
    Row row(std::uint64_t index) const;

private:
    commands::RowRequest fixed_;
    std::vector<std::pair<int, SweptValues>> swept_;
    std::uint64_t count_ = 1;
};

}  // namespace velmoka::command_line
