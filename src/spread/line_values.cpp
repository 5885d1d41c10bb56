#include "spread/line_values.h"

namespace velmoka::spread {

LineValue line_value(const Line& line) {
    LineValue value;
    line_values(
        1, [&](std::size_t) { return line; }, &value.z0, &value.e_eff);
    return value;
}

}  // namespace velmoka::spread
