#include "command_line/output.h"

#include "command_line/fields.h"
#include "command_line/trimmed.h"
#include "text_rules/messages.h"
#include "text_rules/picture_format.h"
#include "text_rules/typed_value.h"

#include <algorithm>
#include <array>

namespace velmoka::command_line {

namespace {

constexpr std::array<std::string_view, 2> kLeadingKeys = {"command", "units"};
constexpr std::array<std::string_view, 3> kEndingKeys = {"status", "message", "box"};

// What a box shows, as the output gives it.
struct ShownValue {
    std::string_view text;  // a number as the box shows it without its blanks; a message trimmed
    bool number;
};

// Numbers: a value given, in its shortest form, or a number as its picture shows it without its
// blanks ("  49.89" gives 49.89, "-  5.00" gives -5.00); messages trimmed. A number is written
// into room.
ShownValue shown_value(const ShownBox& box, std::array<char, kLongestPictureText>& room) {
    switch (box.kind) {
        case ShownBox::Kind::typed:
            return {std::string_view(room.data(), write_typed_value(room.data(), box.value)), true};
        case ShownBox::Kind::picture: {
            Picture without_blanks = box.picture;
            without_blanks.leading_blanks = 0;
            return {std::string_view(room.data(), write_picture(room.data(), box.value, without_blanks)), true};
        }
        case ShownBox::Kind::opening:
        case ShownBox::Kind::message:
            break;
    }
    // The opening texts and the two repairs are numbers, blanks only around them.
    return {trimmed(box.fixed_text), !message::stands_in_place_of_value(box.fixed_text)};
}

// One row of csv or json, field by field in the order of the keys.
class RowText {
public:
    RowText(std::string& out, Format format) : out_(out), json_(format == Format::json) {
        if (json_) {
            out_ += '{';
        }
    }

    // null is nothing at all in csv.
    void null_field(std::string_view key) {
        start(key);
        if (json_) {
            out_ += "null";
        }
    }

    void number_field(std::string_view key, std::string_view number) {
        start(key);
        out_ += number;
    }

    void text_field(std::string_view key, std::string_view text) {
        start(key);
        if (json_) {
            append_json_string(text);
        } else {
            append_csv_text(text);
        }
    }

    void end() { out_ += json_ ? "}\n" : "\n"; }

private:
    // The separator and, in json, the key of a field.
    void start(std::string_view key) {
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
void append_text(std::string& out, const Design& design, const PressedDesign& pressed) {
    constexpr std::size_t kCaptionWidth = 26;
    constexpr std::size_t kValueWidth = 12;
    const std::string_view units = name_of(design.units);
    out += name_of_command(design.command).caption;
    out += ", dimensions in ";
    out += units;
    out += '\n';
    std::array<char, kLongestPictureText> room;
    for (const BoxField& box : kBoxFields) {
        const std::string_view value = shown_value(pressed.boxes[box.box], room).text;
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
    const Ending& ending = pressed.ending;
    if (ending.status == Status::ok) {
        out += "Ran to its end.\n";
        return;
    }
    out += ending.status == Status::stopped ? "Stopped at \"" : "Ran to its end, incomplete: \"";
    out += trimmed(ending.message->message);
    out += "\" in ";
    out += field_of(ending.message->box).caption;
    out += ".\n";
}

}  // namespace

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

void append_result(std::string& out, Format format, const Design& design, const PressedDesign& pressed,
                   std::uint64_t row) {
    if (format == Format::text) {
        out += row == 0 ? "" : "\n";
        return append_text(out, design, pressed);
    }
    RowText text(out, format);
    text.text_field("command", name_of_command(design.command).word);
    text.text_field("units", name_of(design.units));
    std::array<char, kLongestPictureText> room;
    for (const BoxField& box : kBoxFields) {
        const ShownValue shown = shown_value(pressed.boxes[box.box], room);
        if (shown.number) {
            text.number_field(box.key, shown.text);
        } else {
            text.text_field(box.key, shown.text);
        }
    }
    text.text_field("status", name_of(pressed.ending.status));
    if (const std::optional<Stop>& message = pressed.ending.message) {
        text.text_field("message", trimmed(message->message));
        text.text_field("box", field_of(message->box).key);
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
