#include "command_line/output.h"

#include "command_line/command_line.h"
#include "command_line/fields.h"
#include "text_rules/messages.h"
#include "text_rules/picture_format.h"
#include "text_rules/trimmed.h"
#include "text_rules/typed_value.h"

#include <array>

namespace velmoka::command_line {

namespace {

// The keys of a row's values: the command and units of its run, then the boxes.
constexpr std::array<std::string_view, 2 + kBoxCount> kValueKeys = [] {
    std::array<std::string_view, 2 + kBoxCount> keys = {"command", "units"};
    for (std::size_t i = 0; i < kBoxCount; ++i) {
        keys[2 + i] = kBoxFields[i].key;
    }
    return keys;
}();

// What a box shows, as the output gives it.
struct ShownValue {
    std::string_view text;  // a number as the box shows it without its blanks; a message trimmed
    bool number;
};

// A number as its picture shows it, without the picture's blanks: "  49.89" gives 49.89, and
// "-  5.00" gives -5.00.
Picture without_blanks(Picture picture) {
    picture.leading_blanks = 0;
    return picture;
}

// Numbers: a value given, in its shortest form, or a number as its picture shows it without its
// blanks; messages trimmed. A number is written into room.
ShownValue shown_value(const ShownBox& box, std::array<char, kLongestPictureText>& room) {
    switch (box.kind) {
        case ShownBox::Kind::typed:
            return {std::string_view(room.data(), write_typed_value(room.data(), box.value)), true};
        case ShownBox::Kind::picture:
            return {std::string_view(room.data(), write_picture(room.data(), box.value, without_blanks(box.picture))),
                    true};
        case ShownBox::Kind::opening:  // a number, blanks only around it
            return {trimmed(box.fixed_text), true};
        case ShownBox::Kind::message:
            break;
    }
    // The two repairs, " 1.00" and " 0.00", are numbers too.
    return {trimmed(box.fixed_text), !message::stands_in_place_of_value(box.fixed_text)};
}

// For people: each box with its caption and unit, the value right-aligned, and the ending.
void append_text(std::string& out, const Design& design, const PressedDesign& pressed) {
    const std::string_view units = name_of(design.units);
    out += name_of_command(design.command).caption;
    out += ", dimensions in ";
    out += units;
    out += '\n';
    std::array<char, kLongestPictureText> room;
    for (const BoxField& box : kBoxFields) {
        append_captioned_line(out, box.caption, shown_value(pressed.boxes[box.box], room).text,
                              box.dimension ? units : box.unit);
    }
    const Ending& ending = pressed.ending;
    if (ending.status == Status::ok) {
        return append_ending_line(out, ending.status, "", "");
    }
    append_ending_line(out, ending.status, trimmed(ending.message->message), field_of(ending.message->box).caption);
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
    std::array<char, kLongestPictureText> room;
    for (const BoxField& box : kBoxFields) {
        const ShownValue shown = shown_value(pressed.boxes[box.box], room);
        if (shown.number) {
            text.number_field(box.key, shown.text);
        } else {
            text.text_field(box.key, shown.text);
        }
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

int append_pressed(std::string& out, Format format, const Design& design, std::uint64_t row) {
    const PressedDesign pressed = press_design(design);
    append_result(out, format, design, pressed, row);
    return pressed.ending.status == Status::ok ? kEveryRunOk : kSomeRunNotOk;
}

}  // namespace

// Rows in a batch: enough work to make a thread's start negligible, few enough to hold.
const RowAnswers kPressedRows = {4096, 1, kValueKeys, append_pressed};

}  // namespace velmoka::command_line
