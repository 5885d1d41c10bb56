#include "text_rules/typed_value.h"

#define FMT_HEADER_ONLY
#include <fmt/compile.h>
#include <fmt/format.h>

namespace velmoka {

std::size_t write_typed_value(char* out, double value) {
    return static_cast<std::size_t>(fmt::format_to(out, FMT_COMPILE("{}"), value) - out);
}

}  // namespace velmoka
