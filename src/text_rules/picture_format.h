#pragma once

#include <string>
#include <string_view>

namespace velmoka {

// The text of value under a picture such as "  ##0.00": the picture's leading blanks, every
// integer digit, a full stop and as many decimals as the picture has places after its point.
// The value is first rounded to 15 significant digits, then to those decimals, halves away
// from zero. A minus sign goes before the blanks, and only when the shown digits are not all
// zero. A value that is not finite is written as the message " infinity".
std::string format_picture(double value, std::string_view picture);

}  // namespace velmoka
