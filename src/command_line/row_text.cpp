#include "command_line/row_text.h"

#include "command_line/trimmed.h"

#include <algorithm>

namespace velmoka::command_line {

RowText::RowText(std::string& out, Format format) : out_(out), json_(format == Format::json) {
    if (json_) {
        out_ += '{';
    }
}

void RowText::null_field(std::string_view key) {
    start(key);
    if (json_) {
        out_ += "null";
    }
}

void RowText::number_field(std::string_view key, std::string_view number) {
    start(key);
    out_ += number;
}

void RowText::text_field(std::string_view key, std::string_view text) {
    start(key);
    if (json_) {
        append_json_string(text);
    } else {
        append_csv_text(text);
    }
}

void RowText::end() {
    out_ += json_ ? "}\n" : "\n";
}

void RowText::start(std::string_view key) {
    if (!first_) {
        out_ += ',';
    }
    first_ = false;
    if (json_) {
        out_ += '"';
        out_ += key;
        out_ += "\":";
    }
}

void RowText::append_json_string(std::string_view text) {
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

// Quoted only where a reader would take it apart otherwise: a comma, a quote, a line end, or
// blanks at either end.
void RowText::append_csv_text(std::string_view text) {
    const bool quoted = text.find_first_of(",\"\r\n") != std::string_view::npos || trimmed(text).size() != text.size();
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

void append_header_of(std::string& out, Format format, std::span<const std::string_view> keys) {
    if (format != Format::csv) {
        return;
    }
    for (const std::string_view key : keys) {
        out += key;
        out += ',';
    }
    for (const std::string_view key : kEndingKeys) {
        out += key;
        out += key == kEndingKeys.back() ? '\n' : ',';
    }
}

void append_error_row(std::string& out, Format format, std::span<const std::string_view> keys, std::string_view message,
                      std::uint64_t row) {
    if (format == Format::text) {
        out += row == 0 ? "" : "\n";
        out += message;
        out += '\n';
        return;
    }
    RowText text(out, format);
    for (const std::string_view key : keys) {
        text.null_field(key);
    }
    text.text_field("status", "error");
    text.text_field("message", message);
    text.null_field("box");
    text.end();
}

void append_captioned_line(std::string& out, std::string_view caption, std::string_view value, std::string_view unit) {
    constexpr std::size_t kCaptionWidth = 26;
    constexpr std::size_t kValueWidth = 12;
    const std::size_t line_start = out.size();
    out += "  ";
    out += caption;
    out.resize(std::max(out.size() + 1, line_start + kCaptionWidth), ' ');
    out.append(value.size() < kValueWidth ? kValueWidth - value.size() : 0, ' ');
    out += value;
    if (!unit.empty()) {
        out += "  ";
        out += unit;
    }
    out += '\n';
}

void append_ending_line(std::string& out, Status status, std::string_view message, std::string_view caption) {
    if (status == Status::ok) {
        out += "Ran to its end.\n";
        return;
    }
    out += status == Status::stopped ? "Stopped at \"" : "Ran to its end, incomplete: \"";
    out += message;
    out += '"';
    if (!caption.empty()) {
        out += " in ";
        out += caption;
    }
    out += ".\n";
}

}  // namespace velmoka::command_line
