#include "window/leading_numeric.h"

namespace velmoka {

double leading_numeric(std::string_view) { return 0.0; }

}  // namespace velmoka
