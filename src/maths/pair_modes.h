#pragma once

// The two quasi-TEM modes of an edge-coupled pair of identical strips, and what a circuit sees of
// them: the even mode drives both strips alike, the odd mode drives them in opposition.
namespace velmoka {

struct PairModes {
    double z_even;      // even-mode impedance of one strip, ohms
    double z_odd;       // odd-mode impedance of one strip, ohms
    double e_eff_even;  // even-mode effective dielectric constant
    double e_eff_odd;   // odd-mode effective dielectric constant
};

// The impedance between the two strips driven in opposition, ohms.
inline double differential_impedance(const PairModes& modes) {
    return 2.0 * modes.z_odd;
}

// The impedance of the two strips driven together against ground, ohms.
inline double common_impedance(const PairModes& modes) {
    return 0.5 * modes.z_even;
}

// The voltage coupling coefficient (z_even − z_odd)/(z_even + z_odd) of a quarter-wave coupler.
inline double coupling_coefficient(const PairModes& modes) {
    return (modes.z_even - modes.z_odd) / (modes.z_even + modes.z_odd);
}

}  // namespace velmoka
