#include "text_rules/nearest_units.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace velmoka {

namespace {

// 10^0 to 10^22: every one exact in a double.
constexpr std::array<double, 23> kExactPowersOfTen = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The rounding of the sum that places the scaled magnitude between two units, with room.
constexpr double kFractionRounding = 1e-15;
// Half a unit in the last place of a double, relative to its value, at most: 2^-53.
constexpr double kHalfUnitInTheLastPlace = 0x1p-53;
// Units beyond which a count is left to the digits: far inside 2^63, and where the 15 digits a
// picture keeps end before its decimals do.
constexpr double kMostUnits = 5e13;

}  // namespace

double exact_power_of_ten(int decimals) {
    return kExactPowersOfTen[static_cast<std::size_t>(decimals)];
}

std::optional<std::uint64_t> nearest_units(double magnitude, int decimals, double tie_share) {
    if (decimals < 0 || decimals >= static_cast<int>(kExactPowersOfTen.size())) {
        return std::nullopt;
    }
    const double scale = kExactPowersOfTen[static_cast<std::size_t>(decimals)];
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

}  // namespace velmoka
