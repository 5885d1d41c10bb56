#pragma once

// The pi and T networks of lumped L and C that are exactly equivalent, at one frequency,
// to a lossless line section of impedance z0 and electrical length theta.
namespace velmoka {

struct LumpedNetworks {
    double l_pi;  // series inductance of the pi network, nH
    double c_pi;  // each of the two shunt capacitances of the pi network, pF
    double l_t;   // each of the two series inductances of the T network, nH
    double c_t;   // shunt capacitance of the T network, pF
};

// z0 in ohms, theta in radians, f in GHz.
LumpedNetworks lumped_networks(double z0, double theta, double f);

}  // namespace velmoka
