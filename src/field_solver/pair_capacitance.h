#pragma once

#include <vector>

#include "field_solver/slab_images.h"
#include "field_solver/strip_capacitance.h"
#include "field_solver/strip_panels.h"

namespace velmoka::field_solver {

// Capacitances per unit length of one strip of an edge-coupled pair to ground in each mode, in
// units of ε0, with the other strip driven alike (even) or in opposition (odd).
struct PairCapacitances {
    StripCapacitances even;
    StripCapacitances odd;
};

// Both modes of the pair whose right strip is cut into `right_strip`, the left strip its mirror
// in x = 0, on the slab that `slab` images: the plane between them is a magnetic wall for the
// even mode and an electric wall for the odd mode, and the one fill of the panels' potentials
// serves both.
PairCapacitances pair_capacitances(const std::vector<Panel>& right_strip, const SlabImages& slab);

}  // namespace velmoka::field_solver
