#pragma once

#include "text_rules/picture_format.h"

#include <cstddef>
#include <cstdint>

namespace velmoka {

// Room the text of a count of units needs past its sign and blanks: the digits are copied as one
// block of fixed length.
inline constexpr std::size_t kDecimalUnitsRoom = 32;

static_assert(kLongestPictureText >= 1 + 255 + kDecimalUnitsRoom, "any picture's text fits its room");

// The text of a number given as a count of units of its last decimal (4989 at two decimals is
// 49.89): a minus where asked, the picture's leading blanks, the integer digits (at least one),
// the point and the picture's decimals. out has room for 1 + leading blanks + kDecimalUnitsRoom
// characters; returns the text's length.
std::size_t write_decimal_units(char* out, bool minus, std::uint64_t units, Picture picture);

}  // namespace velmoka
