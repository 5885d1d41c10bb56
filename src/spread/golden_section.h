#pragma once

#include <cmath>
#include <utility>

namespace velmoka::spread {

// The golden-section search for the best value of a function of one variable over a bracket
// where it has one peak: each step keeps the inner point that does better and narrows the
// bracket to 0.618 of itself, one new value a step, until the bracket is no wider than
// `narrowest`. better(a, b) says whether value a is at least as good as b. Returns the best point
// found and its value.
template <typename Function, typename Better>
auto golden_section(double low, double high, double narrowest, const Function& value_at, const Better& better) {
    const double golden_ratio = (std::sqrt(5.0) - 1.0) / 2.0;
    double inner_low = high - golden_ratio * (high - low);
    double inner_high = low + golden_ratio * (high - low);
    auto at_inner_low = value_at(inner_low);
    auto at_inner_high = value_at(inner_high);
    while (high - low > narrowest) {
        if (better(at_inner_low, at_inner_high)) {
            high = inner_high;
            inner_high = inner_low;
            at_inner_high = at_inner_low;
            inner_low = high - golden_ratio * (high - low);
            at_inner_low = value_at(inner_low);
        } else {
            low = inner_low;
            inner_low = inner_high;
            at_inner_low = at_inner_high;
            inner_high = low + golden_ratio * (high - low);
            at_inner_high = value_at(inner_high);
        }
    }
    return better(at_inner_low, at_inner_high) ? std::pair(inner_low, at_inner_low)
                                               : std::pair(inner_high, at_inner_high);
}

}  // namespace velmoka::spread
