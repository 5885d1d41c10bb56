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

// ln(f(u)/u + sqrt(1 + 4/u²)): the impedance of a zero-thickness strip of width ratio u in air,
// over the free-space wave impedance divided by 2π (which the window's model takes as 60 ohms).
double air_impedance_log(double u);

// Δu1 = (t/π)·ln(1 + 4e·tanh²(sqrt(6.517u))/t): the width a strip of width ratio u and thickness
// ratio t gains, in air, from the field on its edges. 0 for t = 0, finite for an infinite t.
double width_increment_in_air(double u, double t);

// Zero-thickness strip of width ratio u = W/H on a substrate of relative permittivity er.
LineProperties zero_thickness_line(double u, double er);

// Δur = Δu1·(1 + sech(sqrt(er − 1)))/2: the smaller width gain on the dielectric, which draws
// the edge field into the substrate, from the gain du1 in air.
double width_increment_on_dielectric(double du1, const SubstrateTerms& substrate);

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
