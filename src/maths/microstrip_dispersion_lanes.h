#pragma once

#include "common/length_units.h"
#include "maths/microstrip_dispersion.h"
#include "maths/scalar_lanes.h"

// Kirschning and Jansen's e_eff(f) and Jansen and Kirschning's Z0(f) on lanes, each lane a
// strip, a substrate or a frequency of its own: the one source of both formulas, which the
// scalar functions of microstrip_dispersion.h run on a single lane.
namespace velmoka {
namespace {  // each instruction set's translation unit keeps its own copy

// Jansen and Kirschning's exponents R1, R2 and R6 are held here: beyond it e^−R is lost
// beside the terms it is added to.
constexpr double kLargestImpedanceExponent = 20.0;

template <typename Lanes>
LaneDoubles<Lanes> held_exponent(LaneDoubles<Lanes> r) {
    return lane_min<Lanes>(r, Lanes::splat(kLargestImpedanceExponent));
}

template <typename Real>
Real squared(Real x) {
    return x * x;
}

// x^20, (1 + 0.0157·fn)^20 of P1, by squaring.
template <typename Real>
Real twentieth_power(Real x) {
    const Real x4 = squared(squared(x));
    return squared(squared(x4 * x));
}

template <typename Lanes>
LaneDoubles<Lanes> normalised_frequency_on(LaneDoubles<Lanes> frequency, LaneDoubles<Lanes> height) {
    return (frequency / kHertzPerGigahertz) * (height / kMetresPerMillimetre);
}

template <typename Lanes>
WidthDispersionOf<LaneDoubles<Lanes>> width_dispersion_on(LaneDoubles<Lanes> u) {
    using V = LaneDoubles<Lanes>;
    const V u2 = u * u;
    const V u_15_cubed = squared(u / 15.0) * (u / 15.0);
    return {
        .u = u,
        .p1_static = 0.27488 + 0.6315 * u - 0.065683 * Lanes::exp(-8.7513 * u),
        .p1_narrowing = 0.525 * u,
        .p3_amplitude = 0.0363 * Lanes::exp(-4.6 * u),
        .r2_share = 1.0 - Lanes::exp(-held_exponent<Lanes>(0.267 * squared(u2 * u) * u)),
        .r3 = 4.766 * Lanes::exp(-3.228 * Lanes::pow(u, Lanes::splat(0.641))),
        .r6_decay = Lanes::exp(-held_exponent<Lanes>(22.2 * Lanes::pow(u, Lanes::splat(1.92)))),
        .r12 = 1.0 / (1.0 + 0.00245 * u2),
        .r16_share = 1.0 - Lanes::exp(-squared(u_15_cubed)),
    };
}

template <typename Lanes>
StripDispersionOf<LaneDoubles<Lanes>> strip_dispersion_on(const WidthDispersionOf<LaneDoubles<Lanes>>& width,
                                                          LaneDoubles<Lanes> er) {
    using V = LaneDoubles<Lanes>;
    // The powers of er from its one logarithm.
    const V log_er = Lanes::log(er);
    const auto power_of_er = [&](double exponent) { return Lanes::exp(exponent * log_er); };
    const V r1 = held_exponent<Lanes>(0.03891 * power_of_er(1.4));
    // R4 is held at er 18 (microstrip_dispersion.h).
    const V r4 = 0.016 + Lanes::pow(0.0514 * lane_min<Lanes>(er, Lanes::splat(kImpedanceHighestPermittivity)),
                                    Lanes::splat(4.524));
    const V r10 = 0.00044 * power_of_er(2.136) + 0.0184;
    const V er_15916_squared = squared(er / 15.916);
    const V er_minus_1_cubed = squared(er - 1.0) * (er - 1.0);
    return {
        .er = er,
        .width = width,
        .p2 = 0.33622 * (1.0 - Lanes::exp(-0.03442 * er)),
        .p4 = 1.0 + 2.751 * (1.0 - Lanes::exp(-squared(squared(er_15916_squared)))),
        .r7 = 1.206 - 0.3144 * Lanes::exp(-r1) * width.r2_share,
        .r8_rate = 0.004625 * width.r3 * power_of_er(1.674),
        // R4/(0.3838 + 0.386·R4) and (er − 1)⁶/(1 + 10·(er − 1)⁶) as inverses.
        .r9_amplitude = 5.086 / (0.386 + 0.3838 / r4) * width.r6_decay / (10.0 + 1.0 / squared(er_minus_1_cubed)),
        .r15_rate = 0.707 * r10,
        .r16_rate = 0.0503 * er * er * width.r16_share,
    };
}

template <typename Lanes>
DispersionTermsOf<LaneDoubles<Lanes>> dispersion_terms_on(const StripDispersionOf<LaneDoubles<Lanes>>& strip,
                                                          LaneDoubles<Lanes> fn) {
    return {
        strip.width.p1_static + strip.width.p1_narrowing / twentieth_power(1.0 + 0.0157 * fn),
        strip.p2,
        strip.width.p3_amplitude * (1.0 - Lanes::exp(-Lanes::pow(fn / 38.7, Lanes::splat(4.97)))),
        strip.p4,
    };
}

template <typename Lanes>
LaneDoubles<Lanes> dispersion_growth_on(const DispersionTermsOf<LaneDoubles<Lanes>>& p, LaneDoubles<Lanes> fn) {
    return p.p1 * p.p2 * Lanes::pow((0.1844 + p.p3 * p.p4) * fn, Lanes::splat(1.5763));
}

// (er − e_eff(0))·P/(1 + P) added to e_eff(0), written so that P = 0 adds exactly nothing and
// P = ∞ all of it.
template <typename Lanes>
LaneDoubles<Lanes> dispersed_e_eff_on(LaneDoubles<Lanes> er, LaneDoubles<Lanes> static_e_eff,
                                      LaneDoubles<Lanes> growth) {
    return static_e_eff + (er - static_e_eff) / (1.0 + 1.0 / growth);
}

// The powers of fn from its one logarithm: (fn/scale)^a = e^(a·(ln fn − ln scale)), 0 at fn = 0
// for every a > 0.
template <typename Lanes>
LaneDoubles<Lanes> power_of_fn_on(LaneDoubles<Lanes> log_fn, double exponent, double scale) {
    return Lanes::exp(exponent * (log_fn - std::log(scale)));
}

template <typename Lanes>
ImpedanceDispersionPowersOf<LaneDoubles<Lanes>> impedance_dispersion_powers_on(
    const StripDispersionOf<LaneDoubles<Lanes>>& strip, LaneDoubles<Lanes> log_fn) {
    using V = LaneDoubles<Lanes>;
    const V r8 = 1.0 + 1.275 * (1.0 - Lanes::exp(-strip.r8_rate * power_of_fn_on<Lanes>(log_fn, 2.745, 18.365)));
    const V r11 = 1.0 / (0.0962 + 1.0 / power_of_fn_on<Lanes>(log_fn, 6.0, 19.47));
    const V r15 = strip.r15_rate * power_of_fn_on<Lanes>(log_fn, 1.097, 12.3);
    const V r16 = 1.0 + strip.r16_rate * r11;
    const V r17 = strip.r7 * (1.0 - 1.1241 * (strip.width.r12 / r16) *
                                        Lanes::exp(-0.026 * power_of_fn_on<Lanes>(log_fn, 1.15656, 1.0) - r15));
    return {r8, r17};
}

// (R13/R14)^R17, R13 = 0.9408·e_eff(f)^R8 − 0.9603 and R14 = (0.9408 − R9)·e_eff(0)^R8 − 0.9603,
// both taken over e_eff(0)^R8: the powers themselves overflow where e_eff passes about 1e135.
template <typename Lanes>
LaneDoubles<Lanes> impedance_ratio_of_powers_on(const ImpedanceDispersionPowersOf<LaneDoubles<Lanes>>& powers,
                                                LaneDoubles<Lanes> r9, LaneDoubles<Lanes> static_e_eff,
                                                LaneDoubles<Lanes> dispersed_e_eff) {
    using V = LaneDoubles<Lanes>;
    const V offset = 0.9603 * Lanes::exp(-powers.r8 * Lanes::log(static_e_eff));
    const V r13 = 0.9408 * Lanes::exp(powers.r8 * Lanes::log(dispersed_e_eff / static_e_eff)) - offset;
    const V r14 = (0.9408 - r9) - offset;
    return Lanes::exp(powers.r17 * Lanes::log(r13 / r14));
}

template <typename Lanes>
LaneDoubles<Lanes> impedance_dispersion_ratio_on(const StripDispersionOf<LaneDoubles<Lanes>>& strip,
                                                 LaneDoubles<Lanes> fn, LaneDoubles<Lanes> static_e_eff,
                                                 LaneDoubles<Lanes> dispersed_e_eff) {
    using V = LaneDoubles<Lanes>;
    const V log_fn = Lanes::log(fn);
    const V r5 = power_of_fn_on<Lanes>(log_fn, 12.0, 28.843);
    const V r9 = strip.r9_amplitude / (1.2992 + 1.0 / r5);  // R5/(1 + 1.2992·R5) as an inverse
    return impedance_ratio_of_powers_on<Lanes>(impedance_dispersion_powers_on<Lanes>(strip, log_fn), r9, static_e_eff,
                                               dispersed_e_eff);
}

}  // namespace
}  // namespace velmoka
