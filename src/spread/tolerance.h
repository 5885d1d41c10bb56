#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// How far a made board's line may stray from its drawing: a tolerance on each of the strip
// width W, the dielectric thickness H, the conductor thickness T, the dielectric constant er and,
// for an edge-coupled pair, the gap S between its strips, and how the boards spread within it.
namespace velmoka::spread {

// The inputs a board house makes with a spread, in this order everywhere: a single strip's four,
// then a pair's gap.
enum class Input : std::uint8_t { w, h, t, er, s };
inline constexpr std::size_t kInputs = 5;
inline constexpr std::size_t kStripInputs = 4;  // W to er, the inputs of every line
inline constexpr std::array<std::string_view, kInputs> kInputNames = {"w", "h", "t", "er", "s"};

// A line: W, H, T and S in any one length unit, er without one. S, the gap between the facing
// sides of a pair's two strips, is 0 for a single strip.
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

// The impedance a budget is of: a single strip's Z0, or the differential impedance 2·z_odd of a
// pair, a line with a gap.
enum class Impedance : std::uint8_t { z0, z_diff };
inline constexpr std::array<std::string_view, 2> kImpedanceNames = {"z0", "z_diff"};

inline Impedance impedance_of(const Line& nominal) {
    return nominal[Input::s] > 0.0 ? Impedance::z_diff : Impedance::z0;
}

// How many inputs a line of each kind has: a single strip's four, or those and the gap.
inline std::size_t inputs_of(Impedance impedance) {
    return impedance == Impedance::z_diff ? kInputs : kStripInputs;
}

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
// input's name ("is negative"); empty when nothing is. A tolerance of 100 % or more on W, H or S
// would make a strip, a dielectric or a gap of no width or thickness.
std::optional<std::string_view> fault_in(Input input, const Tolerance& tolerance, double nominal);

}  // namespace velmoka::spread
