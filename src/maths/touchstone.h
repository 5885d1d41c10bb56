#pragma once

#include <cstdint>
#include <ostream>
#include <span>

#include "maths/section_s_parameters.h"

// Two-port S-parameters as a Touchstone 1.1 file (.s2p): the option line, then one row a
// frequency of S11, S21, S12, S22 in that order.
namespace velmoka {

enum class TouchstoneFormat : std::uint8_t {
    real_imaginary,   // RI
    magnitude_angle,  // MA, angles in degrees
};

// Writes "# Hz S RI R <z_ref>" (or MA) and a row for each frequency (Hz) with its S-parameters,
// twelve significant digits. frequencies and s have the same length.
void write_touchstone(std::ostream& out, std::span<const double> frequencies, std::span<const TwoPortS> s,
                      double z_ref = kReferenceImpedance,
                      TouchstoneFormat format = TouchstoneFormat::real_imaginary);

}  // namespace velmoka
