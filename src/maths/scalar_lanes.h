#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

// One double worked as a vector of one lane, so that the scalar line at frequency runs the very
// source the SIMD lanes run. A Lanes type gives Vector, kCount, load, store, splat, select,
// any, all and the elementary functions sqrt, log, exp, pow, atan, log1p and expm1; vectors
// use the element-wise + − × ÷ and comparisons, whose results combine with & and |.
namespace velmoka {
namespace {  // each instruction set's translation unit keeps its own copy

template <typename Lanes>
using LaneDoubles = typename Lanes::Vector;

struct ScalarLanes {
    using Vector = double;
    static constexpr std::size_t kCount = 1;

    static double load(const double* p) { return *p; }
    static void store(double* p, double x) { *p = x; }
    static double splat(double x) { return x; }
    template <typename Mask>
    static double select(Mask m, double if_true, double if_false) {
        return m ? if_true : if_false;
    }
    template <typename Mask>
    static bool any(Mask m) {
        return m;
    }
    template <typename Mask>
    static bool all(Mask m) {
        return m;
    }

    static double sqrt(double x) { return std::sqrt(x); }
    static double log(double x) { return std::log(x); }
    static double exp(double x) { return std::exp(x); }
    static double pow(double x, double y) { return std::pow(x, y); }
    static double atan(double x) { return std::atan(x); }
    static double log1p(double x) { return std::log1p(x); }
    static double expm1(double x) { return std::expm1(x); }
};

// The smaller of a and b in each lane.
template <typename Lanes>
LaneDoubles<Lanes> lane_min(LaneDoubles<Lanes> a, LaneDoubles<Lanes> b) {
    return Lanes::select(a < b, a, b);
}

}  // namespace
}  // namespace velmoka
