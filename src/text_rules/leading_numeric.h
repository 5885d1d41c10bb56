#pragma once

#include <string_view>

namespace velmoka {

// The number a box's text stands for: the longest leading part of the text that reads as a
// number (blanks, tabs and line feeds skipped anywhere, optional sign, digits with one full
// stop, exponent with E or D, or &H / &O for a hexadecimal or octal integer). The decimal point
// is the full stop whatever the locale, and the result is correctly rounded. A text with no
// leading number reads 0, and so does any number that rounds to zero, sign or not. Magnitudes
// beyond the double range saturate to plus or minus the largest double.
double leading_numeric(std::string_view text);

// The same rule over UTF-16 text, as a text box holds it, read in place: a character outside
// ASCII is part of no number, as it is in the Latin-1 form of the text.
double leading_numeric(std::u16string_view text);

}  // namespace velmoka
