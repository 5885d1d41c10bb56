#pragma once

#include "spread/budget.h"

#include <functional>
#include <vector>

namespace velmoka::spread {

// The lines the tolerances allow: every input between its lowest and its highest value.
struct ToleranceBox {
    Line lowest;
    Line highest;
};

// The box of a request's tolerances, kept inside the line model's domain (T ≥ 0, er ≥ 1).
ToleranceBox tolerance_box(const Request& request);

// The lowest and highest of a function of the line over a box, found without assuming that the
// corners hold them: the function is taken on a grid of the box, and where it rises along an
// input somewhere and falls along it elsewhere, the inside of the box is searched from the
// grid's best points. `values` gives the function at each of many lines.
using LineFunction = std::function<std::vector<double>(const std::vector<Line>&)>;
WorstCase extremes_over(const ToleranceBox& box, const LineFunction& values);

}  // namespace velmoka::spread
