#pragma once

#include "maths/dielectric.h"
#include "maths/scalar_lanes.h"

// permittivity_at on lanes: each lane a frequency, one fitted dielectric for all.
namespace velmoka {
namespace {  // each instruction set's translation unit keeps its own copy

constexpr double kRelaxationProduct = kLowestRelaxationFrequency * kHighestRelaxationFrequency;  // f1·f2, Hz²
constexpr double kRelaxationSpan = kHighestRelaxationFrequency - kLowestRelaxationFrequency;     // f2 − f1, Hz
constexpr double kLowestRelaxationSquared = kLowestRelaxationFrequency * kLowestRelaxationFrequency;
constexpr double kRelaxationSquaresSpan = kHighestRelaxationFrequency * kHighestRelaxationFrequency - kLowestRelaxationSquared;

// −Im ln((f2 + jf)/(f1 + jf)) = atan(f/f1) − atan(f/f2), as one arctangent.
template <typename Lanes>
LaneDoubles<Lanes> loss_phase(LaneDoubles<Lanes> f) {
    return Lanes::atan(f * kRelaxationSpan / (kRelaxationProduct + f * f));
}

// Re ln((f2 + jf)/(f1 + jf)) = ½·ln(1 + (f2² − f1²)/(f1² + f²)), which tends to 0 as f grows
// and does not overflow with f².
template <typename Lanes>
LaneDoubles<Lanes> permittivity_log(LaneDoubles<Lanes> f) {
    return 0.5 * Lanes::log1p(kRelaxationSquaresSpan / (kLowestRelaxationSquared + f * f));
}

template <typename Lanes>
PermittivityAtOf<LaneDoubles<Lanes>> permittivity_on(const DielectricResponse& response, LaneDoubles<Lanes> f) {
    if (response.model == PermittivityModel::constant)
        return {Lanes::splat(response.er_infinity), Lanes::splat(response.loss_tangent)};
    const LaneDoubles<Lanes> er = response.er_infinity + response.strength * permittivity_log<Lanes>(f);
    return {er, response.strength * loss_phase<Lanes>(f) / er};
}

}  // namespace
}  // namespace velmoka
