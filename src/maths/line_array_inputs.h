#pragma once

#include "maths/lines_over_arrays.h"

// Which elements the array functions work: the rest get NaN. Written once for a double
// (bool out) and for a SIMD vector (a lane mask out), with the same comparisons, each false
// for NaN.
namespace velmoka {
namespace {  // each instruction set's translation unit keeps its own copy

constexpr double kInfinity = __builtin_inf();

// A strip the line model takes: u > 0, t >= 0, er >= 1, none of them NaN.
template <typename Number>
auto line_is_admitted(Number u, Number t, Number er) {
    return (u > 0.0) & (t >= 0.0) & (er >= 1.0);
}

// A wanted impedance the width search takes: finite inputs, z_want from 0.1 ohm, t >= 0, er >= 1.
template <typename Number>
auto search_is_admitted(Number z_want, Number t, Number er) {
    return (z_want >= kLowestWantedImpedance) & (z_want < kInfinity) & (t >= 0.0) & (t < kInfinity) & (er >= 1.0) &
           (er < kInfinity);
}

}  // namespace
}  // namespace velmoka
