#include "command_line/output.h"

#include "command_line/decimal.h"
#include "command_line/fields.h"
#include "command_line/trimmed.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace velmoka::command_line {

namespace {

constexpr std::array<std::string_view, 2> kLeadingKeys = {"command", "units"};
constexpr std::array<std::string_view, 3> kEndingKeys = {"status", "message", "box"};

bool is_digit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Whether text is a number under one of the window's pictures: an optional minus, blanks,
// digits, a point, digits, and nothing but blanks after them ("  49.89", "-  5.00").
bool is_picture_number(std::u16string_view text) {
    std::size_t at = text.starts_with(u'-') ? 1 : 0;
    if (at == text.size() || text[at] != u' ') {
        return false;
    }
    const std::u16string_view digits = trimmed(text.substr(at));
    const std::size_t point = digits.find(u'.');
    return point != std::u16string_view::npos && point > 0 && point + 1 < digits.size() &&
           std::all_of(digits.begin(), digits.begin() + static_cast<std::ptrdiff_t>(point), is_digit) &&
           std::all_of(digits.begin() + static_cast<std::ptrdiff_t>(point) + 1, digits.end(), is_digit);
}

// One row of csv or json, field by field in the order of the keys.
class RowText {
public:
    RowText(std::string& out, Format format) : out_(out), json_(format == Format::json) {
        if (json_) {
            out_ += '{';
        }
    }

    void null_field(std::string_view key) { start(key, "null"); }

    void number_field(std::string_view key, std::string_view number) { start(key, number); }

    void text_field(std::string_view key, std::string_view text) {
        start(key, {});
        if (json_) {
            append_json_string(text);
        } else {
            append_csv_text(text);
        }
    }

    void end() { out_ += json_ ? "}\n" : "\n"; }

private:
    // The separator and key of a field, then the value when it needs no quoting; null is
    // nothing at all in csv.
    void start(std::string_view key, std::string_view value) {
        if (!first_) {
            out_ += ',';
        }
        first_ = false;
        if (json_) {
            out_ += '"';
            out_ += key;
            out_ += "\":";
            out_ += value;
        } else if (value != "null") {
            out_ += value;
        }
    }

    void append_json_string(std::string_view text) {
        constexpr std::string_view kHexDigits = "0123456789abcdef";
        out_ += '"';
        for (const char c : text) {
            if (c == '"' || c == '\\') {
                out_ += '\\';
                out_ += c;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                out_ += "\\u00";
                out_ += kHexDigits[static_cast<unsigned char>(c) >> 4];
                out_ += kHexDigits[static_cast<unsigned char>(c) & 0xf];
            } else {
                out_ += c;
            }
        }
        out_ += '"';
    }

    // Quoted only where a reader would take it apart otherwise: a comma, a quote, a line end,
    // or blanks at either end.
    void append_csv_text(std::string_view text) {
        const bool quoted =
            text.find_first_of(",\"\r\n") != std::string_view::npos || trimmed(text).size() != text.size();
        if (!quoted) {
            out_ += text;
            return;
        }
        out_ += '"';
        for (const char c : text) {
            out_ += c;
            if (c == '"') {
                out_ += '"';
            }
        }
        out_ += '"';
    }

    std::string& out_;
    const bool json_;
    bool first_ = true;
};

// For people: each box with its caption and unit, the value right-aligned, and the ending.
void append_text(std::string& out, const Result& result) {
    constexpr std::size_t kCaptionWidth = 26;
    constexpr std::size_t kValueWidth = 12;
    const std::string_view units = name_of(result.calculator.units());
    out += name_of_command(result.command).caption;
    out += ", dimensions in ";
    out += units;
    out += '\n';
    std::string value;
    for (const BoxField& box : kBoxFields) {
        shown_value(result.calculator.text(box.box), value);
        const std::size_t line_start = out.size();
        out += "  ";
        out += box.caption;
        out.resize(std::max(out.size() + 1, line_start + kCaptionWidth), ' ');
        out.append(value.size() < kValueWidth ? kValueWidth - value.size() : 0, ' ');
        out += value;
        const std::string_view unit = box.dimension ? units : box.unit;
        if (!unit.empty()) {
            out += "  ";
            out += unit;
        }
        out += '\n';
    }
    if (result.stop) {
        out += "Stopped at \"";
        out += trimmed(result.stop->message);
        out += "\" in ";
        out += field_of(result.stop->box).caption;
        out += ".\n";
    } else {
        out += "Ran to its end.\n";
    }
}

}  // namespace

bool shown_value(std::u16string_view box_text, std::string& value) {
    value.clear();
    // Every text in a box here is ASCII: the opening texts, the decimal numbers given, and the
    // calculator's own pictures and messages.
    const bool picture = is_picture_number(box_text);
    for (const char16_t c : trimmed(box_text)) {
        if (!picture || c != u' ') {
            value += static_cast<char>(c);
        }
    }
    if (picture) {
        return true;
    }
    if (const std::optional<double> given = strict_decimal(value)) {
        std::array<char, 32> shortest;
        const auto [end, error] = std::to_chars(shortest.data(), shortest.data() + shortest.size(), *given);
        value.assign(shortest.data(), end);
        return true;
    }
    return false;
}

void append_header(std::string& out, Format format) {
    if (format != Format::csv) {
        return;
    }
    for (const std::string_view key : kLeadingKeys) {
        out += key;
        out += ',';
    }
    for (const BoxField& box : kBoxFields) {
        out += box.key;
        out += ',';
    }
    for (const std::string_view key : kEndingKeys) {
        out += key;
        out += key == kEndingKeys.back() ? '\n' : ',';
    }
}

void append_result(std::string& out, Format format, const Result& result, std::uint64_t row) {
    if (format == Format::text) {
        out += row == 0 ? "" : "\n";
        return append_text(out, result);
    }
    RowText text(out, format);
    text.text_field("command", name_of_command(result.command).word);
    text.text_field("units", name_of(result.calculator.units()));
    thread_local std::string value;
    for (const BoxField& box : kBoxFields) {
        if (shown_value(result.calculator.text(box.box), value)) {
            text.number_field(box.key, value);
        } else {
            text.text_field(box.key, value);
        }
    }
    text.text_field("status", result.stop ? "stopped" : "ok");
    if (result.stop) {
        text.text_field("message", trimmed(result.stop->message));
        text.text_field("box", field_of(result.stop->box).key);
    } else {
        text.null_field("message");
        text.null_field("box");
    }
    text.end();
}

void append_error(std::string& out, Format format, std::string_view message, std::uint64_t row) {
    if (format == Format::text) {
        out += row == 0 ? "" : "\n";
        out += message;
        out += '\n';
        return;
    }
    RowText text(out, format);
    for (const std::string_view key : kLeadingKeys) {
        text.null_field(key);
    }
    for (const BoxField& box : kBoxFields) {
        text.null_field(box.key);
    }
    text.text_field("status", "error");
    text.text_field("message", message);
    text.null_field("box");
    text.end();
}

}  // namespace velmoka::command_line
