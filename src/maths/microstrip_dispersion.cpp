#include "maths/microstrip_dispersion.h"

#include <cmath>

#include "maths/microstrip_dispersion_lanes.h"

namespace velmoka {

double normalised_frequency(double frequency, double height) {
    return normalised_frequency_on<ScalarLanes>(frequency, height);
}

WidthDispersion width_dispersion(double u) {
    return width_dispersion_on<ScalarLanes>(u);
}

StripDispersion strip_dispersion(const WidthDispersion& width, double er) {
    return strip_dispersion_on<ScalarLanes>(width, er);
}

StripDispersion strip_dispersion(double u, double er) {
    return strip_dispersion(width_dispersion(u), er);
}

DispersionTerms dispersion_terms(const StripDispersion& strip, double fn) {
    return dispersion_terms_on<ScalarLanes>(strip, fn);
}

DispersionTerms dispersion_terms(double u, double er, double fn) {
    return dispersion_terms(strip_dispersion(u, er), fn);
}

double dispersion_growth(const DispersionTerms& p, double fn) {
    return dispersion_growth_on<ScalarLanes>(p, fn);
}

double dispersed_effective_permittivity(double er, double static_e_eff, double growth) {
    return dispersed_e_eff_on<ScalarLanes>(er, static_e_eff, growth);
}

double impedance_dispersion_ratio(const StripDispersion& strip, double fn, double static_e_eff,
                                  double dispersed_e_eff) {
    return impedance_dispersion_ratio_on<ScalarLanes>(strip, fn, static_e_eff, dispersed_e_eff);
}

ImpedanceDispersionPowers impedance_dispersion_powers(const StripDispersion& strip, double fn) {
    return impedance_dispersion_powers_on<ScalarLanes>(strip, std::log(fn));
}

double impedance_ratio_of_powers(const ImpedanceDispersionPowers& powers, double r9, double static_e_eff,
                                 double dispersed_e_eff) {
    return impedance_ratio_of_powers_on<ScalarLanes>(powers, r9, static_e_eff, dispersed_e_eff);
}

}  // namespace velmoka
