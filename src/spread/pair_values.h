#pragma once

#include "maths/pair_modes.h"
#include "spread/tolerance.h"

#include <cstddef>

namespace velmoka::spread {

// The modes of an edge-coupled pair from the closed form at full precision, NaN where it is no
// pair (W, S or H not positive, T negative, er below 1) or the closed form has no sound answer
// for it; a pair beyond the closed form's fitted range keeps its modes.
PairModes pair_modes(const Line& pair);

// The differential impedance 2·z_odd of `count` pairs (at most kLineBlock) given as ratios to H,
// each input's values contiguous, into z_diff; NaN where pair_modes gives none. On this thread
// alone, on the SIMD lanes of coupled_pairs (within 1e-13 of pair_modes).
void differential_impedances(std::size_t count, const double* u, const double* g, const double* t, const double* er,
                             double* z_diff);

}  // namespace velmoka::spread
