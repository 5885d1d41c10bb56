#include "maths/width_search.h"

#include "maths/window_constants.h"
#include "maths/microstrip_line.h"

#include <cmath>

namespace velmoka {

double estimated_width_ratio(double z_want, double er) {
    const double B = kRoundedFreeSpaceImpedance * kPi / (2.0 * z_want * std::sqrt(er));
    if (!(B > 1.0)) {
        return kNarrowestWidthRatio;
    }
    const double C = ((er - 1.0) / (2.0 * er)) * (std::log(B - 1.0) + 0.39 - 0.61 / er);
    return (2.0 / kPi) * (B - 1.0 - std::log(2.0 * B - 1.0) + C);
}

WidthSolution solve_width_ratio(double z_want, double t, double er) {
    const SubstrateTerms substrate = substrate_terms(er);
    // The answer of a pass: the model's line at the pass's probe ratio.
    const auto solution_at = [&](double u_probe, int pass, SearchEnd end) {
        const LineProperties probe = microstrip_line(u_probe, t, substrate);
        return WidthSolution{u_probe, probe.z0, probe.e_eff, pass, end};
    };

    double u = estimated_width_ratio(z_want, er);
    for (int pass = 1;; ++pass) {
        if (u < kNarrowestWidthRatio) {
            u = kNarrowestWidthRatio;
        }
        const double u0 = u;
        const double za = microstrip_impedance(u0, t, substrate);
        const double u_probe = u0 * kProbeFactor;
        if (std::abs(z_want - za) < kImpedanceTolerance) {
            return solution_at(u_probe, pass, SearchEnd::met_tolerance);
        }
        const double zb = microstrip_impedance(u_probe, t, substrate);
        // Newton step from u0: slope from the probe, residual at the probe.
        const double u_next = u0 + (z_want - zb) * u0 * kProbeStep / (zb - za);
        if (!std::isfinite(u_next) || pass == kMostSearchPasses) {
            // The narrowest strip has the model's highest impedance; a wanted impedance above
            // it needs a strip narrower than the search may go.
            const bool out_of_reach = microstrip_impedance(kNarrowestWidthRatio, t, substrate) < z_want;
            return solution_at(u_probe, pass, out_of_reach ? SearchEnd::out_of_reach : SearchEnd::did_not_settle);
        }
        u = u_next;
    }
}

}  // namespace velmoka
