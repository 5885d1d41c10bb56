#pragma once

#include <cstddef>

namespace velmoka {

// Room for the text of any finite double typed into a box (24 characters at most), with the
// fixed-length copy its digits are written by.
inline constexpr std::size_t kLongestTypedText = 40;

// The text a finite value takes when it is typed into a box: the shortest decimal that reads
// back as the value, written as Python writes a float without its ".0" (70, 0.0001, 1e-05,
// 1e+16). Written into out, which has room for kLongestTypedText characters; returns its length.
std::size_t write_typed_value(char* out, double value);

}  // namespace velmoka
