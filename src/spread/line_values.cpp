#include "spread/line_values.h"

namespace velmoka::spread {

void impedances_of_block(std::size_t count, const std::array<double*, kInputs>& line, double* z0) {
    std::array<double, kLineBlock> u;
    std::array<double, kLineBlock> t;
    std::array<double, kLineBlock> e_eff;
    const double* const w = line[static_cast<std::size_t>(Input::w)];
    const double* const h = line[static_cast<std::size_t>(Input::h)];
    const double* const thickness = line[static_cast<std::size_t>(Input::t)];
    for (std::size_t index = 0; index < count; ++index) {
        u[index] = ratio_to(w[index], h[index]);
        t[index] = ratio_to(thickness[index], h[index]);
    }
    microstrip_lines(count, u.data(), t.data(), line[static_cast<std::size_t>(Input::er)], z0, e_eff.data());
}

LineValue line_value(const Line& line) {
    LineValue value;
    line_values(
        1, [&](std::size_t) { return line; }, &value.z0, &value.e_eff);
    return value;
}

}  // namespace velmoka::spread
