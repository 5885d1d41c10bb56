// Any bytes as the text of a box. The leading-numeric rule must read a finite number, the one
// the C library's reader gives for the same number written in its own forms; and a number
// written with any picture must have the picture's form and read back as the number rounded to
// the picture's decimals. The numbers written are the one read and, from the first eight bytes,
// any double at all, NaN and infinities included.

#include "text_rules/leading_numeric.h"
#include "text_rules/picture_format.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

using velmoka::format_picture;
using velmoka::leading_numeric;

namespace {

struct Picture {
    const char* text;
    std::size_t leading_blanks;
    int decimals;
};

constexpr std::array<Picture, 8> kPictures = {{
    {"  ##0.00", 2, 2},
    {"  ###0.00", 2, 2},
    {" ###0.00", 1, 2},
    {"  ##0.000", 2, 3},
    {"  ###0.000", 2, 3},
    {"  #0.0000", 2, 4},
    {"  ##0.0000", 2, 4},
    {"  ###0.0000", 2, 4},
}};

// Significant digits a written number keeps before it is rounded to the picture's decimals.
constexpr int kSignificantDigits = 15;

[[noreturn]] void fail(const std::string& what, std::string_view text) {
    std::fprintf(stderr, "%s\n  text: \"%.*s\"\n", what.c_str(),
                 static_cast<int>(std::min<std::size_t>(text.size(), 200)), text.data());
    std::abort();
}

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// What the C library reads, saturated as the window saturates: past the largest double a
// number reads as the largest double.
double c_library_reading(const std::string& text) {
    const double value = std::strtod(text.c_str(), nullptr);
    return std::isinf(value) ? std::copysign(DBL_MAX, value) : value;
}

// The text with its blanks taken out: the same number for the window's rule.
std::string compacted(std::string_view text) {
    std::string compact;
    for (char c : text) {
        if (!is_blank(c)) {
            compact += c;
        }
    }
    return compact;
}

// The digits of an octal integer as hexadecimal digits of the same value.
std::string octal_as_hexadecimal(const std::string& octal) {
    std::string bits;
    for (char digit : octal) {
        const int value = digit - '0';
        bits += {char('0' + ((value >> 2) & 1)), char('0' + ((value >> 1) & 1)), char('0' + (value & 1))};
    }
    bits.insert(0, (4 - bits.size() % 4) % 4, '0');
    std::string hexadecimal;
    for (std::size_t i = 0; i < bits.size(); i += 4) {
        const int nibble =
            (bits[i] - '0') * 8 + (bits[i + 1] - '0') * 4 + (bits[i + 2] - '0') * 2 + (bits[i + 3] - '0');
        hexadecimal += "0123456789abcdef"[nibble];
    }
    return hexadecimal;
}

// &H and &O integers, read by the C library as a hexadecimal floating constant.
double radix_reference(const std::string& after_ampersand) {
    if (after_ampersand.empty()) {
        return 0.0;
    }
    const char kind = after_ampersand[0];
    const bool hexadecimal = kind == 'h' || kind == 'H';
    const bool octal = kind == 'o' || kind == 'O';
    std::string digits;
    for (std::size_t i = 1; i < after_ampersand.size(); ++i) {
        const char c = after_ampersand[i];
        const bool fits = hexadecimal ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : (c >= '0' && c <= '7');
        if (!fits) {
            break;
        }
        digits += c;
    }
    if ((!hexadecimal && !octal) || digits.empty()) {
        return 0.0;
    }
    return c_library_reading("0x" + (octal ? octal_as_hexadecimal(digits) : digits));
}

double reference_reading(std::string_view text) {
    const std::string compact = compacted(text);
    if (!compact.empty() && compact[0] == '&') {
        return radix_reference(compact.substr(1));
    }
    // The exponent letter D as the C library's E; then only the characters of a decimal
    // number, so the C library sees no "inf", "nan" or "0x".
    std::string decimal = compact;
    std::replace_if(
        decimal.begin(), decimal.end(), [](char c) { return c == 'd' || c == 'D'; }, 'e');
    return c_library_reading(decimal.substr(0, decimal.find_first_not_of("0123456789+-.eE")));
}

void check_reading(std::string_view text) {
    const double value = leading_numeric(text);
    if (!std::isfinite(value)) {
        fail("read a value that is not finite", text);
    }
    const double reference = reference_reading(text);
    if (value != reference) {
        fail("read " + std::to_string(value) + ", the C library reads " + std::to_string(reference), text);
    }
}

// The unsigned number of a written text as the C library reads and prints it.
std::string printed(double magnitude, int decimals) {
    const int length = std::snprintf(nullptr, 0, "%.*f", decimals, magnitude);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%.*f", decimals, magnitude);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void check_written(double value, const Picture& picture, std::string_view input) {
    const std::string text = format_picture(value, picture.text);
    const auto fail_with = [&](const char* what) {
        char number[64];
        std::snprintf(number, sizeof number, "%.17g", value);
        fail(std::string(what) + ": " + number + " under \"" + picture.text + "\" wrote \"" + text + "\"", input);
    };
    if (!std::isfinite(value)) {
        if (text != " infinity") {
            fail_with("a value that is not finite must show \" infinity\"");
        }
        return;
    }

    // Form: [-] blanks (0 | [1-9][0-9]*) . decimals
    const bool minus = !text.empty() && text[0] == '-';
    const std::size_t blanks_start = minus ? 1 : 0;
    if (text.compare(blanks_start, picture.leading_blanks, std::string(picture.leading_blanks, ' ')) != 0) {
        fail_with("the picture's leading blanks are missing");
    }
    const std::string shown = text.substr(blanks_start + picture.leading_blanks);
    const std::size_t point = shown.find('.');
    const bool well_formed = point != std::string::npos && point > 0 && (shown[0] != '0' || point == 1) &&
                             shown.size() - point - 1 == static_cast<std::size_t>(picture.decimals) &&
                             shown.find_first_not_of("0123456789.") == std::string::npos &&
                             shown.find('.', point + 1) == std::string::npos;
    if (!well_formed) {
        fail_with("not in the picture's form");
    }
    const bool shows_nonzero = shown.find_first_of("123456789") != std::string::npos;
    if (minus != (std::signbit(value) && shows_nonzero)) {
        fail_with("a minus sign belongs exactly before a negative value that does not show as zero");
    }

    // Round trip: the text reads back as the value rounded to the picture's decimals, after
    // the value was taken to 15 significant digits.
    const double magnitude = std::fabs(value);
    const double read_back = std::fabs(leading_numeric(text));
    const double decimal_step = std::pow(10.0, -picture.decimals);
    const double significant_step =
        magnitude > 0.0 ? std::pow(10.0, std::floor(std::log10(magnitude)) - (kSignificantDigits - 1)) : 0.0;
    const double slack = 4.0 * (std::nextafter(magnitude, HUGE_VAL) - magnitude);
    if (!(std::fabs(read_back - magnitude) <= 0.5 * decimal_step + 0.5 * significant_step + slack)) {
        fail_with("reads back further from the value than its rounding allows");
    }
    // Where the decimals shown lie within the 15 significant digits, the text is the C
    // library's correctly rounded one, or at a tie the neighbour of it away from zero.
    if (significant_step < 0.1 * decimal_step) {
        const double printed_value = std::strtod(printed(magnitude, picture.decimals).c_str(), nullptr);
        if (read_back != printed_value) {
            const bool neighbour_away_from_zero =
                std::fabs(read_back - printed_value - decimal_step) <= 0.01 * decimal_step;
            const double tie = printed_value + 0.5 * decimal_step;
            if (!neighbour_away_from_zero || std::fabs(magnitude - tie) > significant_step + slack) {
                fail_with("differs from the correctly rounded decimals away from a tie");
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    check_reading(text);
    const double read = leading_numeric(text);
    for (const Picture& picture : kPictures) {
        check_written(read, picture, text);
    }
    if (size >= sizeof(double)) {
        double any;
        std::memcpy(&any, data, sizeof any);
        for (const Picture& picture : kPictures) {
            check_written(any, picture, text);
        }
    }
    return 0;
}
