#pragma once

#include "spread/budget.h"

#include <string>
#include <string_view>

namespace velmoka::spread {

// What every figure of a budget comes with: the line model's own limits.
inline constexpr std::string_view kModelLimits =
    "Quasi-static line model: no dispersion, no loss, no roughness; every figure is the model's.";

// The budget as one JSON object, every figure at full precision (each number in its shortest
// form that reads back as the same double; null where there is none), the keys the same for
// velmoka-cli and the Python module. units_name: the length unit of W, H, T and the length.
std::string report_json(const Request& request, const Report& report, std::string_view units_name);

}  // namespace velmoka::spread
