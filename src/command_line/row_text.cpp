#include "command_line/row_text.h"

#include "text_rules/trimmed.h"

namespace velmoka::command_line {

namespace {

constexpr std::string_view kWarningsJoint = "; ";

}  // namespace

// Quoted only where a reader would take it apart otherwise: a comma, a quote, a line end, or
// blanks at either end.
void CsvRow::text(std::string_view, std::string_view text) {
    start();
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

void CsvRow::texts(std::string_view key, std::span<const std::string_view> texts) {
    std::string joined;
    for (const std::string_view text : texts) {
        joined += joined.empty() ? "" : kWarningsJoint;
        joined += text;
    }
    text(key, joined);
}

void JsonRow::texts(std::string_view key, std::span<const std::string_view> texts) {
    json_.key(key).open_list();
    for (const std::string_view text : texts) {
        json_.string(text);
    }
    json_.close_list();
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

void append_ending_lines(std::string& out, const Verdict& verdict, std::string_view message, std::string_view caption,
                         std::span<const std::string_view> warnings) {
    for (const std::string_view warning : warnings) {
        out += "Warning: ";
        out += warning;
        out += ".\n";
    }
    if (verdict.status == Status::ok) {
        out += "Ran to its end.\n";
        return;
    }
    out += verdict.status == Status::stopped ? "Stopped at \"" : "Ran to its end, incomplete: \"";
    out += message;
    out += '"';
    if (!caption.empty()) {
        out += " in ";
        out += caption;
    }
    out += ".\n";
}

}  // namespace velmoka::command_line
