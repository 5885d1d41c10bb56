#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace velmoka {

// 10^0 to 10^22: every one exact in a double.
inline constexpr std::array<double, 23> kExactPowersOfTen = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// 10^decimals, exact, for decimals from 0 to 22.
inline double exact_power_of_ten(int decimals) {
    return kExactPowersOfTen[static_cast<std::size_t>(decimals)];
}

// The count of units of the `decimals`-th decimal place nearest a magnitude (49.891 at two
// decimals is 4989 units), found exactly and without any text: the magnitude is scaled by a
// power of ten, the product's rounding error worked out by fma where it could matter, and the
// result rounded to the nearest unit. Empty where the scaled magnitude lies within tie_share of
// itself (plus a rounding's breadth) of half a unit, where only the digits can say which way
// it goes, and beyond 5e13 units. magnitude >= 0 and finite. Inline: every number a box shows
// goes through it, a dozen times a row of a sweep.
inline std::optional<std::uint64_t> nearest_units(double magnitude, int decimals, double tie_share) {
    // The rounding of the sum that places the scaled magnitude between two units, with room.
    constexpr double kFractionRounding = 1e-15;
    // Half a unit in the last place of a double, relative to its value, at most: 2^-53.
    constexpr double kHalfUnitInTheLastPlace = 0x1p-53;
    // Units beyond which a count is left to the digits: far inside 2^63, and where the 15 digits
    // a picture keeps end before its decimals do.
    constexpr double kMostUnits = 5e13;

    if (decimals < 0 || decimals >= static_cast<int>(kExactPowersOfTen.size())) {
        return std::nullopt;
    }
    const double scale = exact_power_of_ten(decimals);
    const double scaled = magnitude * scale;
    if (!(scaled < kMostUnits)) {
        return std::nullopt;
    }
    const double whole = static_cast<double>(static_cast<std::int64_t>(scaled));  // floor: scaled >= 0
    const double margin = scaled * tie_share + kFractionRounding;
    double beyond_half = (scaled - whole) - 0.5;
    // The product's rounding error, at most half a unit in the last place of `scaled`, can only
    // matter this near a half: there it is worked out exactly.
    if (std::fabs(beyond_half) <= margin + scaled * kHalfUnitInTheLastPlace) {
        beyond_half += std::fma(magnitude, scale, -scaled);
        if (std::fabs(beyond_half) <= margin) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint64_t>(whole) + (beyond_half > 0.0 ? 1U : 0U);
}

// The double nearest the value as it shows at `decimals` decimals, where its nearest units
// (above) decide it without the text; -0 shows as 0.
inline std::optional<double> nearest_decimal(double value, int decimals, double tie_share) {
    const std::optional<std::uint64_t> units = nearest_units(std::fabs(value), decimals, tie_share);
    if (!units) {
        return std::nullopt;
    }
    // Both exact in a double, so their quotient is the double nearest the decimal shown.
    const double magnitude = static_cast<double>(*units) / exact_power_of_ten(decimals);
    return std::signbit(value) && *units != 0 ? -magnitude : magnitude;
}

}  // namespace velmoka
