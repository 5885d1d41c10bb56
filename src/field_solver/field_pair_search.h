#pragma once

#include "field_solver/field_pair.h"
#include "maths/pair_search.h"

// The width of an edge-coupled pair for a wanted differential impedance at a given gap, and the
// gap for it at a given width, on the field solution (field_pair.h): the closed-form search's
// answer is the first field solution's geometry, and the closed form's slope there the first
// Newton step's, so that a few field solutions suffice. The impedance is met within 0.05 ohm with
// the field solution's own error bound included.
namespace velmoka {

struct FieldPairDesign {
    double ratio;          // the W/H or S/H found; NaN unless the tolerance was met
    FieldPair pair;        // the field solution at ratio, or the last one solved
    int field_solutions;   // solutions made
    PairSearchEnd end;     // as the closed-form search's, and field_not_solved
};

// The W/H whose pair of gap ratio g, thickness ratio t on permittivity er has the differential
// impedance z_diff (ohms) in the field solution.
FieldPairDesign field_width_for_differential_impedance(double z_diff, double g, double t, double er);

// The S/H whose pair of width ratio u, thickness ratio t on permittivity er has it.
FieldPairDesign field_gap_for_differential_impedance(double z_diff, double u, double t, double er);

}  // namespace velmoka
