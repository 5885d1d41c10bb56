#include "command_line/swept_values.h"

#include "command_line/decimal.h"
#include "text_rules/nearest_units.h"
#include "text_rules/trimmed.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace velmoka::command_line {

namespace {

// STOP counts as reached when it lies within this share of a step beyond the last step.
constexpr double kStepRounding = 1e-9;
// More steps than any sweep can run.
constexpr double kMostSteps = 1e15;
// Decimals enough for any double's digits beyond the smallest normal number, 2.2e-308.
constexpr int kMostDecimals = 330;
// Room for the longest text of a step: a minus, 309 integer digits, the point, the decimals.
constexpr std::size_t kLongestStep = 2 + 309 + kMostDecimals;

// A list of two whole numbers with no blank after its comma, such as 4,5, reads as well as the
// number 4.5 written with a decimal comma: it is refused rather than run as two values.
bool decimal_comma_or_list(std::string_view given) {
    const std::size_t comma = given.find(',');
    const auto digits = [](std::string_view text) {
        return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    std::string_view whole = given.substr(0, comma);
    if (whole.starts_with('-')) {
        whole.remove_prefix(1);
    }
    return comma != std::string_view::npos && digits(whole) && digits(given.substr(comma + 1));
}

double decimal_or_throw(std::string_view option, std::string_view text) {
    const std::optional<double> value = strict_decimal(text);
    if (!value) {
        throw UsageError(std::string(option) + ": '" + std::string(text) + "' is not a decimal number");
    }
    return *value;
}

}  // namespace

SweptValues SweptValues::read(std::string_view option, std::string_view given) {
    SweptValues values;
    if (decimal_comma_or_list(given)) {
        const std::string text(given);
        const std::string point = text.substr(0, text.find(',')) + "." + text.substr(text.find(',') + 1);
        throw UsageError(std::string(option) + ": '" + text + "' is either " + point +
                         " written with a decimal comma or a list of two values: write " + point +
                         " for the number, or put a blank after the comma ('" + text.substr(0, text.find(',')) + ", " +
                         text.substr(text.find(',') + 1) + "') for the list");
    }
    if (given.find(':') == std::string_view::npos) {
        for (std::size_t start = 0;;) {
            const std::size_t comma = std::min(given.find(',', start), given.size());
            const std::string_view text = trimmed(given.substr(start, comma - start));
            values.listed_.push_back(decimal_or_throw(option, text));
            if (comma == given.size()) {
                return values;
            }
            start = comma + 1;
        }
    }

    std::array<std::string_view, 3> parts;  // start, stop, step
    std::size_t start = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::size_t colon = i + 1 < parts.size() ? given.find(':', start) : given.size();
        if (colon == std::string_view::npos) {
            throw UsageError(std::string(option) + ": '" + std::string(given) + "' is not START:STOP:STEP");
        }
        parts[i] = given.substr(start, colon - start);
        start = colon + 1;
    }
    values.start_ = decimal_or_throw(option, parts[0]);
    const double stop = decimal_or_throw(option, parts[1]);
    values.step_ = decimal_or_throw(option, parts[2]);
    const double steps_to_stop = (stop - values.start_) / values.step_;
    if (values.step_ == 0.0 || !(steps_to_stop > -kStepRounding) || !(steps_to_stop < kMostSteps)) {
        throw UsageError(std::string(option) + ": " + std::string(given) + " does not step from START to STOP");
    }
    values.steps_ = static_cast<std::uint64_t>(std::floor(steps_to_stop + kStepRounding)) + 1;
    values.decimals_ = std::min(kMostDecimals, std::max(decimals_shown(parts[0]), decimals_shown(parts[2])));
    return values;
}

double SweptValues::value(std::uint64_t index) const {
    if (!listed_.empty()) {
        return listed_[index];
    }
    const double value = start_ + static_cast<double>(index) * step_;
    // The step's text has decimals_ decimals, and reads back as the double nearest that
    // decimal: where the nearest unit of the last decimal is plain, it is found without the text.
    if (const std::optional<double> shown = nearest_decimal(value, decimals_, 0.0)) {
        return *shown;
    }
    std::array<char, kLongestStep> room;
    const auto [end, error] =
        std::to_chars(room.data(), room.data() + room.size(), value, std::chars_format::fixed, decimals_);
    // A step lies between START and STOP, so its text is a finite decimal; one that lands a
    // rounding error below zero reads 0, not -0.
    const double written = *strict_decimal(std::string_view(room.data(), end));
    return written == 0.0 ? 0.0 : written;
}

}  // namespace velmoka::command_line
