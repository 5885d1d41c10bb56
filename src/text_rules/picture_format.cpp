#include "text_rules/picture_format.h"

#include "text_rules/decimal_units.h"
#include "text_rules/leading_numeric.h"
#include "text_rules/messages.h"
#include "text_rules/nearest_units.h"

#define FMT_HEADER_ONLY
#include <fmt/compile.h>
#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

namespace velmoka {

namespace {

// A value keeps this many significant digits, as many as a double holds faithfully, before it
// is rounded to a picture's decimals; so 2.675 shows as 2.68 although its double lies below.
constexpr int kSignificantDigits = 15;

// "d." + 14 digits + "e-308" at most.
constexpr std::size_t kScientificTextRoom = 32;

// Taking a magnitude to 15 significant digits moves it by at most half a unit of its 15th
// digit: less than this share of the magnitude, with a factor of two to spare. Within that of
// a half unit of the last decimal, the 15-digit rounding decides, and the digits are worked out.
constexpr double kSignificantRoundingShare = 1e-14;

// The shown magnitude as a count of units of the picture's last decimal (49.89 at two decimals
// is 4989), where the nearest unit is the result of both roundings.
std::optional<std::uint64_t> quick_shown_units(double magnitude, int decimals) {
    return nearest_units(magnitude, decimals, kSignificantRoundingShare);
}

// A non-negative decimal number: its digits times ten to the power of the last digit. The first
// digit is non-zero unless the number is zero; positions outside the digits hold zeros.
class ScaledDigits {
public:
    // The magnitude rounded to kSignificantDigits digits.
    static ScaledDigits significant_digits_of(double magnitude) {
        std::array<char, kScientificTextRoom> text;
        const char* const end = fmt::format_to(text.data(), FMT_COMPILE("{:.14e}"), magnitude);
        ScaledDigits number;
        number.count_ = kSignificantDigits;
        number.digits_[0] = text[0];
        std::copy_n(&text[2], kSignificantDigits - 1, &number.digits_[1]);
        const char* const exponent_sign = &text[kSignificantDigits + 2];
        int exponent = 0;
        std::from_chars(exponent_sign + 1, end, exponent);
        number.last_power_ = (*exponent_sign == '-' ? -exponent : exponent) - (kSignificantDigits - 1);
        return number;
    }

    // Rounds to the given number of decimals, halves away from zero.
    void round_to_decimals(int decimals) {
        const int dropped = -decimals - last_power_;
        if (dropped <= 0) {
            return;
        }
        const int kept = count_ - dropped;
        const bool round_up = kept >= 0 && digits_[kept] >= '5';
        count_ = std::max(kept, 0);
        last_power_ = -decimals;
        if (round_up) {
            increment_last_digit();
        }
    }

    [[nodiscard]] bool is_zero() const { return count_ == 0 || digits_[0] == '0'; }

    [[nodiscard]] int first_power() const { return last_power_ + count_ - 1; }

    [[nodiscard]] char digit_at(int power) const {
        const int index = first_power() - power;
        return index >= 0 && index < count_ ? digits_[index] : '0';
    }

private:
    void increment_last_digit() {
        for (int index = count_ - 1; index >= 0; --index) {
            if (digits_[index] != '9') {
                ++digits_[index];
                return;
            }
            digits_[index] = '0';
        }
        // Every digit was a nine: the number becomes a one followed by zeros.
        last_power_ += count_;
        digits_[0] = '1';
        count_ = 1;
    }

    std::array<char, kSignificantDigits> digits_;
    int count_ = 0;
    int last_power_ = 0;
};

// The text of a finite value under a picture from its 15 significant digits, rounded.
std::size_t write_significant_digits(char* out, double value, Picture picture) {
    ScaledDigits number = ScaledDigits::significant_digits_of(std::fabs(value));
    number.round_to_decimals(picture.decimals);
    char* end = out;
    if (std::signbit(value) && !number.is_zero()) {
        *end++ = '-';
    }
    end = std::fill_n(end, picture.leading_blanks, ' ');
    for (int power = std::max(number.first_power(), 0); power >= 0; --power) {
        *end++ = number.digit_at(power);
    }
    *end++ = '.';
    for (int power = -1; power >= -picture.decimals; --power) {
        *end++ = number.digit_at(power);
    }
    return static_cast<std::size_t>(end - out);
}

}  // namespace

std::size_t write_picture(char* out, double value, Picture picture) {
    if (!std::isfinite(value)) {
        return static_cast<std::size_t>(std::copy(message::kInfinity.begin(), message::kInfinity.end(), out) - out);
    }
    if (const std::optional<std::uint64_t> units = quick_shown_units(std::fabs(value), picture.decimals)) {
        return write_decimal_units(out, std::signbit(value) && *units != 0, *units, picture);
    }
    return write_significant_digits(out, value, picture);
}

std::string format_picture(double value, Picture picture) {
    std::array<char, kLongestPictureText> text;
    return std::string(text.data(), write_picture(text.data(), value, picture));
}

double picture_reading(double value, Picture picture) {
    if (!std::isfinite(value)) {
        return 0.0;  // " infinity" reads 0
    }
    if (const std::optional<double> shown = nearest_decimal(value, picture.decimals, kSignificantRoundingShare)) {
        return *shown;
    }
    std::array<char, kLongestPictureText> text;
    return leading_numeric(std::string_view(text.data(), write_picture(text.data(), value, picture)));
}

}  // namespace velmoka
