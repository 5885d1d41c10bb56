#include "field_solver/field_pair.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "common/physical_constants.h"
#include "field_solver/mesh_refinement.h"
#include "field_solver/pair_capacitance.h"
#include "field_solver/slab_images.h"
#include "field_solver/strip_panels.h"

namespace velmoka {

namespace {

using field_solver::Refinement;

// Finer levels are tried until one strip would have more panels than this.
constexpr std::size_t kMostPanels = 1200;
// As for the single strip: thinner strips are solved as of no thickness, and no relative error
// smaller than the errors that halving the panels does not show is reported.
constexpr double kThinnestStrip = 1e-8;
constexpr double kSmallestReportedError = 1e-6;

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();
constexpr PairModes kNoModes{kNotANumber, kNotANumber, kNotANumber, kNotANumber};

// The mode values on one level of mesh, in the order of PairModes.
std::array<double, 4> modes_on(const std::vector<field_solver::Panel>& right_strip,
                               const field_solver::SlabImages& slab) {
    const field_solver::PairCapacitances c = field_solver::pair_capacitances(right_strip, slab);
    return {kFreeSpaceImpedance / std::sqrt(c.even.with_slab * c.even.in_air),
            kFreeSpaceImpedance / std::sqrt(c.odd.with_slab * c.odd.in_air), c.even.with_slab / c.even.in_air,
            c.odd.with_slab / c.odd.in_air};
}

FieldPair out_of_range(FieldPairStatus status) {
    return {kNoModes, kNoModes, status};
}

bool within(double value, double lowest, double highest) {
    return value >= lowest && value <= highest;
}

}  // namespace

FieldPair field_pair(double u, double g, double t, double er) {
    if (!within(u, kFieldPairSmallestWidthRatio, kFieldPairLargestWidthRatio)) {
        return out_of_range(FieldPairStatus::width_out_of_range);
    }
    if (!within(g, kFieldPairSmallestGapRatio, kFieldPairLargestGapRatio)) {
        return out_of_range(FieldPairStatus::gap_out_of_range);
    }
    if (!within(t, 0.0, kFieldPairLargestThicknessRatio)) {
        return out_of_range(FieldPairStatus::thickness_out_of_range);
    }
    if (!within(er, 1.0, kFieldPairLargestPermittivity)) {
        return out_of_range(FieldPairStatus::permittivity_out_of_range);
    }

    const double solved_thickness = t < kThinnestStrip ? 0.0 : t;
    const double centre = 0.5 * (g + u);
    const auto mesh = [&](int level) { return field_solver::whole_strip_panels(u, solved_thickness, centre, level); };
    // The slab's images are worked out once for every level: the levels share one outline.
    const field_solver::SlabImages slab(er, mesh(0));
    const Refinement<4> refinement = field_solver::refine<4>(
        mesh, [&](const std::vector<field_solver::Panel>& right_strip) { return modes_on(right_strip, slab); },
        kMostPanels, kFieldPairAccuracy);
    const auto [z_even, z_odd, e_eff_even, e_eff_odd] = refinement.quantities;
    if (!refinement.reached) {
        return {kNoModes,
                {z_even.relative_error, z_odd.relative_error, e_eff_even.relative_error, e_eff_odd.relative_error},
                FieldPairStatus::accuracy_not_reached};
    }
    const auto reported = [](double relative_error) { return std::max(relative_error, kSmallestReportedError); };
    return {{z_even.value, z_odd.value, e_eff_even.value, e_eff_odd.value},
            {reported(z_even.relative_error), reported(z_odd.relative_error), reported(e_eff_even.relative_error),
             reported(e_eff_odd.relative_error)},
            FieldPairStatus::ok};
}

FieldPair field_pair(double w, double s, double h, double t, double er) {
    if (!(h > 0.0 && std::isfinite(h))) {
        return out_of_range(FieldPairStatus::height_out_of_range);
    }
    return field_pair(w / h, s / h, t / h, er);
}

std::string_view field_pair_status_text(FieldPairStatus status) {
    switch (status) {
        case FieldPairStatus::ok:
            return "ok";
        case FieldPairStatus::width_out_of_range:
            return "width out of range";
        case FieldPairStatus::gap_out_of_range:
            return "gap out of range";
        case FieldPairStatus::height_out_of_range:
            return "height out of range";
        case FieldPairStatus::thickness_out_of_range:
            return "thickness out of range";
        case FieldPairStatus::permittivity_out_of_range:
            return "permittivity out of range";
        case FieldPairStatus::accuracy_not_reached:
            return "accuracy not reached";
    }
    return "unknown status";
}

}  // namespace velmoka
