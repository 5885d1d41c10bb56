#include "spread/impedances.h"

#include "common/in_parallel.h"
#include "spread/line_values.h"
#include "spread/pair_values.h"

namespace velmoka::spread {

double impedance(Impedance of, const Line& line) {
    return of == Impedance::z0 ? line_value(line).z0 : differential_impedance(pair_modes(line));
}

std::vector<double> impedances(Impedance of, const std::vector<Line>& lines) {
    std::vector<double> values(lines.size());
    if (of == Impedance::z0) {
        line_values(
            lines.size(), [&](std::size_t index) { return lines[index]; }, values.data(), nullptr);
        return values;
    }
    in_parallel(lines.size(), kLineBlock, [&](std::size_t begin, std::size_t end) {
        LineBlock block;
        std::array<double*, kInputs> line;
        for (std::size_t input = 0; input < kInputs; ++input) {
            line[input] = block[input].data();
            for (std::size_t index = begin; index < end; ++index) {
                block[input][index - begin] = lines[index].values[input];
            }
        }
        impedances_of_block(of, end - begin, line, values.data() + begin);
    });
    return values;
}

void impedances_of_block(Impedance of, std::size_t count, const std::array<double*, kInputs>& line, double* out) {
    std::array<double, kLineBlock> u;
    std::array<double, kLineBlock> t;
    const auto values_of = [&](Input input) { return line[static_cast<std::size_t>(input)]; };
    const double* const h = values_of(Input::h);
    for (std::size_t index = 0; index < count; ++index) {
        u[index] = ratio_to(values_of(Input::w)[index], h[index]);
        t[index] = ratio_to(values_of(Input::t)[index], h[index]);
    }
    if (of == Impedance::z0) {
        std::array<double, kLineBlock> e_eff;
        microstrip_lines(count, u.data(), t.data(), values_of(Input::er), out, e_eff.data());
        return;
    }
    std::array<double, kLineBlock> g;
    for (std::size_t index = 0; index < count; ++index) {
        g[index] = ratio_to(values_of(Input::s)[index], h[index]);
    }
    differential_impedances(count, u.data(), g.data(), t.data(), values_of(Input::er), out);
}

}  // namespace velmoka::spread
