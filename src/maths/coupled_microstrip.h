#pragma once

#include <string_view>

#include "maths/microstrip_line.h"
#include "maths/pair_modes.h"

// Quasi-static closed form of an edge-coupled pair of microstrips: two identical strips of width
// ratio u = W/H, their facing sides g = S/H apart, of thickness ratio t = T/H, on a substrate of
// relative permittivity er. Kirschning and Jansen's static formulas for zero-thickness strips
// (IEEE Trans. MTT-32, 1984), on Hammerstad and Jensen's single strip, with the full free-space
// wave impedance; the thickness by Jansen's widening of each mode's strips, on the substrate and
// in air (coupled_thickness.h).
// No dispersion, no loss: the frequency-dependent modes build on these static values and the
// single strip's dispersion terms.
//
// Pure functions of their arguments: safe to call from any number of threads at once.
namespace velmoka {

// The range Kirschning and Jansen fitted their formulas over; beyond it they still answer, and
// their distance from the field solution is the only guide.
inline constexpr double kCoupledFittedSmallestRatio = 0.1;  // W/H and S/H
inline constexpr double kCoupledFittedLargestRatio = 10.0;
inline constexpr double kCoupledFittedLargestPermittivity = 18.0;

// Gaps wider than this (in H) are taken as this wide: the gap's powers in the formulas stay
// finite, where beyond about 1e100 H they overflow to a NaN. Up to W/H 3 the modes are the single
// strip's to 1e-9 there; on wider strips the odd mode's coupling term Q10, far beyond the fitted
// gaps, grows again with the gap past about 1000 H (at W/H 10 the odd impedance falls 0.1 % short
// of the single strip's at 1000 H and all of it at this gap).
inline constexpr double kDecoupledGap = 1e6;

enum class CoupledStatus {
    ok,                   // the modes are given, within the fitted range
    beyond_fitted_range,  // the modes are given, but W/H or S/H is outside 0.1 to 10, er above 18
                          // or, at a frequency, fn above 25 GHz·mm
    width_invalid,        // W/H is not a positive finite number
    gap_invalid,          // S/H is not a positive finite number
    height_invalid,       // H is not a positive finite length
    thickness_invalid,    // T/H is below 0 or not finite
    permittivity_invalid, // er is below 1 or not finite
    frequency_invalid,    // at a frequency: fn is below 0 or not finite
    no_sound_answer,      // far beyond the fitted range, where the formulas give no finite positive
                          // impedance or an effective dielectric constant outside 1 to er
};

struct CoupledMicrostrip {
    PairModes modes;  // NaN unless status is ok or beyond_fitted_range
    CoupledStatus status;
};

// The pair of width ratio u, gap ratio g and thickness ratio t on permittivity er.
CoupledMicrostrip coupled_microstrip(double u, double g, double t, double er);

// The same from the strip width w, gap s, substrate height h and strip thickness t in one length unit.
CoupledMicrostrip coupled_microstrip(double w, double s, double h, double t, double er);

// The single strip either mode becomes as the gap widens without bound: Hammerstad and Jensen's
// strip of width ratio u with the full free-space wave impedance, widened by Δur on the
// substrate and by Δu1 in air.
LineProperties decoupled_strip(double u, double t, double er);

// "ok", or what is wrong with the pair, in a few words ("gap invalid").
std::string_view coupled_status_text(CoupledStatus status);

}  // namespace velmoka
