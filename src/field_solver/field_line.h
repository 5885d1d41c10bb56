#pragma once

#include <string_view>

// The quasi-static field solution of a single microstrip, for checking the line model against
// the physics: a rectangular strip of width W and thickness T on a dielectric slab of thickness H
// and relative permittivity er over an infinite ground plane, open above. From the capacitances
// per unit length with the slab (C) and with air in its place (C0): Z0 = 1/(c·sqrt(C·C0)) and
// e_eff = C/C0. Boundary elements on the strip's surface with the exact potential of a charge
// above a grounded slab, on three or more levels of mesh extrapolated to zero panel size. Strips
// thinner than 1e-8 H are solved as of no thickness, which moves Z0 and e_eff by under 1e-6.
//
// A pure function of its arguments: safe to call from any number of threads at once.
namespace velmoka {

// The geometries the solver answers for.
inline constexpr double kFieldSmallestWidthRatio = 0.01;  // W/H
inline constexpr double kFieldLargestWidthRatio = 100.0;
inline constexpr double kFieldLargestThicknessRatio = 1.0;  // T/H, from 0
inline constexpr double kFieldLargestPermittivity = 100.0;  // er, from 1
// The relative accuracy every answer is estimated to reach in Z0 and in e_eff.
inline constexpr double kFieldAccuracy = 1e-4;

enum class FieldStatus {
    ok,                         // z0 and e_eff are given, each estimated to within kFieldAccuracy
    width_out_of_range,         // W/H is not within 0.01 to 100 (or W is not a number)
    height_out_of_range,        // H is not a positive finite length
    thickness_out_of_range,     // T/H is not within 0 to 1
    permittivity_out_of_range,  // er is not within 1 to 100
    accuracy_not_reached,       // the finest mesh allowed did not bring the error under kFieldAccuracy
};

struct FieldLine {
    double z0;              // characteristic impedance, ohms; NaN unless status is ok
    double e_eff;           // effective dielectric constant; NaN unless status is ok
    double z0_accuracy;     // estimated bound of z0's relative error; NaN when an input is out of range
    double e_eff_accuracy;  // the same for e_eff
    FieldStatus status;
};

// The line of width ratio u = W/H and thickness ratio t = T/H on a slab of permittivity er.
FieldLine field_line(double u, double t, double er);

// The same from the strip width w, substrate height h and strip thickness t in one length unit.
FieldLine field_line(double w, double h, double t, double er);

// "ok", or why no checked answer could be given, in a few words ("width out of range").
std::string_view field_status_text(FieldStatus status);

}  // namespace velmoka
