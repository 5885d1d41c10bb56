#pragma once

#include <cstdint>
#include <optional>

namespace velmoka {

// The count of units of the `decimals`-th decimal place nearest a magnitude (49.891 at two
// decimals is 4989 units), found exactly and without any text: the magnitude is scaled by a
// power of ten, the product's rounding error worked out by fma where it could matter, and the
// result rounded to the nearest unit. Empty where the scaled magnitude lies within tie_share of
// itself (plus a rounding's breadth) of half a unit, where only the digits can say which way
// it goes, and beyond 5e13 units. magnitude >= 0 and finite.
std::optional<std::uint64_t> nearest_units(double magnitude, int decimals, double tie_share);

// 10^decimals, exact, for decimals from 0 to 22.
double exact_power_of_ten(int decimals);

}  // namespace velmoka
