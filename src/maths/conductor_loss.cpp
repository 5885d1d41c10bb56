#include "maths/conductor_loss.h"

#include "maths/line_losses_lanes.h"

namespace velmoka {

double skin_depth(double frequency, double conductivity) {
    return skin_depth_on<ScalarLanes>(frequency, conductivity);
}

double hammerstad_roughness_factor(double rms_height, double skin_depth) {
    return hammerstad_roughness_on<ScalarLanes>(rms_height, skin_depth);
}

double huray_roughness_factor(double nodule_radius, double nodules_per_area, double skin_depth) {
    return huray_roughness_on<ScalarLanes>(nodule_radius, nodules_per_area, skin_depth);
}

double roughness_factor(const Roughness& roughness, double skin_depth) {
    return roughness_on<ScalarLanes>(roughness, skin_depth);
}

double current_distribution_factor(double air_impedance) {
    return current_distribution_on<ScalarLanes>(air_impedance);
}

double strip_resistance(double skin_resistance, double dc_resistance) {
    return strip_resistance_on<ScalarLanes>(skin_resistance, dc_resistance);
}

}  // namespace velmoka
