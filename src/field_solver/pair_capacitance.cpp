#include "field_solver/pair_capacitance.h"

#include <array>

#include "field_solver/panel_potentials.h"

namespace velmoka::field_solver {

PairCapacitances pair_capacitances(const std::vector<Panel>& right_strip, const SlabImages& slab) {
    constexpr std::array kPlanes{SymmetryPlane::magnetic_wall, SymmetryPlane::electric_wall};
    const std::vector<StripCapacitances> modes = charges_at_unit_potential(right_strip, slab, kPlanes);
    return {modes[0], modes[1]};
}

}  // namespace velmoka::field_solver
