#include "text_rules/decimal_units.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace velmoka {

namespace {

// "00" to "99": digits are formed two at a time, halving the divisions.
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t pair = 0; pair < 100; ++pair) {
        pairs[2 * pair] = static_cast<char>('0' + pair / 10);
        pairs[2 * pair + 1] = static_cast<char>('0' + pair % 10);
    }
    return pairs;
}();

}  // namespace

std::size_t write_decimal_units(char* out, bool minus, std::uint64_t units, Picture picture) {
    const auto next_pair = [&units] {
        const char* const pair = &kDigitPairs[2 * (units % 100)];
        units /= 100;
        return pair;
    };
    // The digits and the point, formed from the last back into the first half of a buffer
    // twice as long as the longest: 20 integer digits, or 22 decimals, a 0 and the point. The
    // whole half is then copied at once, a copy of fixed length, cheaper than one of the text's.
    std::array<char, 2 * kDecimalUnitsRoom> text;
    char* const last = text.data() + kDecimalUnitsRoom;
    char* first = last;
    if (picture.decimals % 2 != 0) {
        *--first = static_cast<char>('0' + units % 10);
        units /= 10;
    }
    for (int pair = 0; pair < picture.decimals / 2; ++pair) {
        first = std::copy_n(next_pair(), 2, first - 2) - 2;
    }
    *--first = '.';
    while (units >= 100) {
        first = std::copy_n(next_pair(), 2, first - 2) - 2;
    }
    if (units >= 10) {
        first = std::copy_n(next_pair(), 2, first - 2) - 2;
    } else {
        *--first = static_cast<char>('0' + units);
    }
    char* end = out;
    if (minus) {
        *end++ = '-';
    }
    end = std::fill_n(end, picture.leading_blanks, ' ');
    std::memcpy(end, first, kDecimalUnitsRoom);
    return static_cast<std::size_t>(end - out) + static_cast<std::size_t>(last - first);
}

}  // namespace velmoka
