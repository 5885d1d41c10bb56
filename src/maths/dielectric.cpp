#include "maths/dielectric.h"

#include <cmath>

namespace velmoka {

namespace {

constexpr double kRelaxationProduct = kLowestRelaxationFrequency * kHighestRelaxationFrequency;  // f1·f2, Hz²
constexpr double kRelaxationSpan = kHighestRelaxationFrequency - kLowestRelaxationFrequency;     // f2 − f1, Hz

// −Im ln((f2 + jf)/(f1 + jf)) = atan(f/f1) − atan(f/f2), as one arctangent.
double loss_phase(double f) {
    return std::atan(f * kRelaxationSpan / (kRelaxationProduct + f * f));
}

// Re ln((f2 + jf)/(f1 + jf)) = ½·ln(1 + (f2² − f1²)/(f1² + f²)), which tends to 0 as f grows
// and does not overflow with f².
double permittivity_log(double f) {
    constexpr double f1_squared = kLowestRelaxationFrequency * kLowestRelaxationFrequency;
    constexpr double span_squared = kHighestRelaxationFrequency * kHighestRelaxationFrequency - f1_squared;
    return 0.5 * std::log1p(span_squared / (f1_squared + f * f));
}

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
    const double strength = d.er * d.loss_tangent / loss_phase(d.frequency);
    const double er_infinity = d.er - strength * permittivity_log(d.frequency);
    const DielectricFit fit = er_infinity >= 1.0 ? DielectricFit::fitted : DielectricFit::permittivity_below_unity;
    return {fit, d.model, er_infinity, strength, 0.0};
}

PermittivityAt permittivity_at(const DielectricResponse& response, double f) {
    if (response.model == PermittivityModel::constant)
        return {response.er_infinity, response.loss_tangent};
    const double er = response.er_infinity + response.strength * permittivity_log(f);
    return {er, response.strength * loss_phase(f) / er};
}

}  // namespace velmoka
