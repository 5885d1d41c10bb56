#include "maths/dielectric_loss.h"

#include "maths/line_losses_lanes.h"

namespace velmoka {

double filling_factor(double er, double e_eff) {
    return filling_factor_on<ScalarLanes>(er, e_eff);
}

double dispersed_filling_factor(double static_filling, double growth) {
    return dispersed_filling_on<ScalarLanes>(static_filling, growth);
}

double dielectric_attenuation(double frequency, double er, double loss_tangent, double e_eff, double filling) {
    return dielectric_attenuation_on<ScalarLanes>(frequency, er, loss_tangent, e_eff, filling);
}

}  // namespace velmoka
