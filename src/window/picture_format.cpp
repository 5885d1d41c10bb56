#include "window/picture_format.h"

namespace velmoka {

std::string format_picture(double, std::string_view picture) { return std::string(picture); }

}  // namespace velmoka
