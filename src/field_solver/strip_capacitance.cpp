#include "field_solver/strip_capacitance.h"

#include "field_solver/panel_potentials.h"

namespace velmoka::field_solver {

StripCapacitances strip_capacitances(const std::vector<Panel>& half_strip, double er) {
    // The strip is its own mirror in x = 0: the left half carries the right half's charge.
    const StripCapacitances right_half =
        charges_at_unit_potential(panel_potentials(half_strip, er), SymmetryPlane::magnetic_wall);
    return {2.0 * right_half.with_slab, 2.0 * right_half.in_air};
}

}  // namespace velmoka::field_solver
