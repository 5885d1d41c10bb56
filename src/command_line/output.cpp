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

// A number as its picture shows it, without the picture's blanks: "  49.89" gives 49.89, and
// "-  5.00" gives -5.00.
Picture without_blanks(Picture picture) {
    picture.leading_blanks = 0;
    return picture;
}

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
        case ShownBox::Kind::picture:
            return {std::string_view(room.data(), write_picture(room.data(), box.value, without_blanks(box.picture))),
                    true};
        case ShownBox::Kind::opening:
        case ShownBox::Kind::message:
            break;
    }
    // The opening texts and the two repairs are numbers, blanks only around them.
    return {trimmed(box.fixed_text), !message::stands_in_place_of_value(box.fixed_text)};
}

// One row of csv or json, field by field in the order of the keys. The row is written into a
// buffer of its own and appended to the output whole, since a million rows are a million
// times the few dozen appends of one.
class RowText {
public:
    RowText(std::string& out, Format format) : out_(out), json_(format == Format::json) {
        if (json_) {
            put('{');
        }
    }

    // null is nothing at all in csv.
    void null_field(std::string_view key) {
        start(key);
        if (json_) {
            put("null");
        }
    }

    void number_field(std::string_view key, std::string_view number) {
        start(key);
        put(number);
    }

    void text_field(std::string_view key, std::string_view text) {
        start(key);
        if (json_) {
            put_json_string(text);
        } else {
            put_csv_text(text);
        }
    }

    // A word of the program's own (a command, units, a status, a key): nothing to quote.
    void word_field(std::string_view key, std::string_view word) {
        start(key);
        if (json_) {
            put('"');
            put(word);
            put('"');
        } else {
            put(word);
        }
    }

    // What a box shows: a number written in place, or a message.
    void box_field(std::string_view key, const ShownBox& box) {
        start(key);
        make_room(kLongestPictureText);
        switch (box.kind) {
            case ShownBox::Kind::typed:
                at_ += write_typed_value(at_, box.value);
                return;
            case ShownBox::Kind::picture:
                at_ += write_picture(at_, box.value, without_blanks(box.picture));
                return;
            case ShownBox::Kind::opening:  // a number, blanks only around it
                put(trimmed(box.fixed_text));
                return;
            case ShownBox::Kind::message:
                break;
        }
        const std::string_view message = trimmed(box.fixed_text);
        if (!message::stands_in_place_of_value(box.fixed_text)) {  // a repair, " 1.00" or " 0.00"
            put(message);
        } else if (json_) {
            put_json_string(message);
        } else {
            put_csv_text(message);
        }
    }

    void end() {
        put(json_ ? "}\n" : "\n");
        flush();
    }

private:
    // Room for the longest field but one: a picture's text of the largest double, or a message
    // with every character escaped.
    static constexpr std::size_t kRowRoom = 4 * kLongestPictureText;

    // The separator and, in json, the key of a field.
    void start(std::string_view key) {
        if (!first_) {
            put(',');
        }
        first_ = false;
        if (json_) {
            put('"');
            put(key);
            put("\":");
        }
    }

    void make_room(std::size_t characters) {
        if (static_cast<std::size_t>(row_.data() + row_.size() - at_) < characters) {
            flush();
        }
    }
    void flush() {
        out_.append(row_.data(), static_cast<std::size_t>(at_ - row_.data()));
        at_ = row_.data();
    }
    void put(char c) {
        make_room(1);
        *at_++ = c;
    }
    void put(std::string_view text) {
        make_room(text.size());
        if (text.size() > row_.size()) {
            out_ += text;
            return;
        }
        at_ = std::copy(text.begin(), text.end(), at_);
    }

    void put_json_string(std::string_view text) {
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

    // Quoted only where a reader would take it apart otherwise: a comma, a quote, a line end,
    // or blanks at either end.
    void put_csv_text(std::string_view text) {
        const bool quoted =
            text.find_first_of(",\"\r\n") != std::string_view::npos || trimmed(text).size() != text.size();
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

    std::string& out_;
    const bool json_;
    bool first_ = true;
    std::array<char, kRowRoom> row_;
    char* at_ = row_.data();
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
    text.word_field("command", name_of_command(design.command).word);
    text.word_field("units", name_of(design.units));
    for (const BoxField& box : kBoxFields) {
        text.box_field(box.key, pressed.boxes[box.box]);
    }
    text.word_field("status", name_of(pressed.ending.status));
    if (const std::optional<Stop>& message = pressed.ending.message) {
        text.text_field("message", trimmed(message->message));
        text.word_field("box", field_of(message->box).key);
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
    text.word_field("status", "error");
    text.text_field("message", message);
    text.null_field("box");
    text.end();
}

}  // namespace velmoka::command_line
