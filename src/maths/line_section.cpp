#include "maths/line_section.h"

#include "maths/window_constants.h"

#include <cmath>
#include <limits>

namespace velmoka {

namespace {

constexpr double kNfPerPf = 0.001;
// Free-space wavelength at 1 GHz, in mils, formed as written: 1000 / 2.54 × 30.
constexpr double kWavelengthAtOneGhz = kMilsPerCm * kCmPerNs;

int sign(double x) {
    return (x > 0.0) - (x < 0.0);
}

}  // namespace

double series_reactance(double inductance, double f) {
    if (inductance == 0.0) {
        return 0.0;
    }
    return (kTwoPi * f) * inductance;
}

double shunt_reactance(double capacitance, double f) {
    if (capacitance == 0.0) {
        return std::numeric_limits<double>::infinity();
    }
    return 1.0 / (((kTwoPi * f) * capacitance) * kNfPerPf);
}

double pi_electrical_length(double xl, double z0) {
    const double s = xl / z0;
    // arcsin(s) as an arctangent; at s = ±1 the quotient is ±infinity and θ is ±90°.
    return std::atan(s / std::sqrt(1.0 - std::pow(s, 2)));
}

double tee_electrical_length(double xc, double z0) {
    const double q = xc / z0;
    const double r = std::sqrt(std::pow(q, 2) - 1.0);
    // arccosec(q): between 0 and 90° for q >= 1, between -180° and -90° for q <= -1.
    return std::atan(1.0 / r) + (sign(q) - 1) * kPi / 2.0;
}

double section_length(double theta, double f, double e_eff) {
    return (kWavelengthAtOneGhz * theta) / (kTwoPi * f) / std::sqrt(e_eff);
}

}  // namespace velmoka
