#include "maths/conductor_loss.h"

#include <cmath>
#include <numbers>

#include "common/physical_constants.h"

namespace velmoka {

double skin_depth(double frequency, double conductivity) {
    return 1.0 / std::sqrt(std::numbers::pi * frequency * kVacuumPermeability * conductivity);
}

double hammerstad_roughness_factor(double rms_height, double skin_depth) {
    const double relative = rms_height / skin_depth;
    return 1.0 + (2.0 / std::numbers::pi) * std::atan(1.4 * relative * relative);
}

double huray_roughness_factor(double nodule_radius, double nodules_per_area, double skin_depth) {
    if (nodule_radius == 0.0 || nodules_per_area == 0.0)
        return 1.0;
    const double sphere_share = nodules_per_area * 4.0 * std::numbers::pi * nodule_radius * nodule_radius;
    const double depth = skin_depth / nodule_radius;
    return 1.0 + 1.5 * sphere_share / (1.0 + depth + depth * depth / 2.0);
}

double roughness_factor(const Roughness& roughness, double skin_depth) {
    switch (roughness.model) {
    case RoughnessModel::hammerstad:
        return hammerstad_roughness_factor(roughness.rms_height, skin_depth);
    case RoughnessModel::huray:
        return huray_roughness_factor(roughness.nodule_radius, roughness.nodules_per_area, skin_depth);
    case RoughnessModel::smooth:
        break;
    }
    return 1.0;
}

double current_distribution_factor(double air_impedance) {
    return std::exp(-1.2 * std::pow(air_impedance / kFreeSpaceImpedance, 0.7));
}

double strip_resistance(double skin_resistance, double dc_resistance) {
    if (std::isinf(dc_resistance))
        return skin_resistance;
    if (skin_resistance == 0.0)
        return dc_resistance;
    return skin_resistance / -std::expm1(-skin_resistance / dc_resistance);
}

}  // namespace velmoka
