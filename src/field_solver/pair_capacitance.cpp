#include "field_solver/pair_capacitance.h"

#include "field_solver/panel_potentials.h"

namespace velmoka::field_solver {

PairCapacitances pair_capacitances(const std::vector<Panel>& right_strip, double er) {
    const PanelPotentials potentials = panel_potentials(right_strip, er);
    return {charges_at_unit_potential(potentials, SymmetryPlane::magnetic_wall),
            charges_at_unit_potential(potentials, SymmetryPlane::electric_wall)};
}

}  // namespace velmoka::field_solver
