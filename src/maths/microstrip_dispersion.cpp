#include "maths/microstrip_dispersion.h"

#include <algorithm>
#include <cmath>

#include "common/length_units.h"

namespace velmoka {

namespace {

// Jansen and Kirschning's exponents R1, R2 and R6 are held here: beyond it e^−R is lost
// beside the terms it is added to.
constexpr double kLargestImpedanceExponent = 20.0;

double held_exponent(double r) {
    return std::min(r, kLargestImpedanceExponent);
}

double squared(double x) {
    return x * x;
}

// x^20, (1 + 0.0157·fn)^20 of P1, by squaring.
double twentieth_power(double x) {
    const double x4 = squared(squared(x));
    return squared(squared(x4 * x));
}

}  // namespace

double normalised_frequency(double frequency, double height) {
    return (frequency / kHertzPerGigahertz) * (height / kMetresPerMillimetre);
}

WidthDispersion width_dispersion(double u) {
    const double u2 = u * u;
    const double u_15_cubed = squared(u / 15.0) * (u / 15.0);
    return {
        .u = u,
        .p1_static = 0.27488 + 0.6315 * u - 0.065683 * std::exp(-8.7513 * u),
        .p1_narrowing = 0.525 * u,
        .p3_amplitude = 0.0363 * std::exp(-4.6 * u),
        .r2_share = 1.0 - std::exp(-held_exponent(0.267 * squared(u2 * u) * u)),
        .r3 = 4.766 * std::exp(-3.228 * std::pow(u, 0.641)),
        .r6_decay = std::exp(-held_exponent(22.2 * std::pow(u, 1.92))),
        .r12 = 1.0 / (1.0 + 0.00245 * u2),
        .r16_share = 1.0 - std::exp(-squared(u_15_cubed)),
    };
}

StripDispersion strip_dispersion(const WidthDispersion& width, double er) {
    // The powers of er from its one logarithm.
    const double log_er = std::log(er);
    const auto power_of_er = [&](double exponent) { return std::exp(exponent * log_er); };
    const double r1 = held_exponent(0.03891 * power_of_er(1.4));
    const double r4 = 0.016 + std::pow(0.0514 * std::min(er, kImpedanceHighestPermittivity), 4.524);
    const double r10 = 0.00044 * power_of_er(2.136) + 0.0184;
    const double er_15916_squared = squared(er / 15.916);
    const double er_minus_1_cubed = squared(er - 1.0) * (er - 1.0);
    return {
        .er = er,
        .width = width,
        .p2 = 0.33622 * (1.0 - std::exp(-0.03442 * er)),
        .p4 = 1.0 + 2.751 * (1.0 - std::exp(-squared(squared(er_15916_squared)))),
        .r7 = 1.206 - 0.3144 * std::exp(-r1) * width.r2_share,
        .r8_rate = 0.004625 * width.r3 * power_of_er(1.674),
        // R4/(0.3838 + 0.386·R4) and (er − 1)⁶/(1 + 10·(er − 1)⁶) as inverses.
        .r9_amplitude = 5.086 / (0.386 + 0.3838 / r4) * width.r6_decay /
                        (10.0 + 1.0 / squared(er_minus_1_cubed)),
        .r15_rate = 0.707 * r10,
        .r16_rate = 0.0503 * er * er * width.r16_share,
    };
}

StripDispersion strip_dispersion(double u, double er) {
    return strip_dispersion(width_dispersion(u), er);
}

DispersionTerms dispersion_terms(const StripDispersion& strip, double fn) {
    return {
        strip.width.p1_static + strip.width.p1_narrowing / twentieth_power(1.0 + 0.0157 * fn),
        strip.p2,
        strip.width.p3_amplitude * (1.0 - std::exp(-std::pow(fn / 38.7, 4.97))),
        strip.p4,
    };
}

DispersionTerms dispersion_terms(double u, double er, double fn) {
    return dispersion_terms(strip_dispersion(u, er), fn);
}

double dispersion_growth(const DispersionTerms& p, double fn) {
    return p.p1 * p.p2 * std::pow((0.1844 + p.p3 * p.p4) * fn, 1.5763);
}

double dispersed_effective_permittivity(double er, double static_e_eff, double growth) {
    // (er − e_eff(0))·P/(1 + P), written so that P = 0 adds exactly nothing and P = ∞ all of it.
    return static_e_eff + (er - static_e_eff) / (1.0 + 1.0 / growth);
}

double impedance_dispersion_ratio(const StripDispersion& strip, double fn, double static_e_eff,
                                  double dispersed_e_eff) {
    // The powers of fn from its one logarithm: fn^a = e^(a·ln fn), 0 at fn = 0 for every a > 0.
    const double log_fn = std::log(fn);
    const auto power_of_fn = [&](double exponent, double scale) { return std::exp(exponent * (log_fn - std::log(scale))); };

    const double r5 = power_of_fn(12.0, 28.843);
    const double r8 = 1.0 + 1.275 * (1.0 - std::exp(-strip.r8_rate * power_of_fn(2.745, 18.365)));
    const double r9 = strip.r9_amplitude / (1.2992 + 1.0 / r5);  // R5/(1 + 1.2992·R5) as an inverse
    const double r11 = 1.0 / (0.0962 + 1.0 / power_of_fn(6.0, 19.47));
    const double r13 = 0.9408 * std::exp(r8 * std::log(dispersed_e_eff)) - 0.9603;
    const double r14 = (0.9408 - r9) * std::exp(r8 * std::log(static_e_eff)) - 0.9603;
    const double r15 = strip.r15_rate * power_of_fn(1.097, 12.3);
    const double r16 = 1.0 + strip.r16_rate * r11;
    const double r17 = strip.r7 * (1.0 - 1.1241 * (strip.width.r12 / r16) * std::exp(-0.026 * power_of_fn(1.15656, 1.0) - r15));
    return std::exp(r17 * std::log(r13 / r14));
}

}  // namespace velmoka
