#pragma once

// The impedance entry check: any text of z0_txt that reads below 0.5 or above 150 ohms is
// replaced at once by " Invalid Z0", whoever changed it.
namespace velmoka {

// The impedance range the entry check admits, ohms, both bounds included.
inline constexpr double kLowestImpedance = 0.5;
inline constexpr double kHighestImpedance = 150.0;

constexpr bool refused_by_entry_check(double z0) {
    return z0 < kLowestImpedance || z0 > kHighestImpedance;
}

}  // namespace velmoka
