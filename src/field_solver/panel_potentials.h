#pragma once

#include <span>
#include <vector>

#include "field_solver/slab_images.h"
#include "field_solver/strip_capacitance.h"
#include "field_solver/strip_panels.h"

// The charges on a strip's panels at unit potential over the grounded slab, for a cross-section
// mirrored in its symmetry plane x = 0: the panels lie on the right (x >= 0), and the mirror of
// each carries the same charge density behind a magnetic wall (one strip, or the even mode of a
// pair) or the opposite density behind an electric wall (the odd mode). Lengths in H, charges
// for ε0 = 1; only the field solver's sources include this header.
namespace velmoka::field_solver {

enum class SymmetryPlane {
    magnetic_wall,  // the mirror carries the same charge: no field crosses the plane
    electric_wall,  // the mirror carries the opposite charge: the plane is at zero potential
};

// For each plane in `planes`, the charge per unit length on the panels (not on their mirrors) at
// unit potential, over the slab and in air, with the mirrors at the potential the plane gives
// them: +1 behind a magnetic wall, −1 behind an electric one. Collocation at each panel's
// midpoint with a constant charge density on each panel; the panels' potentials, of their own
// charge and of their mirrors', are worked out once for every plane.
std::vector<StripCapacitances> charges_at_unit_potential(const std::vector<Panel>& panels, const SlabImages& slab,
                                                         std::span<const SymmetryPlane> planes);

}  // namespace velmoka::field_solver
