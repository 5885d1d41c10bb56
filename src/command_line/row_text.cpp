#include "command_line/row_text.h"

#include "text_rules/trimmed.h"

#include <algorithm>

namespace velmoka::command_line {

RowText::RowText(std::string& out, Format format) : out_(out), json_(format == Format::json) {
    if (json_) {
        put('{');
    }
}

void RowText::text_field(std::string_view key, std::string_view text) {
    start(key);
    if (json_) {
        put_json_string(text);
    } else {
        put_csv_text(text);
    }
}

void RowText::put_long(std::string_view text) {
    flush();
    if (text.size() > row_.size()) {
        out_ += text;
        return;
    }
    at_ = std::copy(text.begin(), text.end(), at_);
}

void RowText::put_json_string(std::string_view text) {
    constexpr std::string_view kHexDigits = "0123456789abcdef";
    put('"');
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            put('\\');
            put(c);
        } else if (static_cast<unsigned char>(c) < 0x20) {
            put("\\u00");
            put(kHexDigits[static_cast<unsigned char>(c) >> 4]);
            put(kHexDigits[static_cast<unsigned char>(c) & 0xf]);
        } else {
            put(c);
        }
    }
    put('"');
}

// Quoted only where a reader would take it apart otherwise: a comma, a quote, a line end, or
// blanks at either end.
void RowText::put_csv_text(std::string_view text) {
    const bool quoted = text.find_first_of(",\"\r\n") != std::string_view::npos || trimmed(text).size() != text.size();
    if (!quoted) {
        put(text);
        return;
    }
    put('"');
    for (const char c : text) {
        put(c);
        if (c == '"') {
            put('"');
        }
    }
    put('"');
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
    text.word_field("status", "error");
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
