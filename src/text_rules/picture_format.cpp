#include "text_rules/picture_format.h"

#include "text_rules/messages.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>

namespace velmoka {

namespace {

// A value keeps this many significant digits, as many as a double holds faithfully, before it
// is rounded to a picture's decimals; so 2.675 shows as 2.68 although its double lies below.
constexpr int kSignificantDigits = 15;

// "d." + 14 digits + "e-308" at most.
constexpr std::size_t kScientificTextRoom = 32;

struct Picture {
    std::string_view leading_blanks;
    int decimals = 0;
    bool has_point = false;
};

// A picture is its leading blanks, '#' places, one '0' place, the point and '0' places.
Picture read_picture(std::string_view picture) {
    const std::size_t point = picture.find('.');
    Picture layout{picture.substr(0, picture.find_first_of("#0")), 0, point != std::string_view::npos};
    if (layout.has_point) {
        layout.decimals = static_cast<int>(picture.size() - point - 1);
    }
    return layout;
}

// A non-negative decimal number: its digits times ten to the power of the last digit. The first
// digit is non-zero unless the number is zero; positions outside the digits hold zeros.
class ScaledDigits {
public:
    // The magnitude rounded to kSignificantDigits digits.
    static ScaledDigits significant_digits_of(double magnitude) {
        std::array<char, kScientificTextRoom> text;
        const char* const end = std::to_chars(text.data(), text.data() + text.size(), magnitude,
                                              std::chars_format::scientific, kSignificantDigits - 1)
                                    .ptr;
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

}  // namespace

std::string format_picture(double value, std::string_view picture) {
    if (!std::isfinite(value)) {
        return std::string(message::kInfinity);
    }
    const Picture layout = read_picture(picture);
    ScaledDigits number = ScaledDigits::significant_digits_of(std::fabs(value));
    number.round_to_decimals(layout.decimals);
    const bool minus = std::signbit(value) && !number.is_zero();
    const int first_power = std::max(number.first_power(), 0);

    std::string text;
    text.reserve(static_cast<std::size_t>(minus) + layout.leading_blanks.size() +
                 static_cast<std::size_t>(first_power + 2 + layout.decimals));
    if (minus) {
        text += '-';
    }
    text += layout.leading_blanks;
    for (int power = first_power; power >= 0; --power) {
        text += number.digit_at(power);
    }
    if (layout.has_point) {
        text += '.';
    }
    for (int power = -1; power >= -layout.decimals; --power) {
        text += number.digit_at(power);
    }
    return text;
}

}  // namespace velmoka
