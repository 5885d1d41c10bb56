#pragma once

#include "maths/lines_over_arrays.h"
#include "spread/tolerance.h"

#include <array>
#include <cstddef>
#include <vector>

// The impedance a budget is of, for one line, for many and for a block of samples: a single
// strip's Z0 from the line model's SIMD kernels, or a pair's differential impedance from the
// closed form (one line pair by pair, many on SIMD lanes within 1e-13 of it), each at full
// precision and NaN outside its model's domain.
namespace velmoka::spread {

// The lines of a block of samples, one array an input.
using LineBlock = std::array<std::array<double, kLineBlock>, kInputs>;

double impedance(Impedance of, const Line& line);

// Of each line, on every core.
std::vector<double> impedances(Impedance of, const std::vector<Line>& lines);

// Of `count` samples (at most kLineBlock) given by input, line[input][i] the value of the input in
// sample i, into out; a single strip's lines need no gap.
void impedances_of_block(Impedance of, std::size_t count, const std::array<double*, kInputs>& line, double* out);

}  // namespace velmoka::spread
