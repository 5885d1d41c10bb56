#pragma once

#include "calculator/boxes.h"
#include "calculator/outcome.h"
#include "text_rules/picture_format.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmoka {

// What one box of a fresh calculator shows, kept without its text: its opening text, a value
// typed into it, a number written under a picture, or a message; and the number the text reads
// as. The text itself is formed only when a face asks for it.
struct ShownBox {
    enum class Kind : std::uint8_t { opening, typed, picture, message };

    Kind kind = Kind::opening;
    Picture picture;              // a number's picture
    std::uint8_t written_at = 0;  // the count of the press's write that last wrote the box; 0 for none
    // A value typed; a number before its picture rounds it; the number an opening text or a
    // message reads as.
    double value = 0.0;
    std::string_view fixed_text;  // the opening text or the message

    // The number the text reads as, worked out when it is asked for: most boxes a press writes
    // are never read back.
    double reading() const;
    // The number the box shows (a value typed, or a number as its picture rounds it); NaN where
    // it shows a message in place of a value.
    double shown_number() const;
    // The text exactly as the window shows it, written into out, which has room for
    // kLongestPictureText characters; returns its length.
    std::size_t write_text(char* out) const;
    std::string text() const;
};

// The boxes of a fresh calculator through one press, as the bulk path keeps them: each box
// holds what it shows, never its UTF-16 text, so a press costs no more than its arithmetic.
// Every rule is the window's: a box reads as its text would, and every write into z0_txt runs
// the impedance entry check (a write of the text the box already holds runs it too, which
// changes nothing, since that text has passed the check already).
// The number a box's opening text reads as, worked out once.
double opening_reading(Box box);

class ShownBoxes {
public:
    ShownBoxes();  // the window as it opens

    const ShownBox& operator[](Box box) const { return boxes_[index_of(box)]; }

    // A finite value typed into a box as its shortest text (write_typed_value), before any press;
    // on z0_txt the entry check runs on it.
    void type(Box box, double value);

    double number(Box box) const { return (*this)[box].reading(); }
    void write_number(Box box, double value, Picture picture);
    void write_message(Box box, std::string_view message);

    // Of the boxes the press wrote that show a message in place of a value, the one it wrote
    // first, with its message; empty when there is none.
    std::optional<Stop> first_message_left() const;
    // Whether the press repaired a value and went on: er below 1 raised to 1 (" 1.00"), T/H
    // raised to its floor (" 0.00"). The command writes its inputs back over those messages.
    bool raised_permittivity() const { return (repairs_ & kRaisedPermittivity) != 0; }
    bool raised_thickness() const { return (repairs_ & kRaisedThickness) != 0; }

private:
    ShownBox& written(Box box);
    void check_impedance(std::uint8_t written_at);

    static constexpr std::uint8_t kRaisedPermittivity = 1;
    static constexpr std::uint8_t kRaisedThickness = 2;

    std::array<ShownBox, kBoxCount> boxes_;
    std::uint8_t writes_ = 0;
    std::uint8_t repairs_ = 0;
};

}  // namespace velmoka
