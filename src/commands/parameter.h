#pragma once

#include "commands/quantity.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string_view>

// A parameter of a command as every face takes it: its key (velmoka-cli spells it --tol-w, Python
// tol_w), the form of its value, what it measures, whether it must be given, the range a value
// must lie in, and a line of help.
namespace velmoka::commands {

enum class Form : std::uint8_t {
    number,     // a decimal number; in a command answered row by row, a list or a range too
    tolerance,  // a number in the parameter's unit, or a percentage such as 10%
    count,      // a whole number
    choice,     // one of a few words
    flag,       // given or not
    path,       // a file velmoka-cli writes
};

enum class Need : std::uint8_t {
    required,   // the command answers nothing without it
    optional,   // the results that need it are left out where it is not given
    defaulted,  // taken as its default where it is not given
};

// The values a number may take, and the words that say so.
struct Range {
    double lowest = -std::numeric_limits<double>::infinity();
    double highest = std::numeric_limits<double>::infinity();
    bool above_lowest = false;    // the lowest value itself is out
    std::string_view fault = "";  // what a value outside it is, after the key: "must be above 0"

    constexpr bool holds(double value) const {
        return (above_lowest ? value > lowest : value >= lowest) && value <= highest;
    }
};

inline constexpr Range kAnyNumber{};
inline constexpr Range kAboveZero{0.0, std::numeric_limits<double>::infinity(), true, "must be above 0"};
inline constexpr Range kZeroOrAbove{0.0, std::numeric_limits<double>::infinity(), false, "must be 0 or above"};
inline constexpr Range kOneOrAbove{1.0, std::numeric_limits<double>::infinity(), false, "must be 1 or above"};

struct Parameter {
    std::string_view key;
    Form form = Form::number;
    Quantity quantity = Quantity::none;
    Need need = Need::required;
    double default_value = std::numeric_limits<double>::quiet_NaN();
    Range range = kAnyNumber;
    std::span<const std::string_view> choices = {};  // of a choice, the first its default
    std::string_view help = "";
};

// The faults of a value that faces report after the key.
inline constexpr std::string_view kNotFinite = "is not a finite number";

// What is wrong with a number given to a parameter, after its key; empty when nothing is.
inline std::optional<std::string_view> fault_in(const Parameter& parameter, double value) {
    if (!std::isfinite(value)) {
        return kNotFinite;
    }
    if (!parameter.range.holds(value)) {
        return parameter.range.fault;
    }
    return std::nullopt;
}

}  // namespace velmoka::commands
