#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmoka {

// A picture of the window such as "  ##0.00": leading blanks, '#' places, one '0' place, the
// point and '0' places. The text it gives depends only on its blanks and its decimals, since
// every integer digit is shown however few places the picture has.
struct Picture {
    constexpr Picture() = default;
    constexpr Picture(std::string_view picture)
        : leading_blanks(static_cast<std::uint8_t>(std::min(picture.find_first_of("#0"), picture.size()))),
          decimals(static_cast<std::uint8_t>(
              picture.find('.') == std::string_view::npos ? 0 : picture.size() - picture.find('.') - 1)) {}
    constexpr Picture(const char* picture) : Picture(std::string_view(picture)) {}

    std::uint8_t leading_blanks = 0;
    std::uint8_t decimals = 0;

    bool operator==(const Picture&) const = default;
};

// Room for the longest text of any picture: a minus, blanks, the 309 integer digits of the
// largest double, the point and the decimals.
inline constexpr std::size_t kLongestPictureText = 400;

// The text of value under a picture: the picture's leading blanks, every integer digit, a full
// stop and the picture's decimals. The value is first rounded to 15 significant digits, then to
// those decimals, halves away from zero. A minus sign goes before the blanks, and only when the
// shown digits are not all zero. A value that is not finite is written as the message
// " infinity".
std::string format_picture(double value, Picture picture);

// The same text written into out, which has room for kLongestPictureText characters; returns
// its length. Nothing is allocated.
std::size_t write_picture(char* out, double value, Picture picture);

// The number the text of value under picture reads as by the leading-numeric rule (the value
// as shown, rounded; 0 for " infinity"), worked out without forming the text.
double picture_reading(double value, Picture picture);

}  // namespace velmoka
