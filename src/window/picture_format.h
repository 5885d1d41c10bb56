#pragma once

#include <string>
#include <string_view>

namespace velmoka {

// The text of value under a picture such as "  ##0.00": the picture's leading blanks, every
// integer digit, a full stop and as many decimals as the picture has places after its point,
// rounded half away from zero; a minus sign goes before the blanks. A value that is not finite
// is written as the message " infinity".
std::string format_picture(double value, std::string_view picture);

}  // namespace velmoka
