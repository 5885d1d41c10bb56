#pragma once

#include <string_view>

namespace velmoka {

// The number a box's text stands for: the longest leading part of the text that reads as a
// number (blanks, tabs and line feeds skipped anywhere, optional sign, digits with one full
// stop, exponent with E or D, or &H / &O for a hexadecimal or octal integer). A text with no
// leading number reads 0. Magnitudes beyond the double range saturate to the largest double.
double leading_numeric(std::string_view text);

}  // namespace velmoka
