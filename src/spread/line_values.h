#pragma once

#include "common/in_parallel.h"
#include "maths/lines_over_arrays.h"
#include "spread/tolerance.h"

#include <array>
#include <cstddef>

namespace velmoka::spread {

// The impedance and effective dielectric constant of many lines, from the line model at full
// precision (the SIMD kernels of the maths layer) on every core: line_at(i) gives line i, and
// z0[i] and e_eff[i] (e_eff may be null) are written. NaN for a line outside the model's domain
// (W or H not positive, T negative, er below 1).
template <typename LineAt>
void line_values(std::size_t count, const LineAt& line_at, double* z0, double* e_eff) {
    in_parallel(count, kLineBlock, [&](std::size_t begin, std::size_t end) {
        std::array<double, kLineBlock> u;
        std::array<double, kLineBlock> t;
        std::array<double, kLineBlock> er;
        std::array<double, kLineBlock> e_eff_block;
        for (std::size_t index = begin; index < end; ++index) {
            const Line line = line_at(index);
            u[index - begin] = ratio_to(line[Input::w], line[Input::h]);
            t[index - begin] = ratio_to(line[Input::t], line[Input::h]);
            er[index - begin] = line[Input::er];
        }
        microstrip_lines(end - begin, u.data(), t.data(), er.data(), z0 + begin,
                         e_eff != nullptr ? e_eff + begin : e_eff_block.data());
    });
}

// The same for one line.
struct LineValue {
    double z0;
    double e_eff;
};
LineValue line_value(const Line& line);

}  // namespace velmoka::spread
