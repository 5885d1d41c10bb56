#include "common/lane_choice.h"

#include <cstdio>
#include <cstdlib>

namespace velmoka {

std::string_view requested_lanes() {
    static const std::string_view requested = [] {
        const char* value = std::getenv("VELMOKA_LANES");
        return value == nullptr ? std::string_view() : std::string_view(value);
    }();
    return requested;
}

void report_lanes_not_taken(std::string_view work, std::string_view requested, std::string_view taken) {
    const bool named = requested == "avx512" || requested == "avx2" || requested == "scalar";
    std::fprintf(stderr, "velmoka: VELMOKA_LANES=%.*s %s; the %.*s run on %.*s\n", static_cast<int>(requested.size()),
                 requested.data(),
                 named ? "names lanes this processor cannot run" : "names no lanes (avx512, avx2 or scalar)",
                 static_cast<int>(work.size()), work.data(), static_cast<int>(taken.size()), taken.data());
}

}  // namespace velmoka
