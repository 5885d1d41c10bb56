#include "command_line/sweep.h"

#include <limits>

namespace velmoka::command_line {

Sweep::Sweep(const commands::RowRequest& fixed, std::vector<std::pair<int, SweptValues>> swept)
    : fixed_(fixed), swept_(std::move(swept)) {
    for (const auto& [parameter, values] : swept_) {
        if (count_ > std::numeric_limits<std::uint64_t>::max() / values.count()) {
            throw UsageError("the sweeps given make more runs than can be counted");
        }
        count_ *= values.count();
    }
}

Row Sweep::row(std::uint64_t index) const {
    Row row{fixed_};
    for (auto swept = swept_.rbegin(); swept != swept_.rend(); ++swept) {
        const std::uint64_t count = swept->second.count();
        row.request.values[static_cast<std::size_t>(swept->first)] = swept->second.value(index % count);
        index /= count;
    }
    return row;
}

}  // namespace velmoka::command_line
