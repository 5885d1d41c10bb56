#pragma once

#include <numbers>

// The physical constants of the line at any frequency, in SI units. The window's own constants
// (its ten-digit π and light at 30 cm/ns) are its own and stay with its model, in
// maths/window_constants.h.
namespace velmoka {

// The speed of light in vacuum, exact by the definition of the metre (SI, 1983), m/s.
inline constexpr double kSpeedOfLight = 299'792'458.0;
// The magnetic constant μ0, H/m: CODATA 2018 gives 1.25663706212e-6; the pre-2019 exact 4π × 1e-7
// used here lies within 6e-10 of it, far below any figure this program gives.
inline constexpr double kVacuumPermeability = 4e-7 * std::numbers::pi;
// The electric constant ε0 = 1/(μ0 c²), F/m.
inline constexpr double kVacuumPermittivity = 1.0 / (kVacuumPermeability * kSpeedOfLight * kSpeedOfLight);
// The wave impedance of free space, η0 = μ0 c = 1/(ε0 c), ohms.
inline constexpr double kFreeSpaceImpedance = kVacuumPermeability * kSpeedOfLight;

}  // namespace velmoka
