#pragma once

// The window's own constants, shared by its line model, the lumped networks and the length
// conversions: π is the ten-digit value the calculator has always used, not the full double π,
// and light goes 30 cm a nanosecond; every result on the window is reproduced with them. The
// physical constants of the line at frequency are in common/physical_constants.h.
namespace velmoka {

inline constexpr double kPi = 3.141592654;     // ten-digit π
inline constexpr double kTwoPi = 6.283185308;  // ten-digit 2π, as written, not 2 × kPi

inline constexpr double kCmPerNs = 30.0;            // speed of light, centimetres per nanosecond
inline constexpr double kCmPerMil = 2.54 / 1000.0;  // 1 mil = 0.00254 cm
inline constexpr double kMilsPerCm = 1000.0 / 2.54;
inline constexpr double kMicronsPerMil = 25.4;
inline constexpr double kDegreesPerWavelength = 360.0;

}  // namespace velmoka
