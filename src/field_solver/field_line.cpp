#include "field_solver/field_line.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "common/physical_constants.h"
#include "field_solver/mesh_refinement.h"
#include "field_solver/slab_images.h"
#include "field_solver/strip_capacitance.h"
#include "field_solver/strip_panels.h"

namespace velmoka {

namespace {

using field_solver::Refinement;

// Finer levels are tried until the half strip would have more panels than this, which bounds the
// work on any line to a few tenths of a second.
constexpr std::size_t kMostPanels = 600;
// Strips thinner than this (in H) are solved as of no thickness, which moves Z0 and e_eff by less
// than 1e-6; thinner faces would make the top and bottom faces' equations nearly the same.
constexpr double kThinnestStrip = 1e-8;
// The errors that halving the panels does not show (the deep images' quadrature, rounding in the
// solve) stay below this; no smaller relative error is reported.
constexpr double kSmallestReportedError = 1e-6;

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

// Z0 and e_eff on one level of mesh.
std::array<double, 2> answer_on(const std::vector<field_solver::Panel>& half_strip,
                                const field_solver::SlabImages& slab) {
    const field_solver::StripCapacitances c = field_solver::strip_capacitances(half_strip, slab);
    return {kFreeSpaceImpedance / std::sqrt(c.with_slab * c.in_air), c.with_slab / c.in_air};
}

FieldLine out_of_range(FieldStatus status) {
    return {kNotANumber, kNotANumber, kNotANumber, kNotANumber, status};
}

bool within(double value, double lowest, double highest) {
    return value >= lowest && value <= highest;
}

}  // namespace

FieldLine field_line(double u, double t, double er) {
    if (!within(u, kFieldSmallestWidthRatio, kFieldLargestWidthRatio)) {
        return out_of_range(FieldStatus::width_out_of_range);
    }
    if (!within(t, 0.0, kFieldLargestThicknessRatio)) {
        return out_of_range(FieldStatus::thickness_out_of_range);
    }
    if (!within(er, 1.0, kFieldLargestPermittivity)) {
        return out_of_range(FieldStatus::permittivity_out_of_range);
    }

    const double solved_thickness = t < kThinnestStrip ? 0.0 : t;
    const auto mesh = [&](int level) { return field_solver::strip_panels(u, solved_thickness, level); };
    // The slab's images are worked out once for every level: the levels share one outline.
    const field_solver::SlabImages slab(er, mesh(0));
    const Refinement<2> refinement = field_solver::refine<2>(
        mesh, [&](const std::vector<field_solver::Panel>& half_strip) { return answer_on(half_strip, slab); },
        kMostPanels, kFieldAccuracy);
    const auto [z0, e_eff] = refinement.quantities;
    if (!refinement.reached) {
        return {kNotANumber, kNotANumber, z0.relative_error, e_eff.relative_error, FieldStatus::accuracy_not_reached};
    }
    return {z0.value, e_eff.value, std::max(z0.relative_error, kSmallestReportedError),
            std::max(e_eff.relative_error, kSmallestReportedError), FieldStatus::ok};
}

FieldLine field_line(double w, double h, double t, double er) {
    if (!(h > 0.0 && std::isfinite(h))) {
        return out_of_range(FieldStatus::height_out_of_range);
    }
    return field_line(w / h, t / h, er);
}

std::string_view field_status_text(FieldStatus status) {
    switch (status) {
        case FieldStatus::ok:
            return "ok";
        case FieldStatus::width_out_of_range:
            return "width out of range";
        case FieldStatus::height_out_of_range:
            return "height out of range";
        case FieldStatus::thickness_out_of_range:
            return "thickness out of range";
        case FieldStatus::permittivity_out_of_range:
            return "permittivity out of range";
        case FieldStatus::accuracy_not_reached:
            return "accuracy not reached";
    }
    return "unknown status";
}

}  // namespace velmoka
