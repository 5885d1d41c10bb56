#pragma once

#include "maths/impedance_search.h"
#include "maths/pair_modes.h"

#include <cmath>

// The width of an edge-coupled pair for a wanted differential impedance at a given gap, and the
// gap for it at a given width, on the closed-form pair (coupled_microstrip.h). Ratios are to the
// substrate height H: u = W/H, g = S/H, t = T/H.
namespace velmoka {

// The widths and gaps searched (W/H and S/H), the field solution's range, so that an answer can
// be taken on to the field.
inline constexpr double kNarrowestSearchedRatio = 0.05;
inline constexpr double kWidestSearchedRatio = 20.0;
// A search ends when the pair's differential impedance lies this close to the wanted one, ohms.
inline constexpr double kDifferentialImpedanceTolerance = 0.05;

enum class PairSearchEnd {
    met_tolerance,           // the pair lies within 0.05 ohm of the wanted differential impedance
    beyond_narrowest_width,  // the wanted impedance is above the pair's at W/H 0.05
    beyond_widest_width,     // the wanted impedance is below the pair's at W/H 20
    beyond_narrowest_gap,    // the wanted impedance is below the pair's at S/H 0.05
    beyond_widest_gap,       // the wanted impedance is above the pair's at S/H 20
    no_pair,                 // an input is no pair (the other dimension, T/H, er or the target)
    no_sound_answer,         // the closed form has no sound answer at a ratio on the way
    field_not_solved,        // a field solution on the way did not reach its accuracy (field searches only)
    did_not_settle,          // the pass limit, or a step that is no number
};

struct PairDesign {
    double ratio;     // the W/H or S/H found; NaN unless the tolerance was met
    PairModes modes;  // the pair's modes at ratio; NaN unless the tolerance was met
    int passes;       // pairs worked out
    PairSearchEnd end;
};

// How a search over a ratio ended, in a pair's words: beyond_lowest and beyond_highest past the
// bounds of the ratio searched, not_solved where a pair on the way had no answer.
PairSearchEnd pair_search_end(RatioSearchEnd end, PairSearchEnd beyond_lowest, PairSearchEnd beyond_highest,
                              PairSearchEnd not_solved);

// The slope dz_diff/d(ln ratio) of the pair that pair_at(ratio) gives, from the pair at the ratio
// and a hair beyond: the step a search takes towards its target.
template <typename PairAt>
double differential_impedance_slope(const PairAt& pair_at, double ratio) {
    constexpr double kSlopeProbeFactor = 1.0001;
    return (differential_impedance(pair_at(ratio * kSlopeProbeFactor).modes) -
            differential_impedance(pair_at(ratio).modes)) /
           std::log(kSlopeProbeFactor);
}

// The W/H whose pair of gap ratio g, thickness ratio t on permittivity er has the differential
// impedance z_diff (ohms), 2·z_odd.
PairDesign width_for_differential_impedance(double z_diff, double g, double t, double er);

// The S/H whose pair of width ratio u, thickness ratio t on permittivity er has z_diff.
PairDesign gap_for_differential_impedance(double z_diff, double u, double t, double er);

}  // namespace velmoka
