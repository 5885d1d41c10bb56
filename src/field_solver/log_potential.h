#pragma once

#include "field_solver/strip_panels.h"

namespace velmoka::field_solver {

// The integral of ln|p − q| over the points q of a straight panel, as a function of p: the
// potential at p of a unit charge density spread over the panel, times −2π.
class PanelLogIntegral {
public:
    explicit PanelLogIntegral(const Panel& panel);

    double at(Point p) const;

private:
    double length_;
    Point start_;
    Point direction_;  // unit, from start to end
};

}  // namespace velmoka::field_solver
