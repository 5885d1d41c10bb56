#pragma once

#include <cstddef>

#include "maths/line_array_inputs.h"
#include "maths/microstrip_line.h"
#include "maths/window_constants.h"

// The line model of microstrip_line.cpp on SIMD lanes: each formula in the same operations and
// the same order as there, so that lane and scalar model differ only by the last bit of the
// elementary functions. Branches of the scalar model become selections between lanes.
//
// Lanes is one instruction set's vector of doubles with its operations: Vector, kCount,
// load, store, splat, select, any, all, sqrt, fma and the elementary functions log, exp, pow
// and tanh. Vectors use the compiler's element-wise + − × ÷ and comparisons.
//
// Included only by the translation unit of an instruction set, built for it, with no
// contraction of a·b + c into one rounding (the scalar model has none).
namespace velmoka {
namespace {  // each instruction set's translation unit keeps its own copy

template <typename Lanes>
using Vector = typename Lanes::Vector;

template <typename Lanes>
struct SubstrateLanes {
    Vector<Lanes> er;
    Vector<Lanes> filling_exponent;  // b(er)
    Vector<Lanes> edge_sech;         // sech(sqrt(er − 1))
};

template <typename Lanes>
SubstrateLanes<Lanes> substrate_lanes(Vector<Lanes> er) {
    const Vector<Lanes> y = Lanes::sqrt(er - 1.0);
    return {er, 0.564 * Lanes::pow((er - 0.9) / (er + 3.0), Lanes::splat(0.053)),
            2.0 / (Lanes::exp(y) + Lanes::exp(-y))};
}

// A substrate's terms worked out once for a run of vectors on the same substrates, as when
// the permittivity is the same all along an array.
template <typename Lanes>
class SubstrateOfLastLanes {
public:
    const SubstrateLanes<Lanes>& terms(Vector<Lanes> er) {
        if (!Lanes::all(er == last_.er))
            last_ = substrate_lanes<Lanes>(er);
        return last_;
    }

private:
    SubstrateLanes<Lanes> last_{Lanes::splat(__builtin_nan("")), {}, {}};
};

// x⁴ and x³ correctly rounded, as in the scalar model.
template <typename Lanes>
Vector<Lanes> fourth_power(Vector<Lanes> x) {
    const Vector<Lanes> square = x * x;
    const Vector<Lanes> square_error = Lanes::fma(x, x, -square);
    const Vector<Lanes> fourth = square * square;
    const Vector<Lanes> fourth_error = Lanes::fma(square, square, -fourth);
    return fourth + (fourth_error + 2.0 * square * square_error + square_error * square_error);
}

template <typename Lanes>
Vector<Lanes> cube(Vector<Lanes> x) {
    const Vector<Lanes> square = x * x;
    const Vector<Lanes> square_error = Lanes::fma(x, x, -square);
    const Vector<Lanes> cubed = square * x;
    const Vector<Lanes> cubed_error = Lanes::fma(square, x, -cubed);
    return cubed + (cubed_error + square_error * x);
}

// a(u); once u⁴ overflows its logarithm term is ln 1 = 0, once (u/18.1)³ does the other is 3·ln(u/18.1).
template <typename Lanes>
Vector<Lanes> width_filling_exponent(Vector<Lanes> u) {
    const Vector<Lanes> u4 = fourth_power<Lanes>(u);
    const Vector<Lanes> u_52 = u / 52.0;
    const Vector<Lanes> narrow_quotient = (u4 + u_52 * u_52) / (u4 + 0.432);
    const Vector<Lanes> narrow_log = Lanes::log(Lanes::select(u4 < kInfinity, narrow_quotient, Lanes::splat(1.0)));

    const Vector<Lanes> c = u / 18.1;
    const Vector<Lanes> c3 = cube<Lanes>(c);
    const auto c3_finite = c3 < kInfinity;
    const Vector<Lanes> log_of_either = Lanes::log(Lanes::select(c3_finite, 1.0 + c3, c));
    const Vector<Lanes> wide_log = Lanes::select(c3_finite, log_of_either, 3.0 * log_of_either);

    return 1.0 + (1.0 / 49.0) * narrow_log + (1.0 / 18.7) * wide_log;
}

// x^y as e^(y·ln x) for x >= 0, and 1 for x = 1 whatever y: within about |y·ln x| times the
// logarithm's error, plus 1, units in the last place, at a third of the cost of pow. For the two
// powers of a strip that is far inside 1e-13: (1 + 10/u)^(−ab) weighs at most (er − 1)/(er + 1)
// in e_eff, and (30.666/u)^0.7528 enters f(u) through e^(−x), which damps its error fifty times.
template <typename Lanes>
Vector<Lanes> power(Vector<Lanes> x, Vector<Lanes> y) {
    const Vector<Lanes> log_x = Lanes::log(x);
    return Lanes::select(log_x == 0.0, Lanes::splat(1.0), Lanes::exp(y * log_x));
}

template <typename Lanes>
Vector<Lanes> zero_thickness_e_eff(Vector<Lanes> u, const SubstrateLanes<Lanes>& substrate) {
    const Vector<Lanes> er = substrate.er;
    const Vector<Lanes> ab = width_filling_exponent<Lanes>(u) * substrate.filling_exponent;
    return (er + 1.0) / 2.0 + ((er - 1.0) / 2.0) * power<Lanes>(1.0 + 10.0 / u, -ab);
}

template <typename Lanes>
Vector<Lanes> zero_thickness_z0(Vector<Lanes> u, Vector<Lanes> e_eff) {
    const Vector<Lanes> f = 6.0 + (2.0 * kPi - 6.0) * Lanes::exp(-power<Lanes>(30.666 / u, Lanes::splat(0.7528)));
    return (kImpedanceConstant / Lanes::sqrt(e_eff)) * Lanes::log(f / u + Lanes::sqrt(1.0 + (4.0 / u) / u));
}

// Δu1, with the scalar model's limits: c/π for infinite t, 0 for t = 0, ln c − ln t for the
// logarithm once c/t overflows (t below about 6e-308).
template <typename Lanes>
Vector<Lanes> width_increment_in_air(Vector<Lanes> u, Vector<Lanes> t) {
    const Vector<Lanes> th = Lanes::tanh(Lanes::sqrt(6.517 * u));
    const Vector<Lanes> edge = kFourE * (th * th);
    const Vector<Lanes> edge_over_t = edge / t;
    Vector<Lanes> du1 = (t / kPi) * Lanes::log(1.0 + edge_over_t);
    const auto overflowed = (edge_over_t == kInfinity) & (t > 0.0);
    if (Lanes::any(overflowed))
        du1 = Lanes::select(overflowed, (t / kPi) * (Lanes::log(edge) - Lanes::log(t)), du1);
    du1 = Lanes::select(t == 0.0, Lanes::splat(0.0), du1);
    return Lanes::select(t == kInfinity, edge / kPi, du1);
}

// Δur = Δu1·(1 + sech(sqrt(er − 1)))/2.
template <typename Lanes>
Vector<Lanes> width_increment_on_dielectric(Vector<Lanes> du1, const SubstrateLanes<Lanes>& substrate) {
    return du1 * (1.0 + substrate.edge_sech) / 2.0;
}

// microstrip_impedance on lanes.
template <typename Lanes>
Vector<Lanes> impedance_lanes(Vector<Lanes> u, Vector<Lanes> t, const SubstrateLanes<Lanes>& substrate) {
    const Vector<Lanes> ur = u + width_increment_on_dielectric<Lanes>(width_increment_in_air<Lanes>(u, t), substrate);
    return zero_thickness_z0<Lanes>(ur, zero_thickness_e_eff<Lanes>(ur, substrate));
}

template <typename Lanes>
struct LineLanes {
    Vector<Lanes> z0;
    Vector<Lanes> e_eff;
};

// microstrip_line on lanes.
template <typename Lanes>
LineLanes<Lanes> line_lanes(Vector<Lanes> u, Vector<Lanes> t, const SubstrateLanes<Lanes>& substrate) {
    const Vector<Lanes> du1 = width_increment_in_air<Lanes>(u, t);
    const Vector<Lanes> ur = u + width_increment_on_dielectric<Lanes>(du1, substrate);
    const Vector<Lanes> u1 = u + du1;
    const Vector<Lanes> widened_e_eff = zero_thickness_e_eff<Lanes>(ur, substrate);
    const Vector<Lanes> widened_z0 = zero_thickness_z0<Lanes>(ur, widened_e_eff);
    const Vector<Lanes> z1 = zero_thickness_z0<Lanes>(u1, zero_thickness_e_eff<Lanes>(u1, substrate));
    const Vector<Lanes> ratio = Lanes::select(widened_z0 == 0.0, Lanes::splat(1.0), z1 / widened_z0);
    return {widened_z0, widened_e_eff * ratio * ratio};
}

// microstrip_line on lanes, written to z0 and, unless it is null, e_eff; NaN where the line is
// not admitted.
template <typename Lanes>
void store_line(Vector<Lanes> u, Vector<Lanes> t, const SubstrateLanes<Lanes>& substrate, double* z0, double* e_eff) {
    const auto admitted = line_is_admitted(u, t, substrate.er);
    const Vector<Lanes> nan = Lanes::splat(__builtin_nan(""));
    if (e_eff == nullptr) {
        Lanes::store(z0, Lanes::select(admitted, impedance_lanes<Lanes>(u, t, substrate), nan));
        return;
    }
    const LineLanes<Lanes> line = line_lanes<Lanes>(u, t, substrate);
    Lanes::store(z0, Lanes::select(admitted, line.z0, nan));
    Lanes::store(e_eff, Lanes::select(admitted, line.e_eff, nan));
}

template <typename Lanes>
[[gnu::flatten]] void microstrip_lines_on_lanes(std::size_t n, const double* u, const double* t, const double* er,
                                                double* z0, double* e_eff) {
    constexpr std::size_t kCount = Lanes::kCount;
    SubstrateOfLastLanes<Lanes> substrate;
    std::size_t i = 0;
    for (; i + kCount <= n; i += kCount) {
        const Vector<Lanes> er_lanes = Lanes::load(er + i);
        store_line<Lanes>(Lanes::load(u + i), Lanes::load(t + i), substrate.terms(er_lanes), z0 + i,
                          e_eff != nullptr ? e_eff + i : nullptr);
    }
    if (i == n)
        return;
    // The last few elements in full vectors, the lanes beyond them on an ordinary line.
    double tail_u[kCount], tail_t[kCount], tail_er[kCount], tail_z0[kCount], tail_e_eff[kCount];
    for (std::size_t lane = 0; lane < kCount; ++lane) {
        const bool inside = i + lane < n;
        tail_u[lane] = inside ? u[i + lane] : 1.0;
        tail_t[lane] = inside ? t[i + lane] : 0.01;
        tail_er[lane] = inside ? er[i + lane] : er[i];
    }
    store_line<Lanes>(Lanes::load(tail_u), Lanes::load(tail_t), substrate.terms(Lanes::load(tail_er)), tail_z0,
                      e_eff != nullptr ? tail_e_eff : nullptr);
    for (std::size_t lane = 0; i + lane < n; ++lane) {
        z0[i + lane] = tail_z0[lane];
        if (e_eff != nullptr)
            e_eff[i + lane] = tail_e_eff[lane];
    }
}

}  // namespace
}  // namespace velmoka
