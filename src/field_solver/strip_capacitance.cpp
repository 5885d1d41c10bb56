#include "field_solver/strip_capacitance.h"

#include <array>

#include "field_solver/panel_potentials.h"

namespace velmoka::field_solver {

StripCapacitances strip_capacitances(const std::vector<Panel>& half_strip, const SlabImages& slab) {
    // The strip is its own mirror in x = 0: the left half carries the right half's charge.
    constexpr std::array kPlanes{SymmetryPlane::magnetic_wall};
    const StripCapacitances right_half = charges_at_unit_potential(half_strip, slab, kPlanes)[0];
    return {2.0 * right_half.with_slab, 2.0 * right_half.in_air};
}

}  // namespace velmoka::field_solver
