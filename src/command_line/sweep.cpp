#include "command_line/sweep.h"

#include <limits>

namespace velmoka::command_line {

Sweep::Sweep(const Design& fixed, std::vector<std::pair<Box, SweptValues>> swept)
    : fixed_(fixed), swept_(std::move(swept)) {
    for (const auto& [box, values] : swept_) {
        if (count_ > std::numeric_limits<std::uint64_t>::max() / values.count()) {
            throw UsageError("the sweeps given make more runs than can be counted");
        }
        count_ *= values.count();
    }
}

Design Sweep::design(std::uint64_t index) const {
    Design design = fixed_;
    for (auto swept = swept_.rbegin(); swept != swept_.rend(); ++swept) {
        const std::uint64_t count = swept->second.count();
        design.value(swept->first) = swept->second.value(index % count);
        index /= count;
    }
    return design;
}

}  // namespace velmoka::command_line
