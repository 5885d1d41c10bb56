#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// How far a made board's line may stray from its drawing: a tolerance on each of the strip
// width W, the dielectric thickness H, the conductor thickness T and the dielectric constant
// er, and how the boards spread within it.
namespace velmoka::spread {

// The four inputs a board house makes with a spread, in this order everywhere.
enum class Input : std::uint8_t { w, h, t, er };
inline constexpr std::size_t kInputs = 4;
inline constexpr std::array<std::string_view, kInputs> kInputNames = {"w", "h", "t", "er"};

// A line: W, H and T in any one length unit, er without one.
struct Line {
    std::array<double, kInputs> values;  // by Input

    double& operator[](Input input) { return values[static_cast<std::size_t>(input)]; }
    double operator[](Input input) const { return values[static_cast<std::size_t>(input)]; }
};

// ± an amount in the input's own unit, or ± a percentage of its nominal value; 0 for none.
struct Tolerance {
    double amount = 0.0;
    bool percent = false;

    // The tolerance as an amount in the input's unit, about a nominal value.
    double about(double nominal) const { return percent ? nominal * amount / 100.0 : amount; }
    bool given() const { return amount != 0.0; }
};

using Tolerances = std::array<Tolerance, kInputs>;  // by Input

// A normal spread takes its tolerance as this many standard deviations.
inline constexpr double kSigmasInANormalTolerance = 3.0;

enum class Distribution : std::uint8_t {
    normal,   // the tolerance is three standard deviations
    uniform,  // any value within ± the tolerance as likely as any other
};

inline constexpr std::array<std::string_view, 2> kDistributionNames = {"normal", "uniform"};

// The standard deviation of an input spread over ± tolerance.
double standard_deviation(Distribution distribution, double tolerance);

// What is wrong with a tolerance on an input of a nominal value, in words that follow the
// input's name ("is negative"); empty when nothing is. A tolerance of 100 % or more on W or H
// would make a strip or a dielectric of no width or thickness.
std::optional<std::string_view> fault_in(Input input, const Tolerance& tolerance, double nominal);

}  // namespace velmoka::spread
