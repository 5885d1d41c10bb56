#pragma once

#include <cstddef>
#include <numbers>

#include "common/physical_constants.h"
#include "maths/line_model_lanes.h"

// The closed-form pair of coupled_microstrip.cpp and coupled_thickness.cpp on SIMD lanes: each
// formula in the same operations and the same order as there, on the single strip's terms of
// line_model_lanes.h, so that lane and scalar pair differ only by the last bits of the
// elementary functions (and of the single strip's two powers, taken there as e^(y·ln x)).
// Branches of the scalar pair become selections between lanes.
//
// Included only by the translation unit of an instruction set, built for it, with no
// contraction of a·b + c into one rounding (the scalar pair has none).
namespace velmoka {
namespace {  // each instruction set's translation unit keeps its own copy

constexpr double kCoupledAirImpedancePerLog = kFreeSpaceImpedance / (2.0 * std::numbers::pi);
constexpr double kCoupledDecoupledGap = 1e6;
constexpr double kCoupledEvenModeRecovery = 0.69;

// The terms that depend on the gap alone (GapTerms of the scalar pair).
template <typename Lanes>
struct GapLanes {
    Vector<Lanes> g, log_g, exp_minus_g, q2, q3, q5, q6, q9;
};

template <typename Lanes>
Vector<Lanes> tenth_power_lanes(Vector<Lanes> x) {
    const Vector<Lanes> square = x * x;
    const Vector<Lanes> fifth = square * square * x;
    return fifth * fifth;
}

template <typename Lanes>
Vector<Lanes> tenth_power_log_ratio_lanes(const GapLanes<Lanes>& gap, double knee) {
    return 10.0 * gap.log_g - Lanes::log1p(tenth_power_lanes<Lanes>(gap.g / knee));
}

template <typename Lanes>
GapLanes<Lanes> gap_lanes(Vector<Lanes> g) {
    GapLanes<Lanes> gap{g, Lanes::log(g), Lanes::exp(-g), {}, {}, {}, {}, {}};
    const auto g_to = [&gap](double power) { return Lanes::exp(power * gap.log_g); };
    const Vector<Lanes> g_over = 8.4 / g;
    const Vector<Lanes> cube = g_over * g_over * g_over;
    gap.q2 = 1.0 + 0.7519 * g + 0.189 * g_to(2.31);
    gap.q3 = 0.1975 + Lanes::pow(16.6 + cube * cube, Lanes::splat(-0.387)) +
             tenth_power_log_ratio_lanes<Lanes>(gap, 3.4) / 241.0;
    gap.q5 = 1.794 + 1.14 * Lanes::log(1.0 + 0.638 / (g + 0.517 * g_to(2.43)));
    gap.q6 =
        0.2305 + tenth_power_log_ratio_lanes<Lanes>(gap, 5.8) / 281.3 + Lanes::log(1.0 + 0.598 * g_to(1.154)) / 5.1;
    const Vector<Lanes> q7 = (10.0 + 190.0 * g * g) / (1.0 + 82.3 * g * g * g);
    const Vector<Lanes> g_fifth = (g / 0.15) * (g / 0.15) * (g / 0.15) * (g / 0.15) * (g / 0.15);
    const Vector<Lanes> q8 = Lanes::exp(-6.5 - 0.95 * gap.log_g - g_fifth);
    gap.q9 = Lanes::log(q7) * (q8 + 1.0 / 16.5);
    return gap;
}

// ln(f(u)/u + sqrt(1 + 4/u²)), as in zero_thickness_z0 on lanes.
template <typename Lanes>
Vector<Lanes> air_impedance_log_lanes(Vector<Lanes> u) {
    const Vector<Lanes> f = 6.0 + (2.0 * kPi - 6.0) * Lanes::exp(-power<Lanes>(30.666 / u, Lanes::splat(0.7528)));
    return Lanes::log(f / u + Lanes::sqrt(1.0 + (4.0 / u) / u));
}

// The terms that depend on a mode's strip width, with the gap's (WidthTerms of the scalar pair).
template <typename Lanes>
struct ModeWidthLanes {
    Vector<Lanes> u, log_u, air_log, q4;
};

template <typename Lanes>
ModeWidthLanes<Lanes> mode_width_lanes(Vector<Lanes> u, const GapLanes<Lanes>& gap) {
    const Vector<Lanes> log_u = Lanes::log(u);
    const Vector<Lanes> q1 = 0.8695 * Lanes::exp(0.194 * log_u);
    const Vector<Lanes> u_to_q3 = Lanes::exp(gap.q3 * log_u);
    const Vector<Lanes> q4 = (2.0 * q1 / gap.q2) / (gap.exp_minus_g * u_to_q3 + (2.0 - gap.exp_minus_g) / u_to_q3);
    return {u, log_u, air_impedance_log_lanes<Lanes>(u), q4};
}

template <typename Lanes>
Vector<Lanes> odd_mode_coupling_lanes(const ModeWidthLanes<Lanes>& width, const GapLanes<Lanes>& gap) {
    const Vector<Lanes> u_to_minus_q9 = Lanes::exp(-gap.q9 * width.log_u);
    return width.q4 - (gap.q5 / gap.q2) * Lanes::exp(gap.q6 * width.log_u * u_to_minus_q9);
}

template <typename Lanes>
Vector<Lanes> mode_impedance_lanes(const ModeWidthLanes<Lanes>& width, Vector<Lanes> e_eff, Vector<Lanes> coupling) {
    return kCoupledAirImpedancePerLog * width.air_log / Lanes::sqrt(e_eff) /
           (1.0 - width.air_log * coupling / (2.0 * std::numbers::pi));
}

template <typename Lanes>
Vector<Lanes> even_mode_e_eff_lanes(Vector<Lanes> u, const GapLanes<Lanes>& gap,
                                    const SubstrateLanes<Lanes>& substrate) {
    const Vector<Lanes> v = u * (1.0 + 10.0 / (10.0 + gap.g * gap.g)) + gap.g * gap.exp_minus_g;
    return zero_thickness_e_eff<Lanes>(v, substrate);
}

template <typename Lanes>
Vector<Lanes> odd_mode_e_eff_lanes(Vector<Lanes> u, const GapLanes<Lanes>& gap,
                                   const SubstrateLanes<Lanes>& substrate) {
    const Vector<Lanes> er = substrate.er;
    const Vector<Lanes> single = zero_thickness_e_eff<Lanes>(u, substrate);
    const Vector<Lanes> mean = 0.5 * (er + 1.0);
    const Vector<Lanes> a_o = 0.7287 * (single - mean) * (1.0 - Lanes::exp(-0.179 * u));
    const Vector<Lanes> b_o = 0.747 * er / (0.15 + er);
    const Vector<Lanes> c_o = b_o - (b_o - 0.207) * Lanes::exp(-0.414 * u);
    const Vector<Lanes> d_o = 0.593 + 0.694 * Lanes::exp(-0.562 * u);
    return (mean + a_o - single) * Lanes::exp(-c_o * Lanes::exp(d_o * gap.log_g)) + single;
}

// The even and odd modes' widths of a pair widened by its strips' thickness, as mode_widths of
// coupled_thickness.cpp gives them.
template <typename Lanes>
struct ModeWidthsLanes {
    Vector<Lanes> even, odd;
};

template <typename Lanes>
ModeWidthsLanes<Lanes> widened_lanes(Vector<Lanes> u, Vector<Lanes> single_gain, Vector<Lanes> gap_gain) {
    const Vector<Lanes> even_gain =
        single_gain * (1.0 - 0.5 * Lanes::exp(-kCoupledEvenModeRecovery * single_gain / gap_gain));
    return {u + even_gain, u + even_gain + gap_gain};
}

template <typename Lanes>
struct PairLanes {
    Vector<Lanes> z_even, z_odd, e_eff_even, e_eff_odd;
};

// coupled_microstrip on lanes, its modes NaN where it gives none.
template <typename Lanes>
PairLanes<Lanes> pair_lanes(Vector<Lanes> u, Vector<Lanes> g, Vector<Lanes> t, const SubstrateLanes<Lanes>& substrate) {
    const Vector<Lanes> er = substrate.er;
    const auto is_pair = (u > 0.0) & (u < kInfinity) & (g > 0.0) & (g < kInfinity) & (t >= 0.0) & (t < kInfinity) &
                         (er >= 1.0) & (er < kInfinity);
    g = Lanes::select(g < kCoupledDecoupledGap, g, Lanes::splat(kCoupledDecoupledGap));
    const auto thin = t == 0.0;
    const Vector<Lanes> gain_in_air = width_increment_in_air<Lanes>(u, t);
    const Vector<Lanes> gap_gain_in_air = t / g;
    const ModeWidthsLanes<Lanes> on_substrate =
        widened_lanes<Lanes>(u, width_increment_on_dielectric<Lanes>(gain_in_air, substrate), gap_gain_in_air / er);
    const GapLanes<Lanes> gap = gap_lanes<Lanes>(g);
    const ModeWidthLanes<Lanes> even_width = mode_width_lanes<Lanes>(Lanes::select(thin, u, on_substrate.even), gap);
    const ModeWidthLanes<Lanes> odd_width = mode_width_lanes<Lanes>(Lanes::select(thin, u, on_substrate.odd), gap);
    Vector<Lanes> e_eff_even = even_mode_e_eff_lanes<Lanes>(even_width.u, gap, substrate);
    Vector<Lanes> e_eff_odd = odd_mode_e_eff_lanes<Lanes>(odd_width.u, gap, substrate);
    const Vector<Lanes> z_even = mode_impedance_lanes<Lanes>(even_width, e_eff_even, even_width.q4);
    const Vector<Lanes> z_odd =
        mode_impedance_lanes<Lanes>(odd_width, e_eff_odd, odd_mode_coupling_lanes<Lanes>(odd_width, gap));
    if (!Lanes::all(thin)) {
        // Each mode's effective dielectric constant from its impedances in air and on the
        // substrate, each pair widened for its own medium: C/C0 = (Z_air/Z)².
        const ModeWidthsLanes<Lanes> in_air = widened_lanes<Lanes>(u, gain_in_air, gap_gain_in_air);
        const ModeWidthLanes<Lanes> even_in_air = mode_width_lanes<Lanes>(in_air.even, gap);
        const ModeWidthLanes<Lanes> odd_in_air = mode_width_lanes<Lanes>(in_air.odd, gap);
        const Vector<Lanes> one = Lanes::splat(1.0);
        const Vector<Lanes> even_ratio = mode_impedance_lanes<Lanes>(even_in_air, one, even_in_air.q4) / z_even;
        const Vector<Lanes> odd_ratio =
            mode_impedance_lanes<Lanes>(odd_in_air, one, odd_mode_coupling_lanes<Lanes>(odd_in_air, gap)) / z_odd;
        e_eff_even = Lanes::select(thin, e_eff_even, even_ratio * even_ratio);
        e_eff_odd = Lanes::select(thin, e_eff_odd, odd_ratio * odd_ratio);
    }
    const auto sound = is_pair & (z_even > 0.0) & (z_even < kInfinity) & (e_eff_even >= 1.0) & (er >= e_eff_even) &
                       (z_odd > 0.0) & (z_odd < kInfinity) & (e_eff_odd >= 1.0) & (er >= e_eff_odd);
    const Vector<Lanes> nan = Lanes::splat(__builtin_nan(""));
    return {Lanes::select(sound, z_even, nan), Lanes::select(sound, z_odd, nan), Lanes::select(sound, e_eff_even, nan),
            Lanes::select(sound, e_eff_odd, nan)};
}

template <typename Lanes>
void store_pair(Vector<Lanes> u, Vector<Lanes> g, Vector<Lanes> t, const SubstrateLanes<Lanes>& substrate,
                std::size_t at, const PairColumns& out) {
    const PairLanes<Lanes> pair = pair_lanes<Lanes>(u, g, t, substrate);
    Lanes::store(out.z_even + at, pair.z_even);
    Lanes::store(out.z_odd + at, pair.z_odd);
    Lanes::store(out.e_eff_even + at, pair.e_eff_even);
    Lanes::store(out.e_eff_odd + at, pair.e_eff_odd);
}

template <typename Lanes>
void coupled_pairs_on_lanes(std::size_t n, const double* u, const double* g, const double* t, const double* er,
                            const PairColumns& out) {
    constexpr std::size_t kCount = Lanes::kCount;
    SubstrateOfLastLanes<Lanes> substrate;
    std::size_t i = 0;
    for (; i + kCount <= n; i += kCount) {
        store_pair<Lanes>(Lanes::load(u + i), Lanes::load(g + i), Lanes::load(t + i),
                          substrate.terms(Lanes::load(er + i)), i, out);
    }
    if (i == n)
        return;
    // The last few elements in full vectors, the lanes beyond them on an ordinary pair.
    double tail_u[kCount], tail_g[kCount], tail_t[kCount], tail_er[kCount];
    double tail_z_even[kCount], tail_z_odd[kCount], tail_e_eff_even[kCount], tail_e_eff_odd[kCount];
    for (std::size_t lane = 0; lane < kCount; ++lane) {
        const bool inside = i + lane < n;
        tail_u[lane] = inside ? u[i + lane] : 1.0;
        tail_g[lane] = inside ? g[i + lane] : 1.0;
        tail_t[lane] = inside ? t[i + lane] : 0.01;
        tail_er[lane] = inside ? er[i + lane] : er[i];
    }
    const PairColumns tail{tail_z_even, tail_z_odd, tail_e_eff_even, tail_e_eff_odd};
    store_pair<Lanes>(Lanes::load(tail_u), Lanes::load(tail_g), Lanes::load(tail_t),
                      substrate.terms(Lanes::load(tail_er)), 0, tail);
    for (std::size_t lane = 0; i + lane < n; ++lane) {
        out.z_even[i + lane] = tail_z_even[lane];
        out.z_odd[i + lane] = tail_z_odd[lane];
        out.e_eff_even[i + lane] = tail_e_eff_even[lane];
        out.e_eff_odd[i + lane] = tail_e_eff_odd[lane];
    }
}

}  // namespace
}  // namespace velmoka
