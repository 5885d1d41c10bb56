#include "text_rules/leading_numeric.h"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace velmoka {

namespace {

constexpr double kLargestDouble = std::numeric_limits<double>::max();

// A correctly rounded double depends on at most 767 significant decimal digits; digits past
// this many only matter through whether any of them is non-zero.
constexpr std::size_t kKeptSignificantDigits = 800;

// Decimal exponents beyond this are out of every double's reach, however many digits the text
// holds, and stay far from the limits of std::int64_t.
constexpr std::int64_t kExponentCeiling = 1'000'000'000'000'000;

// Decimal orders of magnitude beyond which a value certainly saturates or reads 0: the largest
// double is below 1e309 and half the smallest subnormal is above 1e-325.
constexpr std::int64_t kOverflowOrder = 309;
constexpr std::int64_t kUnderflowOrder = -325;

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool is_decimal_digit(char c) {
    return c >= '0' && c <= '9';
}

char to_lower_ascii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The value of c as a digit of the given radix (up to 16), or -1 if it is none.
int digit_value(char c, int radix) {
    const char lower = to_lower_ascii(c);
    int value = -1;
    if (is_decimal_digit(lower)) {
        value = lower - '0';
    } else if (lower >= 'a' && lower <= 'f') {
        value = lower - 'a' + 10;
    }
    return value < radix ? value : -1;
}

// A code unit as the character the rule compares. No character outside ASCII is a blank or
// part of a number; in UTF-16 text each stands as '?'.
char rule_character(char c) {
    return c;
}
char rule_character(char16_t c) {
    return c < 0x80 ? static_cast<char>(c) : '?';
}

// Walks the text with every blank, tab and line feed taken out; '\0' stands for the end.
template <typename CodeUnit>
class Cursor {
public:
    explicit Cursor(std::basic_string_view<CodeUnit> text) : text_(text) { skip_blanks(); }

    [[nodiscard]] char current() const { return pos_ < text_.size() ? rule_character(text_[pos_]) : '\0'; }

    void advance() {
        ++pos_;
        skip_blanks();
    }

    // Steps over the current character if it is c, letters compared without case.
    bool accept(char c) {
        if (to_lower_ascii(current()) != c) {
            return false;
        }
        advance();
        return true;
    }

private:
    void skip_blanks() {
        while (pos_ < text_.size() && is_blank(rule_character(text_[pos_]))) {
            ++pos_;
        }
    }

    std::basic_string_view<CodeUnit> text_;
    std::size_t pos_ = 0;
};

// An unsigned integer in a power-of-two radix, correctly rounded. The leading bits are kept
// exactly in a 64-bit word, the rest counted as a binary exponent, and any non-zero bit lost
// on the way is folded into the lowest kept bit, far below the rounding position of a double.
template <typename CodeUnit>
double read_power_of_two_integer(Cursor<CodeUnit>& cursor, int bits_per_digit) {
    const int radix = 1 << bits_per_digit;
    const int headroom_shift = 64 - bits_per_digit;
    std::uint64_t leading_bits = 0;
    int dropped_bits = 0;
    bool dropped_nonzero = false;
    for (int digit = digit_value(cursor.current(), radix); digit >= 0; digit = digit_value(cursor.current(), radix)) {
        if ((leading_bits >> headroom_shift) == 0) {
            leading_bits = (leading_bits << bits_per_digit) | static_cast<std::uint64_t>(digit);
        } else {
            dropped_bits = std::min(dropped_bits + bits_per_digit, std::numeric_limits<double>::max_exponent);
            dropped_nonzero = dropped_nonzero || digit != 0;
        }
        cursor.advance();
    }
    if (dropped_nonzero) {
        leading_bits |= 1U;
    }
    return std::min(std::ldexp(static_cast<double>(leading_bits), dropped_bits), kLargestDouble);
}

// The significant digits of a decimal number, without leading zeros, and the power of ten of
// the last one: value = digits × 10^last_power. Digits beyond kKeptSignificantDigits are
// reduced to one trailing 1 when any of them is non-zero, which rounds the same way.
class DecimalDigits {
public:
    void add_integer_digit(char digit) {
        if (count_ == 0 && digit == '0') {
            return;
        }
        if (count_ < kKeptSignificantDigits) {
            digits_[count_++] = digit;
        } else {
            ++last_power_;
            note_dropped(digit);
        }
    }

    void add_fraction_digit(char digit) {
        if (count_ < kKeptSignificantDigits) {
            if (count_ > 0 || digit != '0') {
                digits_[count_++] = digit;
            }
            --last_power_;
        } else {
            note_dropped(digit);
        }
    }

    void scale_by_power_of_ten(std::int64_t exponent) { last_power_ += exponent; }

    // The magnitude as a correctly rounded double, saturated to the largest double.
    [[nodiscard]] double magnitude() {
        if (count_ == 0) {
            return 0.0;
        }
        const auto order = static_cast<std::int64_t>(count_) - 1 + last_power_;
        if (order >= kOverflowOrder) {
            return kLargestDouble;
        }
        if (order < kUnderflowOrder) {
            return 0.0;
        }
        return convert();
    }

private:
    void note_dropped(char digit) { dropped_nonzero_ = dropped_nonzero_ || digit != '0'; }

    double convert() {
        std::size_t length = count_;
        std::int64_t exponent = last_power_;
        if (dropped_nonzero_) {
            digits_[length++] = '1';
            --exponent;
        }
        digits_[length++] = 'e';
        char* const end = std::to_chars(&digits_[length], digits_.data() + digits_.size(), exponent).ptr;
        double value = 0.0;
        fast_float::from_chars(digits_.data(), end, value);
        // A magnitude just beyond the largest double reads as infinity: saturate it.
        return std::min(value, kLargestDouble);
    }

    static constexpr std::size_t kExponentTextRoom = 24;
    std::array<char, kKeptSignificantDigits + 1 + kExponentTextRoom> digits_;
    std::size_t count_ = 0;
    std::int64_t last_power_ = 0;
    bool dropped_nonzero_ = false;
};

// The digits of an exponent, saturating at kExponentCeiling.
template <typename CodeUnit>
std::int64_t read_exponent_digits(Cursor<CodeUnit>& cursor) {
    std::int64_t exponent = 0;
    for (; is_decimal_digit(cursor.current()); cursor.advance()) {
        exponent = std::min(exponent * 10 + (cursor.current() - '0'), kExponentCeiling);
    }
    return exponent;
}

// An exponent part: E or D, an optional sign and at least one digit. Without a digit the
// letter and sign are not part of the number, and the exponent is 0.
template <typename CodeUnit>
std::int64_t read_exponent(Cursor<CodeUnit>& cursor) {
    if (!cursor.accept('e') && !cursor.accept('d')) {
        return 0;
    }
    const bool negative = cursor.accept('-');
    if (!negative) {
        cursor.accept('+');
    }
    const std::int64_t exponent = read_exponent_digits(cursor);
    return negative ? -exponent : exponent;
}

template <typename CodeUnit>
double read_unsigned_decimal(Cursor<CodeUnit>& cursor) {
    DecimalDigits digits;
    bool has_digit = false;
    for (; is_decimal_digit(cursor.current()); cursor.advance()) {
        digits.add_integer_digit(cursor.current());
        has_digit = true;
    }
    if (cursor.accept('.')) {
        for (; is_decimal_digit(cursor.current()); cursor.advance()) {
            digits.add_fraction_digit(cursor.current());
            has_digit = true;
        }
    }
    if (!has_digit) {
        return 0.0;
    }
    digits.scale_by_power_of_ten(read_exponent(cursor));
    return digits.magnitude();
}

constexpr int kHexadecimalDigitBits = 4;
constexpr int kOctalDigitBits = 3;

// What follows an ampersand: H for a hexadecimal, O for an octal integer.
template <typename CodeUnit>
double read_radix_integer(Cursor<CodeUnit>& cursor) {
    if (cursor.accept('h')) {
        return read_power_of_two_integer(cursor, kHexadecimalDigitBits);
    }
    if (cursor.accept('o')) {
        return read_power_of_two_integer(cursor, kOctalDigitBits);
    }
    return 0.0;
}

template <typename CodeUnit>
double read_leading_numeric(std::basic_string_view<CodeUnit> text) {
    Cursor<CodeUnit> cursor(text);
    if (cursor.accept('&')) {
        return read_radix_integer(cursor);
    }
    const bool negative = cursor.accept('-');
    if (!negative) {
        cursor.accept('+');
    }
    const double magnitude = read_unsigned_decimal(cursor);
    return negative && magnitude != 0.0 ? -magnitude : magnitude;
}

}  // namespace

double leading_numeric(std::string_view text) {
    return read_leading_numeric(text);
}

double leading_numeric(std::u16string_view text) {
    return read_leading_numeric(text);
}

}  // namespace velmoka
