#pragma once

#include <algorithm>
#include <array>
#include <string_view>

// The fixed texts the calculator writes into a box in place of a value, blanks as they stand.
namespace velmoka::message {

inline constexpr std::string_view kRaisedPermittivity = " 1.00";  // er below 1, raised to 1
inline constexpr std::string_view kThinConductor = " 0.00";       // T/H raised to its floor
inline constexpr std::string_view kInvalidH = "Invalid H";
inline constexpr std::string_view kInvalidW = " Invalid W";
inline constexpr std::string_view kTooSmall = "Too Small";
inline constexpr std::string_view kInfinity = " infinity";
inline constexpr std::string_view kZ0TooLow = "Z0 too Low";
inline constexpr std::string_view kZ0TooHi = "Z0 too Hi";
inline constexpr std::string_view kZ0Error = "Z0 error";
inline constexpr std::string_view kInvalidZ0 = " Invalid Z0";

// The messages that stand in place of a value. The two repairs, " 1.00" and " 0.00", read as
// the numbers they show.
inline constexpr std::array<std::string_view, 8> kInPlaceOfValue = {
    kInvalidH, kInvalidW, kTooSmall, kInfinity, kZ0TooLow, kZ0TooHi, kZ0Error, kInvalidZ0,
};

constexpr bool stands_in_place_of_value(std::string_view message) {
    return std::find(kInPlaceOfValue.begin(), kInPlaceOfValue.end(), message) != kInPlaceOfValue.end();
}

}  // namespace velmoka::message
