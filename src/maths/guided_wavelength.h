#pragma once

#include "maths/window_constants.h"

// Conversions between a length of line in mils and the same length in guided wavelengths,
// at f GHz on a line of relative velocity v: the guided wavelength is v × 30 / f cm.
namespace velmoka {

// Wavelengths of line in length_mils: length in cm over the guided wavelength.
constexpr double wavelengths_of_line(double length_mils, double f, double v) {
    return ((kCmPerMil * (length_mils / kCmPerNs)) * f) / v;
}

// Mils of line that hold len_lambda guided wavelengths.
constexpr double length_of_wavelengths(double len_lambda, double f, double v) {
    return (((kMilsPerCm * len_lambda) * kCmPerNs) * v) / f;
}

}  // namespace velmoka
