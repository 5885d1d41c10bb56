#include "text_rules/typed_value.h"

#include "text_rules/decimal_units.h"
#include "text_rules/nearest_units.h"

#define FMT_HEADER_ONLY
#include <fmt/compile.h>
#include <fmt/format.h>

#include <cmath>
#include <cstdint>
#include <optional>

namespace velmoka {

namespace {

// Decimals a value is tried at before the general search for its shortest digits: widths,
// heights and lengths typed or swept rarely show more.
constexpr int kQuickDecimals = 8;
// Below 10^15 units a decimal has at most 15 significant digits, and two such decimals are
// never nearest the same double: the one that reads back as the value is its shortest text.
constexpr double kMostQuickUnits = 1e15;
// The smallest magnitude written without an exponent.
constexpr double kSmallestPlainMagnitude = 1e-4;

// The value's text where it is a decimal of at most kQuickDecimals decimals and 15 significant
// digits, found by arithmetic alone: at the fewest decimals whose nearest count of units, divided
// by the power of ten, gives the value back. Both are exact doubles, so the quotient is the
// double nearest the decimal, as its text reads.
std::optional<std::size_t> write_short_decimal(char* out, double value) {
    const double magnitude = std::fabs(value);
    if (magnitude != 0.0 && !(magnitude >= kSmallestPlainMagnitude && magnitude < kMostQuickUnits)) {
        return std::nullopt;
    }
    for (int decimals = 0; decimals <= kQuickDecimals; ++decimals) {
        const double scale = exact_power_of_ten(decimals);
        const double scaled = magnitude * scale;
        if (!(scaled < kMostQuickUnits)) {
            return std::nullopt;
        }
        // The nearest whole number, by truncation of the scaled value plus a half: where a decimal
        // gives the value back, the scaled value lies far closer than a half to its units.
        const auto units = static_cast<double>(static_cast<std::int64_t>(scaled + 0.5));
        if (units / scale != magnitude) {
            continue;
        }
        Picture digits;
        digits.decimals = static_cast<std::uint8_t>(decimals);
        // -0 keeps its minus, as the general form writes it; a whole number has no point.
        const std::size_t length =
            write_decimal_units(out, std::signbit(value), static_cast<std::uint64_t>(units), digits);
        return decimals == 0 ? length - 1 : length;
    }
    return std::nullopt;
}

}  // namespace

std::size_t write_typed_value(char* out, double value) {
    if (const std::optional<std::size_t> length = write_short_decimal(out, value)) {
        return *length;
    }
    return static_cast<std::size_t>(fmt::format_to(out, FMT_COMPILE("{}"), value) - out);
}

}  // namespace velmoka
