#include "spread/tolerance.h"

#include <cmath>

namespace velmoka::spread {

double standard_deviation(Distribution distribution, double tolerance) {
    // A uniform spread over ± a has a variance of a²/3.
    return distribution == Distribution::normal ? tolerance / kSigmasInANormalTolerance : tolerance / std::sqrt(3.0);
}

std::optional<std::string_view> fault_in(Input input, const Tolerance& tolerance, double nominal) {
    if (!std::isfinite(tolerance.amount)) {
        return "is not a finite number";
    }
    if (tolerance.amount < 0.0) {
        return "is negative";
    }
    if ((input == Input::w || input == Input::h || input == Input::s) && tolerance.about(nominal) >= nominal) {
        return "is 100 % or more of the nominal value";
    }
    return std::nullopt;
}

}  // namespace velmoka::spread
