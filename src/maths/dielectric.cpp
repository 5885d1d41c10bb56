#include "maths/dielectric.h"

#include <cmath>

#include "maths/dielectric_lanes.h"

namespace velmoka {

namespace {

bool admitted(const Dielectric& d) {
    return d.er >= 1.0 && std::isfinite(d.er) && d.loss_tangent >= 0.0 && std::isfinite(d.loss_tangent) &&
           d.frequency > 0.0 && std::isfinite(d.frequency);
}

}  // namespace

DielectricResponse fit_dielectric(const Dielectric& d) {
    if (!admitted(d))
        return {DielectricFit::not_admitted, d.model, d.er, 0.0, d.loss_tangent};
    if (d.model == PermittivityModel::constant)
        return {DielectricFit::fitted, d.model, d.er, 0.0, d.loss_tangent};

    // ε'' = er·tan δ and ε' = er at the given frequency.
    const double strength = d.er * d.loss_tangent / loss_phase<ScalarLanes>(d.frequency);
    const double er_infinity = d.er - strength * permittivity_log<ScalarLanes>(d.frequency);
    const DielectricFit fit = er_infinity >= 1.0 ? DielectricFit::fitted : DielectricFit::permittivity_below_unity;
    return {fit, d.model, er_infinity, strength, 0.0};
}

PermittivityAt permittivity_at(const DielectricResponse& response, double f) {
    return permittivity_on<ScalarLanes>(response, f);
}

}  // namespace velmoka
