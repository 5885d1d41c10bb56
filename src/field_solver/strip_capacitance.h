#pragma once

#include <vector>

#include "field_solver/slab_images.h"
#include "field_solver/strip_panels.h"

namespace velmoka::field_solver {

// Capacitances per unit length of the strip to ground, in units of ε0.
struct StripCapacitances {
    double with_slab;  // C, over the slab of permittivity er
    double in_air;     // C0, with air in the slab's place
};

// Both capacitances of the strip whose right half is cut into `half_strip`, on the slab that
// `slab` images, by collocation at each panel's midpoint with a constant charge density on each
// panel.
StripCapacitances strip_capacitances(const std::vector<Panel>& half_strip, const SlabImages& slab);

}  // namespace velmoka::field_solver
