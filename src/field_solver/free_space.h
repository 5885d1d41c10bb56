#pragma once

#include <numbers>

namespace velmoka::field_solver {

inline constexpr double kSpeedOfLight = 299792458.0;  // c, metres per second
// The impedance of free space, 1/(ε0 c) = μ0 c in ohms, with μ0 = 4π × 1e-7 H/m (within 1e-9 of
// the measured value).
inline constexpr double kFreeSpaceImpedance = 4e-7 * std::numbers::pi * kSpeedOfLight;

}  // namespace velmoka::field_solver
