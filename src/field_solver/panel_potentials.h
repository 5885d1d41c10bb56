#pragma once

#include <Eigen/Dense>

#include <optional>
#include <vector>

#include "field_solver/strip_capacitance.h"
#include "field_solver/strip_panels.h"

// The potentials that charges on the strips' panels give at the panels' midpoints over the
// grounded slab, for a cross-section mirrored in its symmetry plane x = 0: the panels lie on the
// right (x >= 0), and the mirror of each carries the same charge density behind a magnetic wall
// (one strip, or the even mode of a pair) or the opposite density behind an electric wall (the odd
// mode). Lengths in H, potentials for ε0 = 1; only the field solver's sources include this header.
namespace velmoka::field_solver {

enum class SymmetryPlane {
    magnetic_wall,  // the mirror carries the same charge: no field crosses the plane
    electric_wall,  // the mirror carries the opposite charge: the plane is at zero potential
};

// Entry (i, j): the potential at panel i's midpoint of a unit charge density on panel j (own) and
// on panel j's mirror in x = 0 (mirrored), each with its images in the slab's face and the
// ground plane.
struct MirroredPotentials {
    Eigen::MatrixXd own;
    Eigen::MatrixXd mirrored;
};

struct PanelPotentials {
    MirroredPotentials in_air;                    // with air in the slab's place
    std::optional<MirroredPotentials> with_slab;  // over the slab; none when er is 1
    Eigen::VectorXd lengths;                      // of the panels
};

PanelPotentials panel_potentials(const std::vector<Panel>& panels, double er);

// The charges per unit length on the panels (not on their mirrors) at unit potential, over the
// slab and in air, with the mirrors at the potential the plane gives them: +1 behind a magnetic
// wall, −1 behind an electric one. Collocation at each panel's midpoint with a constant charge
// density on each panel.
StripCapacitances charges_at_unit_potential(const PanelPotentials& potentials, SymmetryPlane plane);

}  // namespace velmoka::field_solver
