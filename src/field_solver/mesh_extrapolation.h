#pragma once

// Richardson extrapolation of a quantity to zero panel size from three levels of one family of
// meshes, each with every panel of the level before halved, and the error left in the answer.
namespace velmoka::field_solver {

struct Extrapolation {
    double value;           // the quantity at zero panel size, or on the finest level
    double relative_error;  // estimated bound of |value − exact| / |value|
};

Extrapolation extrapolate(double coarse, double middle, double fine);

}  // namespace velmoka::field_solver
