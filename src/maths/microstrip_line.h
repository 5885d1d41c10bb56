#pragma once

#include <numbers>

// Quasi-static model of a single microstrip: the closed-form static formulas of
// Hammerstad and Jensen with their strip-thickness correction. No dispersion, no loss.
namespace velmoka {

inline constexpr double kImpedanceConstant = 60.0;       // ohms: free-space wave impedance over 2π
inline constexpr double kFourE = 4.0 * std::numbers::e;  // the 4e of the edge-field widening

struct LineProperties {
    double z0;     // characteristic impedance of the strip on its dielectric, ohms
    double e_eff;  // effective dielectric constant
};

// The terms of the model that depend on the substrate alone, worked out once for any number
// of strips on it: the width search evaluates many strips on one substrate.
struct SubstrateTerms {
    double er;                // relative permittivity
    double filling_exponent;  // b(er), the permittivity dependence of the filling exponent
    double edge_sech;         // sech(sqrt(er − 1)): 1 in air, towards 0 as er rises
};

SubstrateTerms substrate_terms(double er);

// Zero-thickness strip of width ratio u = W/H on a substrate of relative permittivity er.
LineProperties zero_thickness_line(double u, double er);

// Strip of width ratio u = W/H and thickness ratio t = T/H on a substrate of permittivity er.
// Callers keep u >= 0.01, t >= 0.001 and er >= 1; the result is finite for every such input,
// infinities included: an infinitely wide strip has z0 = 0 and e_eff = er. t = 0 gives the
// zero-thickness strip, the limit of the thickness correction as t → 0; a t between 0 and
// 0.001 is taken as it is.
LineProperties microstrip_line(double u, double t, double er);
LineProperties microstrip_line(double u, double t, const SubstrateTerms& substrate);

// The z0 of microstrip_line alone, to the last bit: it skips the strip widened as in air,
// which only the thickness correction of e_eff needs.
double microstrip_impedance(double u, double t, const SubstrateTerms& substrate);

}  // namespace velmoka
