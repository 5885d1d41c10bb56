#include "command_line/decimal.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace velmoka::command_line {

std::optional<double> strict_decimal(std::string_view text) {
    double value = 0.0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

int decimals_shown(std::string_view text) {
    const std::size_t exponent_at = text.find_first_of("eE");
    const std::string_view mantissa = text.substr(0, exponent_at);
    const std::size_t point = mantissa.find('.');
    const int fraction_digits = point == std::string_view::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
    int exponent = 0;
    if (exponent_at != std::string_view::npos) {
        std::string_view digits = text.substr(exponent_at + 1);
        // from_chars takes no '+'; an exponent too large for an int shows no decimals either way.
        if (digits.starts_with('+')) {
            digits.remove_prefix(1);
        }
        std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
    }
    return std::max(0, fraction_digits - exponent);
}

}  // namespace velmoka::command_line
