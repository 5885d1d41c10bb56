#pragma once

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

}  // namespace velmoka::message
