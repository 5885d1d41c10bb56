#include "maths/lumped_networks.h"

#include <cmath>

#include "maths/window_constants.h"

namespace velmoka {

namespace {

// A susceptance in siemens over 2π·f with f in GHz is in nF; this turns it into pF.
constexpr double kPicofaradsPerNanofarad = 1000.0;

// Series inductance of the pi network, nH: the line's series reactance z0·sin θ.
double pi_series_inductance(double z0, double theta, double f) {
    return ((z0 * std::sin(theta)) / 2.0 / kPi) / f;
}

// Each shunt capacitance of the pi network, pF: the susceptance tan(θ/2)/z0.
double pi_shunt_capacitance(double z0, double theta, double f) {
    return (kPicofaradsPerNanofarad * (std::tan(theta / 2.0) / z0)) / 2.0 / kPi / f;
}

// Each series inductance of the T network, nH: the reactance z0·tan(θ/2).
double tee_series_inductance(double z0, double theta, double f) {
    return ((z0 * std::tan(theta / 2.0)) / 2.0 / kPi) / f;
}

// Shunt capacitance of the T network, pF: the susceptance sin θ / z0.
double tee_shunt_capacitance(double z0, double theta, double f) {
    return ((kPicofaradsPerNanofarad * std::sin(theta)) / 2.0 / kPi / f) / z0;
}

}  // namespace

LumpedNetworks lumped_networks(double z0, double theta, double f) {
    return {pi_series_inductance(z0, theta, f), pi_shunt_capacitance(z0, theta, f), tee_series_inductance(z0, theta, f),
            tee_shunt_capacitance(z0, theta, f)};
}

}  // namespace velmoka
