#pragma once

#include "spread/budget.h"

#include <string>
#include <string_view>

namespace velmoka::spread {

// What every figure of a budget comes with: the line model's own limits, or the pair's closed form's.
inline constexpr std::string_view kModelLimits =
    "Quasi-static line model: no dispersion, no loss, no roughness; every figure is the model's.";
inline constexpr std::string_view kPairModelLimits =
    "Quasi-static closed form of the pair: no dispersion, no loss, no roughness; every figure is the closed "
    "form's, but the field solution's and those corrected by it, which take the closed form's error at the "
    "nominal to be the same across the spread.";

inline std::string_view model_limits(Impedance of) {
    return of == Impedance::z0 ? kModelLimits : kPairModelLimits;
}

// The budget as one JSON object, every figure at full precision (each number in its shortest
// form that reads back as the same double; null where there is none), the keys the same for
// velmoka-cli and the Python module. units_name: the length unit of W, H, T, S and the length. A
// pair's impedances are keyed z_diff where a line's are keyed z0, and "quantity" says so.
std::string report_json(const Request& request, const Report& report, std::string_view units_name);

}  // namespace velmoka::spread
