#pragma once

#include "spread/budget.h"

namespace velmoka::spread {

// The nominal widths that centre the spread on a target: the one that puts the most samples
// inside the band, and the one that puts the median of Z0 on the target. Every width tried takes
// the same draws as every other (common random numbers), so that the yield and the median change
// with the width alone; a percentage tolerance on W scales with the width tried. The impedance
// centred is scale times the model's: a pair's closed form corrected by the field, or 1.
Centring centre_width(const Request& request, double band, double scale);

}  // namespace velmoka::spread
