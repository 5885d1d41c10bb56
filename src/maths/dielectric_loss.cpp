#include "maths/dielectric_loss.h"

#include <cmath>
#include <numbers>

#include "common/physical_constants.h"

namespace velmoka {

double filling_factor(double er, double e_eff) {
    return (e_eff - 1.0) / (er - 1.0);
}

double dispersed_filling_factor(double static_filling, double growth) {
    // q + (1 − q)·P/(1 + P), adding exactly nothing at P = 0.
    return static_filling + (1.0 - static_filling) / (1.0 + 1.0 / growth);
}

double dielectric_attenuation(double frequency, double er, double loss_tangent, double e_eff, double filling) {
    return (std::numbers::pi * frequency / kSpeedOfLight) * (er / std::sqrt(e_eff)) * filling * loss_tangent;
}

}  // namespace velmoka
