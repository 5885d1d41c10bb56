#pragma once

#include <string_view>

#include "maths/pair_modes.h"

// The quasi-static field solution of an edge-coupled pair of microstrips, for checking the
// closed-form pair against the physics: two identical rectangular strips of width W and thickness
// T, their facing sides a gap S apart, on a dielectric slab of thickness H and relative
// permittivity er over an infinite ground plane, open above. Each mode from one strip's
// capacitances per unit length with the slab (C) and with air in its place (C0):
// Z = 1/(c·sqrt(C·C0)) and e_eff = C/C0, the plane between the strips a magnetic wall for the
// even mode and an electric wall for the odd mode. Solved as the single strip of field_line.h is,
// on the whole of one strip, and to the same accuracy; strips thinner than 1e-8 H are solved as
// of no thickness.
//
// A pure function of its arguments: safe to call from any number of threads at once.
namespace velmoka {

// The geometries the solver answers for.
inline constexpr double kFieldPairSmallestWidthRatio = 0.05;  // W/H
inline constexpr double kFieldPairLargestWidthRatio = 20.0;
inline constexpr double kFieldPairSmallestGapRatio = 0.05;  // S/H
inline constexpr double kFieldPairLargestGapRatio = 20.0;
inline constexpr double kFieldPairLargestThicknessRatio = 1.0;  // T/H, from 0
inline constexpr double kFieldPairLargestPermittivity = 100.0;  // er, from 1
// The relative accuracy every answer is estimated to reach in each mode's impedance and e_eff.
inline constexpr double kFieldPairAccuracy = 1e-4;

enum class FieldPairStatus {
    ok,                         // every mode value is given, each estimated to within kFieldPairAccuracy
    width_out_of_range,         // W/H is not within 0.05 to 20 (or W is not a number)
    gap_out_of_range,           // S/H is not within 0.05 to 20
    height_out_of_range,        // H is not a positive finite length
    thickness_out_of_range,     // T/H is not within 0 to 1
    permittivity_out_of_range,  // er is not within 1 to 100
    accuracy_not_reached,       // the finest mesh allowed did not bring every error under kFieldPairAccuracy
};

struct FieldPair {
    PairModes modes;     // NaN unless status is ok
    PairModes accuracy;  // the estimated bound of each mode value's relative error; NaN when an
                         // input is out of range, the finest mesh's estimate when accuracy is not reached
    FieldPairStatus status;
};

// The pair of width ratio u = W/H, gap ratio g = S/H and thickness ratio t = T/H on a slab of
// permittivity er.
FieldPair field_pair(double u, double g, double t, double er);

// The same from the strip width w, gap s, substrate height h and strip thickness t in one length unit.
FieldPair field_pair(double w, double s, double h, double t, double er);

// "ok", or why no checked answer could be given, in a few words ("gap out of range").
std::string_view field_pair_status_text(FieldPairStatus status);

}  // namespace velmoka
