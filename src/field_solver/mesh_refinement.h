#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

#include "field_solver/mesh_extrapolation.h"
#include "field_solver/strip_panels.h"

// Quantities solved on finer and finer levels of one family of meshes, each level halving every
// panel of the level before, and extrapolated to zero panel size from the last three levels.
namespace velmoka::field_solver {

template <std::size_t Count>
struct Refinement {
    std::array<Extrapolation, Count> quantities;  // NaN until three levels are solved
    bool reached;  // every quantity's estimated relative error is within the accuracy asked
};

// Solves solve(mesh(level)) for level 0, 1, 2, ... until every quantity's estimated relative
// error is within `accuracy`, or from the fourth level on the mesh would have more panels than
// `most_panels`, or a level gives a quantity that is not finite. mesh(level) gives the panels of
// a level, solve(panels) the level's quantities as a std::array<double, Count>.
template <std::size_t Count, typename Mesh, typename Solve>
Refinement<Count> refine(const Mesh& mesh, const Solve& solve, std::size_t most_panels, double accuracy) {
    constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();
    Refinement<Count> refinement{};
    refinement.quantities.fill({kNotANumber, kNotANumber});
    std::vector<std::array<double, Count>> levels;
    for (int level = 0;; ++level) {
        const std::vector<Panel> panels = mesh(level);
        if (level >= 3 && panels.size() > most_panels) {
            return refinement;
        }
        const std::array<double, Count> answer = solve(panels);
        for (double quantity : answer) {
            if (!std::isfinite(quantity)) {
                return refinement;
            }
        }
        levels.push_back(answer);
        if (levels.size() < 3) {
            continue;
        }
        const std::array<double, Count>* last = &levels[levels.size() - 3];
        refinement.reached = true;
        for (std::size_t q = 0; q < Count; ++q) {
            refinement.quantities[q] = extrapolate(last[0][q], last[1][q], last[2][q]);
            refinement.reached = refinement.reached && refinement.quantities[q].relative_error <= accuracy;
        }
        if (refinement.reached) {
            return refinement;
        }
    }
}

}  // namespace velmoka::field_solver
