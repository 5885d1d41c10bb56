#include "maths/coupled_microstrip.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "common/physical_constants.h"
#include "maths/coupled_thickness.h"
#include "maths/microstrip_line.h"

namespace velmoka {

namespace {

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();
constexpr PairModes kNoModes{kNotANumber, kNotANumber, kNotANumber, kNotANumber};
// The free-space wave impedance over 2π, ohms: a zero-thickness strip's air impedance over its
// air_impedance_log.
constexpr double kAirImpedancePerLog = kFreeSpaceImpedance / (2.0 * std::numbers::pi);

double squared(double x) {
    return x * x;
}

double sixth_power(double x) {
    const double cube = x * x * x;
    return cube * cube;
}

double tenth_power(double x) {
    const double square = x * x;
    const double fifth = square * square * x;
    return fifth * fifth;
}

// The terms of the formulas that depend on the gap alone, in the paper's names. Powers of g are
// taken through its logarithm, worked out once.
struct GapTerms {
    double g;
    double log_g;
    double exp_minus_g;  // e^(−g)
    double q2;           // 1 + 0.7519g + 0.189g^2.31
    double q3;           // the exponent of u in the even-mode coupling
    double q5;           // the odd-mode coupling's scale, with q6 and q9 its dependence on u
    double q6;
    double q9;
};

// ln(g^10 / (1 + (g/knee)^10)), the gap terms of Q3 and Q6, as a difference of logarithms: g^10
// alone would underflow for gaps below 1e-31 H.
double tenth_power_log_ratio(const GapTerms& gap, double knee) {
    return 10.0 * gap.log_g - std::log1p(tenth_power(gap.g / knee));
}

GapTerms gap_terms(double g) {
    GapTerms gap{g, std::log(g), std::exp(-g), 0.0, 0.0, 0.0, 0.0, 0.0};
    const auto g_to = [&gap](double power) { return std::exp(power * gap.log_g); };
    gap.q2 = 1.0 + 0.7519 * g + 0.189 * g_to(2.31);
    gap.q3 = 0.1975 + std::pow(16.6 + sixth_power(8.4 / g), -0.387) + tenth_power_log_ratio(gap, 3.4) / 241.0;
    gap.q5 = 1.794 + 1.14 * std::log(1.0 + 0.638 / (g + 0.517 * g_to(2.43)));
    gap.q6 = 0.2305 + tenth_power_log_ratio(gap, 5.8) / 281.3 + std::log(1.0 + 0.598 * g_to(1.154)) / 5.1;
    const double q7 = (10.0 + 190.0 * g * g) / (1.0 + 82.3 * g * g * g);
    const double g_fifth = (g / 0.15) * (g / 0.15) * (g / 0.15) * (g / 0.15) * (g / 0.15);
    const double q8 = std::exp(-6.5 - 0.95 * gap.log_g - g_fifth);
    gap.q9 = std::log(q7) * (q8 + 1.0 / 16.5);
    return gap;
}

// The terms that depend on a mode's strip width, with the gap's.
struct WidthTerms {
    double u;
    double log_u;
    double air_log;  // air_impedance_log(u)
    double q4;       // the even mode's coupling: its impedance over the single strip's is 1/(1 − Z_air·Q4/η0)
};

WidthTerms width_terms(double u, const GapTerms& gap) {
    const double log_u = std::log(u);
    const double q1 = 0.8695 * std::exp(0.194 * log_u);
    const double u_to_q3 = std::exp(gap.q3 * log_u);
    const double q4 = (2.0 * q1 / gap.q2) / (gap.exp_minus_g * u_to_q3 + (2.0 - gap.exp_minus_g) / u_to_q3);
    return {u, log_u, air_impedance_log(u), q4};
}

// Q10: the odd mode's coupling, as Q4 is the even mode's; its field crowds into the gap.
double odd_mode_coupling(const WidthTerms& width, const GapTerms& gap) {
    const double u_to_minus_q9 = std::exp(-gap.q9 * width.log_u);
    return width.q4 - (gap.q5 / gap.q2) * std::exp(gap.q6 * width.log_u * u_to_minus_q9);
}

// A mode's impedance from its strip's air impedance, its effective dielectric constant and its
// coupling term: Z_air/sqrt(e_eff)/(1 − Z_air·Q/η0).
double mode_impedance(const WidthTerms& width, double e_eff, double coupling) {
    return kAirImpedancePerLog * width.air_log / std::sqrt(e_eff) /
           (1.0 - width.air_log * coupling / (2.0 * std::numbers::pi));
}

// The even mode's effective dielectric constant on zero-thickness strips of width ratio u: the
// single strip's at the width v, which grows from u at a wide gap to 2u, one strip of both
// widths, as the gap closes.
double even_mode_e_eff(double u, const GapTerms& gap, double er) {
    // (20 + g²)/(10 + g²) as 1 + 10/(10 + g²).
    const double v = u * (1.0 + 10.0 / (10.0 + gap.g * gap.g)) + gap.g * gap.exp_minus_g;
    return zero_thickness_line(v, er).e_eff;
}

// The odd mode's: it falls from the single strip's towards (er + 1)/2 + a_o as the gap closes.
double odd_mode_e_eff(double u, const GapTerms& gap, double er) {
    const double single = zero_thickness_line(u, er).e_eff;
    const double mean = 0.5 * (er + 1.0);
    const double a_o = 0.7287 * (single - mean) * (1.0 - std::exp(-0.179 * u));
    const double b_o = 0.747 * er / (0.15 + er);
    const double c_o = b_o - (b_o - 0.207) * std::exp(-0.414 * u);
    const double d_o = 0.593 + 0.694 * std::exp(-0.562 * u);
    return (mean + a_o - single) * std::exp(-c_o * std::exp(d_o * gap.log_g)) + single;
}

struct Mode {
    double z;
    double e_eff;
};

bool positive_finite(double x) {
    return x > 0.0 && std::isfinite(x);
}

}  // namespace

CoupledMicrostrip coupled_microstrip(double u, double g, double t, double er) {
    if (!positive_finite(u)) {
        return {kNoModes, CoupledStatus::width_invalid};
    }
    if (!positive_finite(g)) {
        return {kNoModes, CoupledStatus::gap_invalid};
    }
    if (!(t >= 0.0 && std::isfinite(t))) {
        return {kNoModes, CoupledStatus::thickness_invalid};
    }
    if (!(er >= 1.0 && std::isfinite(er))) {
        return {kNoModes, CoupledStatus::permittivity_invalid};
    }
    g = std::min(g, kDecoupledGap);
    const WidenedPair widths = thickness_widened_widths(u, g, t, er);
    const GapTerms gap = gap_terms(g);
    const WidthTerms even_width = width_terms(widths.on_substrate.even, gap);
    const WidthTerms odd_width = t == 0.0 ? even_width : width_terms(widths.on_substrate.odd, gap);
    Mode even{0.0, even_mode_e_eff(even_width.u, gap, er)};
    Mode odd{0.0, odd_mode_e_eff(odd_width.u, gap, er)};
    even.z = mode_impedance(even_width, even.e_eff, even_width.q4);
    odd.z = mode_impedance(odd_width, odd.e_eff, odd_mode_coupling(odd_width, gap));
    if (t > 0.0) {
        // Each mode's effective dielectric constant from its impedances in air and on the
        // substrate, each pair widened for its own medium: C/C0 = (Z_air/Z)².
        const WidthTerms even_in_air = width_terms(widths.in_air.even, gap);
        const WidthTerms odd_in_air = width_terms(widths.in_air.odd, gap);
        even.e_eff = squared(mode_impedance(even_in_air, 1.0, even_in_air.q4) / even.z);
        odd.e_eff = squared(mode_impedance(odd_in_air, 1.0, odd_mode_coupling(odd_in_air, gap)) / odd.z);
    }
    const auto sound = [er](const Mode& mode) {
        return positive_finite(mode.z) && mode.e_eff >= 1.0 && mode.e_eff <= er;
    };
    if (!(sound(even) && sound(odd))) {
        return {kNoModes, CoupledStatus::no_sound_answer};
    }
    const auto fitted = [](double ratio) {
        return ratio >= kCoupledFittedSmallestRatio && ratio <= kCoupledFittedLargestRatio;
    };
    const bool within_fit = fitted(u) && fitted(g) && er <= kCoupledFittedLargestPermittivity;
    return {{even.z, odd.z, even.e_eff, odd.e_eff}, within_fit ? CoupledStatus::ok : CoupledStatus::beyond_fitted_range};
}

CoupledMicrostrip coupled_microstrip(double w, double s, double h, double t, double er) {
    if (!positive_finite(h)) {
        return {kNoModes, CoupledStatus::height_invalid};
    }
    return coupled_microstrip(w / h, s / h, t / h, er);
}

LineProperties decoupled_strip(double u, double t, double er) {
    const double gain_in_air = width_increment_in_air(u, t);
    const double on_substrate = u + width_increment_on_dielectric(gain_in_air, substrate_terms(er));
    const double air_log = air_impedance_log(on_substrate);
    const double e_eff = zero_thickness_line(on_substrate, er).e_eff;
    const double in_air_over_on_substrate = air_impedance_log(u + gain_in_air) / air_log;
    return {kAirImpedancePerLog * air_log / std::sqrt(e_eff), e_eff * squared(in_air_over_on_substrate)};
}

std::string_view coupled_status_text(CoupledStatus status) {
    switch (status) {
        case CoupledStatus::ok:
            return "ok";
        case CoupledStatus::beyond_fitted_range:
            return "beyond the fitted range";
        case CoupledStatus::width_invalid:
            return "width invalid";
        case CoupledStatus::gap_invalid:
            return "gap invalid";
        case CoupledStatus::height_invalid:
            return "height invalid";
        case CoupledStatus::thickness_invalid:
            return "thickness invalid";
        case CoupledStatus::permittivity_invalid:
            return "permittivity invalid";
        case CoupledStatus::frequency_invalid:
            return "frequency invalid";
        case CoupledStatus::no_sound_answer:
            return "no sound answer";
    }
    return "unknown status";
}

}  // namespace velmoka
