#pragma once

#include <cstddef>
#include <cstdint>

// Two vectors of an instruction set worked as one vector of twice the lanes. The line model is
// a chain of elementary functions, each waiting for the one before it; two independent chains
// side by side let the processor work on one while the other waits.
namespace velmoka {
namespace {  // each instruction set's translation unit keeps its own copy

template <typename Half>
struct Pair {
    Half low, high;
};

template <typename Half>
Pair<Half> operator-(Pair<Half> x) {
    return {-x.low, -x.high};
}

// Element-wise + − × ÷ between pairs and between a pair and a number.
#define VELMOKA_PAIR_OPERATOR(op)                                                \
    template <typename Half>                                                     \
    auto operator op(Pair<Half> x, Pair<Half> y) {                               \
        return Pair<decltype(x.low op y.low)>{x.low op y.low, x.high op y.high}; \
    }                                                                            \
    template <typename Half>                                                     \
    auto operator op(Pair<Half> x, double y) {                                   \
        return Pair<decltype(x.low op y)>{x.low op y, x.high op y};              \
    }                                                                            \
    template <typename Half>                                                     \
    auto operator op(double x, Pair<Half> y) {                                   \
        return Pair<decltype(x op y.low)>{x op y.low, x op y.high};              \
    }
VELMOKA_PAIR_OPERATOR(+)
VELMOKA_PAIR_OPERATOR(-)
VELMOKA_PAIR_OPERATOR(*)
VELMOKA_PAIR_OPERATOR(/)
VELMOKA_PAIR_OPERATOR(<)
VELMOKA_PAIR_OPERATOR(>)
VELMOKA_PAIR_OPERATOR(>=)
VELMOKA_PAIR_OPERATOR(==)
VELMOKA_PAIR_OPERATOR(&)
VELMOKA_PAIR_OPERATOR(|)
#undef VELMOKA_PAIR_OPERATOR

template <typename Half>
Pair<Half> operator~(Pair<Half> x) {
    return {~x.low, ~x.high};
}

template <typename Lanes>
struct LanePairs {
    using Vector = Pair<typename Lanes::Vector>;
    static constexpr std::size_t kCount = 2 * Lanes::kCount;

    static Vector load(const double* p) { return {Lanes::load(p), Lanes::load(p + Lanes::kCount)}; }
    static void store(double* p, Vector v) {
        Lanes::store(p, v.low);
        Lanes::store(p + Lanes::kCount, v.high);
    }
    static Vector splat(double x) { return {Lanes::splat(x), Lanes::splat(x)}; }
    template <typename Mask>
    static std::uint64_t lanes_set(Mask m) {
        return Lanes::lanes_set(m.low) | Lanes::lanes_set(m.high) << Lanes::kCount;
    }
    template <typename Mask>
    static Vector select(Mask m, Vector if_true, Vector if_false) {
        return {Lanes::select(m.low, if_true.low, if_false.low), Lanes::select(m.high, if_true.high, if_false.high)};
    }
    template <typename Mask>
    static bool any(Mask m) {
        return Lanes::any(m.low) || Lanes::any(m.high);
    }
    template <typename Mask>
    static bool all(Mask m) {
        return Lanes::all(m.low) && Lanes::all(m.high);
    }

    static Vector sqrt(Vector x) { return {Lanes::sqrt(x.low), Lanes::sqrt(x.high)}; }
    static Vector fma(Vector a, Vector b, Vector c) {
        return {Lanes::fma(a.low, b.low, c.low), Lanes::fma(a.high, b.high, c.high)};
    }
    static Vector log(Vector x) { return {Lanes::log(x.low), Lanes::log(x.high)}; }
    static Vector exp(Vector x) { return {Lanes::exp(x.low), Lanes::exp(x.high)}; }
    static Vector pow(Vector x, Vector y) { return {Lanes::pow(x.low, y.low), Lanes::pow(x.high, y.high)}; }
    static Vector tanh(Vector x) { return {Lanes::tanh(x.low), Lanes::tanh(x.high)}; }
    static Vector atan(Vector x) { return {Lanes::atan(x.low), Lanes::atan(x.high)}; }
    static Vector log1p(Vector x) { return {Lanes::log1p(x.low), Lanes::log1p(x.high)}; }
    static Vector expm1(Vector x) { return {Lanes::expm1(x.low), Lanes::expm1(x.high)}; }
};

}  // namespace
}  // namespace velmoka
