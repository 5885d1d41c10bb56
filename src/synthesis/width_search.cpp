#include "synthesis/width_search.h"

#include "analysis/constants.h"
#include "analysis/microstrip_line.h"

#include <cmath>

namespace velmoka {

namespace {

constexpr double kFreeSpaceImpedance = 377.0;  // ohms
constexpr double kImpedanceTolerance = 0.01;   // ohms
constexpr double kProbeFactor = 1.0001;        // probe ratio over the pass's ratio
constexpr double kProbeStep = 0.0001;          // probe step relative to the pass's ratio

}  // namespace

double estimated_width_ratio(double z_want, double er)
{
    const double B = kFreeSpaceImpedance * kPi / (2.0 * z_want * std::sqrt(er));
    if (!(B > 1.0)) {
        return kNarrowestWidthRatio;
    }
    const double C = ((er - 1.0) / (2.0 * er)) * (std::log(B - 1.0) + 0.39 - 0.61 / er);
    return (2.0 / kPi) * (B - 1.0 - std::log(2.0 * B - 1.0) + C);
}

WidthSolution solve_width_ratio(double z_want, double t, double er)
{
    double u = estimated_width_ratio(z_want, er);
    WidthSolution solution{};
    for (int pass = 1; pass <= kMostSearchPasses; ++pass) {
        if (u < kNarrowestWidthRatio) {
            u = kNarrowestWidthRatio;
        }
        const double u0 = u;
        const double za = microstrip_line(u0, t, er).z0;
        const double u_probe = u0 * kProbeFactor;
        const LineProperties probe = microstrip_line(u_probe, t, er);
        // Newton step from u0: slope from the probe, residual at the probe.
        const double u_next = u0 + (z_want - probe.z0) * u0 * kProbeStep / (probe.z0 - za);

        solution = {u_probe, probe.z0, probe.e_eff, pass, SearchEnd::met_tolerance};
        if (std::abs(z_want - za) < kImpedanceTolerance) {
            return solution;
        }
        if (!std::isfinite(u_next)) {
            break;
        }
        u = u_next;
    }
    // The narrowest strip has the model's highest impedance; a wanted impedance above it
    // needs a strip narrower than the search may go.
    const bool out_of_reach = microstrip_line(kNarrowestWidthRatio, t, er).z0 < z_want;
    solution.end = out_of_reach ? SearchEnd::out_of_reach : SearchEnd::did_not_settle;
    return solution;
}

}  // namespace velmoka
