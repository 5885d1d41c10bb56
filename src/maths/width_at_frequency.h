#pragma once

#include <cstdint>

#include "maths/line_at_frequency.h"
#include "maths/microstrip_dispersion.h"

// The strip width that gives a wanted impedance Z0(f) at a frequency: a search bracketed
// between the narrowest and the widest strip the line at frequency is asked for, in W/H on a
// logarithmic scale, with false-position steps (the Illinois variant) that bisect whenever
// they stop shrinking the bracket. Bounded passes, every impedance checked finite, and an end
// that says why it stopped.
namespace velmoka {

// The widest W/H searched: the top of Kirschning and Jansen's range for e_eff(f), and of the
// range over which Hammerstad and Jensen give their static model's accuracy. The narrowest is
// kNarrowestWidthRatio, as for the static search.
inline constexpr double kWidestWidthRatio = kDispersionWidest;
// The search ends once Z0(f) lies this close to the wanted impedance, relative.
inline constexpr double kRelativeImpedanceTolerance = 1e-10;
inline constexpr int kMostWidthPasses = 100;

enum class WidthEnd : std::uint8_t {
    met_tolerance,
    // The wanted impedance lies above Z0(f) of the narrowest strip: it needs a narrower one.
    above_narrowest_strip,
    // The wanted impedance lies below Z0(f) of the widest strip: it needs a wider one.
    below_widest_strip,
    did_not_settle,  // the pass limit, or an impedance that is not finite
    not_admitted,    // the wanted impedance not above 0 or not finite, or a line refused (see line.status)
};

struct WidthAtFrequency {
    WidthEnd end;
    double width;          // m: the answer, or the bound that was reached
    LineAtFrequency line;  // the line of that width at the frequency
    int passes;            // evaluations of the line after the two at the bounds
};

// The width of a strip of thickness T (m) on a dielectric of height H (m) whose Z0(f) is
// z_want (ohms) at `frequency` (Hz).
WidthAtFrequency width_for_impedance(double z_want, double height, double thickness, const Dielectric& dielectric,
                                     const Conductor& conductor, double frequency);

}  // namespace velmoka
