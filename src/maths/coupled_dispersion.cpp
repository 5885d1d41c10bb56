#include "maths/coupled_dispersion.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/length_units.h"
#include "common/physical_constants.h"
#include "maths/microstrip_dispersion.h"
#include "maths/microstrip_line.h"

namespace velmoka {

namespace {

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();
constexpr PairModes kNoModes{kNotANumber, kNotANumber, kNotANumber, kNotANumber};

// fn of a substrate one free-space wavelength thick, GHz·mm: H/λ0 = fn/this.
constexpr double kOneWavelengthFrequency = kSpeedOfLight / (kHertzPerGigahertz * kMetresPerMillimetre);

double squared(double x) {
    return x * x;
}

double cube(double x) {
    return x * x * x;
}

// The inputs and their logarithms, from which every power of the formulas is taken:
// x^a = e^(a·ln x), and (x/s)^a = e^(a·(ln x − ln s)), 0 at x = 0 for every a > 0.
struct PairAt {
    double u;
    double g;
    double fn;
    double log_u;
    double log_g;
    double log_fn;
};

double power(double log_x, double exponent) {
    return std::exp(exponent * log_x);
}

// (fn/scale)^exponent.
double fn_power(const PairAt& pair, double scale, double exponent) {
    return power(pair.log_fn - std::log(scale), exponent);
}

// (u/scale)^exponent.
double u_power(const PairAt& pair, double scale, double exponent) {
    return power(pair.log_u - std::log(scale), exponent);
}

// F_e, the even mode's growth: P1·P2·((P3·P4 + 0.1844·P7)·fn)^1.5763, the single strip's growth
// with its wide-strip term 0.1844 alone scaled by P7, the coupling of a tight gap, which makes
// the even mode disperse faster. Written as the single strip's growth at fn·P7, with P3/P7 in
// the place of P3.
double even_mode_growth(const DispersionTerms& p, const PairAt& pair, double er) {
    const double p5 = 0.334 * std::exp(-3.3 * cube(er / 15.0)) + 0.746;
    const double p6 = p5 * std::exp(-fn_power(pair, 18.0, 0.368));
    const double p7 = 1.0 + 4.069 * p6 * power(pair.log_g, 0.479) *
                                std::exp(-1.347 * power(pair.log_g, 0.595) - 0.17 * power(pair.log_g, 2.5));
    return dispersion_growth({p.p1, p.p2, p.p3 / p7, p.p4}, pair.fn * p7);
}

// F_o, the odd mode's growth: P1·P2·((P3·P4 + 0.1844)·fn·P15)^1.5763, the single strip's growth
// at fn·P15. P15 tends to 1 as the gap widens; at a tight gap the odd mode's field, crowded
// between the facing sides, disperses more slowly.
double odd_mode_growth(const DispersionTerms& p, const PairAt& pair, double er) {
    const double p8 = 0.7168 * (1.0 + 1.076 / (1.0 + 0.0576 * (er - 1.0)));
    const double p9 =
        p8 + 0.7913 * std::expm1(-fn_power(pair, 20.0, 1.424)) * std::atan(2.481 * std::pow(er / 8.0, 0.946));
    const double p10 = 0.242 * std::pow(er - 1.0, 0.55);
    const double p11 = 0.6366 * std::expm1(-0.3401 * pair.fn) * std::atan(1.263 * u_power(pair, 3.0, 1.629));
    const double p12 = p9 + (1.0 - p9) / (1.0 + 1.183 * power(pair.log_u, 1.376));
    const double p13 = 1.695 * p10 / (0.414 + 1.605 * p10);
    const double p14 = 0.8928 - 0.1072 * std::expm1(-0.42 * fn_power(pair, 20.0, 3.215));
    const double p15 = std::abs(1.0 - 0.8928 * (1.0 + p11) * p12 * std::exp(-p13 * power(pair.log_g, 1.092)) / p14);
    return dispersion_growth(p, pair.fn * p15);
}

// Z_e(f)/Z_e(0): Jansen and Kirschning's ratio on the even mode's own e_eff(0) and e_eff(f), as
// the correction of 1985 has it, with the power C_e, the single strip's R8 with the gap's terms
// Q12 to Q20, in the place of R8, d_e in the place of R9 and the single strip's R17 as the power
// of the ratio, Q0. d_e is R9 with q_e, R4 of the permittivity er·Q21, for R4; its er is held at
// 18, as the single strip holds R4's (microstrip_dispersion.h): above it d_e passes 0.9408 on
// narrow strips at high frequencies and the ratio's denominator turns negative.
double even_mode_impedance_ratio(const StripDispersion& strip, const PairAt& pair, double er, double static_e_eff,
                                 double dispersed_e_eff) {
    const double u = pair.u;
    const double g = pair.g;
    const double q11 = 0.893 * (1.0 - 0.3 / (1.0 + 0.7 * (er - 1.0)));
    // (fn/20)^4.91/(1 + Q11·(fn/20)^4.91) as an inverse.
    const double q12 =
        2.121 / (q11 + 1.0 / fn_power(pair, 20.0, 4.91)) * std::exp(-2.87 * g) * power(pair.log_g, 0.902);
    const double q13 = 1.0 + 0.038 * std::pow(er / 8.0, 5.1);
    const double q14 = 1.0 + 1.203 / (1.0 + std::pow(15.0 / er, 4.0));  // (er/15)⁴/(1 + (er/15)⁴) as an inverse
    const double q15 =
        1.887 * std::exp(-1.5 * power(pair.log_g, 0.84)) * power(pair.log_g, q14) /
        (1.0 + 0.41 * cube(pair.fn / 15.0) * power(pair.log_u, 2.0 / q13) / (0.125 + power(pair.log_u, 1.626 / q13)));
    const double q16 = q15 * (1.0 + 9.0 / (1.0 + 0.403 * squared(er - 1.0)));
    const double q17 =
        0.394 * std::expm1(-1.47 * u_power(pair, 7.0, 0.672)) * std::expm1(-4.25 * fn_power(pair, 20.0, 1.87));
    const double q18 = -0.61 * std::expm1(-2.13 * u_power(pair, 8.0, 1.593)) / (1.0 + 6.544 * power(pair.log_g, 4.17));
    const double q19 = 0.21 * power(pair.log_g, 4.0) /
                       ((1.0 + 0.18 * power(pair.log_g, 4.9)) * (1.0 + 0.1 * u * u) * (1.0 + cube(pair.fn / 24.0)));
    const double q20 = q19 * (0.09 + 1.0 / (1.0 + 0.1 * std::pow(er - 1.0, 2.7)));
    const double u_power_2_5 = power(pair.log_u, 2.5);
    const double q21 = std::abs(1.0 - 42.54 * power(pair.log_g, 0.133) * std::exp(-0.812 * g) * u_power_2_5 /
                                          (1.0 + 0.033 * u_power_2_5));
    const double q_e = 0.016 + std::pow(0.0514 * std::min(er, kCoupledFittedLargestPermittivity) * q21, 4.524);
    const double r_e = fn_power(pair, 28.843, 12.0);
    // R5/(1 + 1.2992·R5) and (er − 1)⁶/(1 + 10·(er − 1)⁶) as inverses.
    const double d_e = 5.086 * q_e / (0.3838 + 0.386 * q_e) * strip.width.r6_decay / (1.2992 + 1.0 / r_e) /
                       (10.0 + 1.0 / squared(cube(er - 1.0)));
    const ImpedanceDispersionPowers single = impedance_dispersion_powers(strip, pair.fn);
    const ImpedanceDispersionPowers even{single.r8 - q12 + q16 - q17 + q18 + q20, single.r17};
    return impedance_ratio_of_powers(even, d_e, static_e_eff, dispersed_e_eff);
}

// Z_o(f): the single strip's Z_L(f), and the odd mode's own share, its static impedance raised
// with its e_eff by the power Q22 less Z_L(f)·Q23, over a divisor that grows with the gap, so
// that at a wide gap the odd mode is the single strip.
double odd_mode_impedance(const PairAt& pair, double er, double static_z, double static_e_eff, double dispersed_e_eff,
                          double single_z) {
    const double u = pair.u;
    const double q29 = 15.16 / (1.0 + 0.196 * squared(er - 1.0));
    // 22.2·x/(1 + 3x), x = ((er − 1)/13)^12, as an inverse.
    const double q26 = 30.0 - 22.2 / (3.0 + 1.0 / std::pow((er - 1.0) / 13.0, 12.0)) - q29;
    const double er_power_1_5 = std::pow(er - 1.0, 1.5);
    const double q27 = 0.4 * power(pair.log_g, 0.84) * (1.0 + 2.5 * er_power_1_5 / (5.0 + er_power_1_5));
    // 0.149·(er − 1)³/(94.5 + 0.038·(er − 1)³) as an inverse.
    const double q28 = 0.149 / (0.038 + 94.5 / cube(er - 1.0));
    const double q22 = 0.925 * fn_power(pair, q26, 1.536) / (1.0 + 0.3 * fn_power(pair, 30.0, 1.536));
    const double q23 =
        1.0 + 0.005 * pair.fn * q27 / ((1.0 + 0.812 * fn_power(pair, 15.0, 1.9)) * (1.0 + 0.025 * u * u));
    const double u_power_0_894 = power(pair.log_u, 0.894);
    const double q24 =
        2.506 * q28 * u_power_0_894 * std::pow((1.0 + 1.3 * u) * pair.fn / 99.25, 4.29) / (3.575 + u_power_0_894);
    const double fn_squared = squared(pair.fn);
    const double er_squared = squared(er - 1.0);
    const double q25 = 0.3 * fn_squared / (10.0 + fn_squared) * (1.0 + 2.333 * er_squared / (5.0 + er_squared));
    const double divisor = 1.0 + q24 + power(std::log(0.46) + pair.log_g, 2.2) * q25;
    const double own = static_z * power(std::log(dispersed_e_eff / static_e_eff), q22);
    // Z_L(f) + (own − Z_L(f)·Q23)/divisor as Z_L(f)·(1 − Q23/divisor) + own/divisor: at fn = 0,
    // where Q23 and the divisor are 1, the static impedance to the bit, and where the divisor
    // overflows, Z_L(f).
    return single_z * (1.0 - q23 / divisor) + own / divisor;
}

// Both modes at fn on a substrate of permittivity er, from their static values.
PairModes dispersed_modes(const PairModes& at_rest, const PairAt& pair, const WidthDispersion& width, double t,
                          double er) {
    const StripDispersion strip = strip_dispersion(width, er);
    const DispersionTerms p = dispersion_terms(strip, pair.fn);
    const double e_eff_even = dispersed_effective_permittivity(er, at_rest.e_eff_even, even_mode_growth(p, pair, er));
    const double e_eff_odd = dispersed_effective_permittivity(er, at_rest.e_eff_odd, odd_mode_growth(p, pair, er));
    const LineProperties single = decoupled_strip(pair.u, t, er);
    const double single_e_eff = dispersed_effective_permittivity(er, single.e_eff, dispersion_growth(p, pair.fn));
    const double single_z = single.z0 * impedance_dispersion_ratio(strip, pair.fn, single.e_eff, single_e_eff);
    return {at_rest.z_even * even_mode_impedance_ratio(strip, pair, er, at_rest.e_eff_even, e_eff_even),
            odd_mode_impedance(pair, er, at_rest.z_odd, at_rest.e_eff_odd, e_eff_odd, single_z), e_eff_even, e_eff_odd};
}

PairRangeWarnings range_warnings(double u, double g, double er, double fn) {
    const auto outside = [](double ratio, double smallest, double largest) {
        return ratio < smallest || ratio > largest;
    };
    const double height_in_wavelengths = fn / kOneWavelengthFrequency;
    PairRangeWarnings warnings;
    const auto flag_if = [&warnings](bool passed, PairRangeWarning warning) {
        if (passed) {
            warnings.add(warning);
        }
    };
    using enum PairRangeWarning;
    flag_if(outside(u, kCoupledFittedSmallestRatio, kCoupledFittedLargestRatio), pair_width_ratio);
    flag_if(outside(g, kCoupledFittedSmallestRatio, kCoupledFittedLargestRatio), pair_gap_ratio);
    flag_if(er > kCoupledFittedLargestPermittivity, pair_permittivity);
    flag_if(fn > kCoupledDispersionHighestFrequency, pair_frequency);
    flag_if(outside(u, kDispersionNarrowest, kDispersionWidest), dispersion_width_ratio);
    flag_if(er > kDispersionHighestPermittivity, dispersion_permittivity);
    flag_if(height_in_wavelengths > kDispersionThickestSubstrate, dispersion_frequency);
    flag_if(outside(u, kImpedanceNarrowest, kImpedanceWidest), impedance_width_ratio);
    flag_if(er > kImpedanceHighestPermittivity, impedance_permittivity);
    flag_if(height_in_wavelengths > kImpedanceThickestSubstrate, impedance_frequency);
    return warnings;
}

bool positive_finite(double x) {
    return x > 0.0 && std::isfinite(x);
}

}  // namespace

CoupledAtFrequency coupled_at_frequency(const CoupledMicrostrip& at_rest, double u, double g, double t, double er,
                                        double fn) {
    if (at_rest.status != CoupledStatus::ok && at_rest.status != CoupledStatus::beyond_fitted_range) {
        return {kNoModes, at_rest.status, {}};
    }
    if (!(fn >= 0.0 && std::isfinite(fn))) {
        return {kNoModes, CoupledStatus::frequency_invalid, {}};
    }
    const double decoupled = std::min(g, kDecoupledGap);
    const PairAt pair{u, decoupled, fn, std::log(u), std::log(decoupled), std::log(fn)};
    const WidthDispersion width = width_dispersion(u);
    PairModes modes = dispersed_modes(at_rest.modes, pair, width, t, er);
    if (er == 1.0) {
        // In air the pair is a homogeneous line, with no dispersion.
        modes.z_even = at_rest.modes.z_even;
        modes.z_odd = at_rest.modes.z_odd;
    } else if (er < kLowestImpedanceDispersionPermittivity) {
        // The impedances' ratios to their static values as the single strip's (microstrip_dispersion.h):
        // at er 1.2, scaled linearly in er − 1 down to 1 in air.
        constexpr double lowest = kLowestImpedanceDispersionPermittivity;
        const PairModes lowest_at_rest = coupled_microstrip(u, g, t, lowest).modes;
        const PairModes lowest_modes = dispersed_modes(lowest_at_rest, pair, width, t, lowest);
        const double share = (er - 1.0) / (lowest - 1.0);
        const auto scaled = [share](double at_lowest, double at_rest_lowest) {
            return 1.0 + (at_lowest / at_rest_lowest - 1.0) * share;
        };
        modes.z_even = at_rest.modes.z_even * scaled(lowest_modes.z_even, lowest_at_rest.z_even);
        modes.z_odd = at_rest.modes.z_odd * scaled(lowest_modes.z_odd, lowest_at_rest.z_odd);
    }
    const auto sound_e_eff = [er](double e_eff) { return e_eff >= 1.0 && e_eff <= er; };
    if (!(positive_finite(modes.z_even) && positive_finite(modes.z_odd) && sound_e_eff(modes.e_eff_even) &&
          sound_e_eff(modes.e_eff_odd))) {
        return {kNoModes, CoupledStatus::no_sound_answer, {}};
    }
    const PairRangeWarnings warnings = range_warnings(u, g, er, fn);
    const bool beyond = at_rest.status == CoupledStatus::beyond_fitted_range || fn > kCoupledDispersionHighestFrequency;
    return {modes, beyond ? CoupledStatus::beyond_fitted_range : CoupledStatus::ok, warnings};
}

CoupledAtFrequency coupled_at_frequency(double u, double g, double t, double er, double fn) {
    return coupled_at_frequency(coupled_microstrip(u, g, t, er), u, g, t, er, fn);
}

}  // namespace velmoka
