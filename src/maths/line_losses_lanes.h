#pragma once

#include <cmath>
#include <numbers>

#include "common/physical_constants.h"
#include "maths/conductor_loss.h"
#include "maths/scalar_lanes.h"

// The conductor loss of conductor_loss.h and the dielectric loss of dielectric_loss.h on
// lanes, each lane a strip or a frequency of its own, one conductor for all: the one source of
// both, which the scalar functions run on a single lane.
namespace velmoka {
namespace {  // each instruction set's translation unit keeps its own copy

template <typename Lanes>
LaneDoubles<Lanes> skin_depth_on(LaneDoubles<Lanes> frequency, double conductivity) {
    return 1.0 / Lanes::sqrt((std::numbers::pi * kVacuumPermeability * conductivity) * frequency);
}

template <typename Lanes>
LaneDoubles<Lanes> hammerstad_roughness_on(double rms_height, LaneDoubles<Lanes> skin_depth) {
    const LaneDoubles<Lanes> relative = rms_height / skin_depth;
    return 1.0 + (2.0 / std::numbers::pi) * Lanes::atan(1.4 * relative * relative);
}

template <typename Lanes>
LaneDoubles<Lanes> huray_roughness_on(double nodule_radius, double nodules_per_area, LaneDoubles<Lanes> skin_depth) {
    if (nodule_radius == 0.0 || nodules_per_area == 0.0)
        return Lanes::splat(1.0);
    const double sphere_share = nodules_per_area * 4.0 * std::numbers::pi * nodule_radius * nodule_radius;
    const LaneDoubles<Lanes> depth = skin_depth / nodule_radius;
    return 1.0 + 1.5 * sphere_share / (1.0 + depth + depth * depth / 2.0);
}

template <typename Lanes>
LaneDoubles<Lanes> roughness_on(const Roughness& roughness, LaneDoubles<Lanes> skin_depth) {
    switch (roughness.model) {
    case RoughnessModel::hammerstad:
        return hammerstad_roughness_on<Lanes>(roughness.rms_height, skin_depth);
    case RoughnessModel::huray:
        return huray_roughness_on<Lanes>(roughness.nodule_radius, roughness.nodules_per_area, skin_depth);
    case RoughnessModel::smooth:
        break;
    }
    return Lanes::splat(1.0);
}

template <typename Lanes>
LaneDoubles<Lanes> current_distribution_on(LaneDoubles<Lanes> air_impedance) {
    return Lanes::exp(-1.2 * Lanes::pow(air_impedance / kFreeSpaceImpedance, Lanes::splat(0.7)));
}

// R_skin/(1 − e^(−R_skin/R_dc)), exactly R_dc with no skin resistance and R_skin with no DC
// resistance (a strip of no thickness).
template <typename Lanes>
LaneDoubles<Lanes> strip_resistance_on(LaneDoubles<Lanes> skin, LaneDoubles<Lanes> dc) {
    const LaneDoubles<Lanes> blended = skin / -Lanes::expm1(-skin / dc);
    return Lanes::select(dc == __builtin_inf(), skin, Lanes::select(skin == 0.0, dc, blended));
}

template <typename Lanes>
LaneDoubles<Lanes> filling_factor_on(LaneDoubles<Lanes> er, LaneDoubles<Lanes> e_eff) {
    return (e_eff - 1.0) / (er - 1.0);
}

// q + (1 − q)·P/(1 + P), adding exactly nothing at P = 0.
template <typename Lanes>
LaneDoubles<Lanes> dispersed_filling_on(LaneDoubles<Lanes> static_filling, LaneDoubles<Lanes> growth) {
    return static_filling + (1.0 - static_filling) / (1.0 + 1.0 / growth);
}

template <typename Lanes>
LaneDoubles<Lanes> dielectric_attenuation_on(LaneDoubles<Lanes> frequency, LaneDoubles<Lanes> er,
                                             LaneDoubles<Lanes> loss_tangent, LaneDoubles<Lanes> e_eff,
                                             LaneDoubles<Lanes> filling) {
    return (std::numbers::pi / kSpeedOfLight) * frequency * (er / Lanes::sqrt(e_eff)) * filling * loss_tangent;
}

}  // namespace
}  // namespace velmoka
