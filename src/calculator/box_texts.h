#pragma once

#include "calculator/boxes.h"
#include "calculator/outcome.h"
#include "text_rules/picture_format.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmoka {

// The fourteen box texts, held exactly as a window shows them (UTF-16, so that any text a box
// can hold is kept as it is), and the one rule that runs on a change of a box: the impedance
// entry check, which replaces any text of z0_txt reading below 0.5 or above 150 ohms by
// " Invalid Z0".
class BoxTexts {
public:
    BoxTexts();  // the texts of the window as it opens

    const std::u16string& operator[](Box box) const { return texts_[index_of(box)]; }

    // The user's change to a box; on z0_txt the entry check runs on it.
    void edit(Box box, std::u16string_view text, Outcome& outcome);
    // A text a command writes (a message or a number under a picture, all ASCII), reported in
    // outcome. A change of z0_txt runs the entry check at once, nested inside the write, so that
    // the command reads back what the check left.
    void write(Box box, std::string_view text, Outcome& outcome);

    bool operator==(const BoxTexts&) const = default;

private:
    template <typename Text>
    bool change(Box box, Text text);
    void check_impedance(Outcome& outcome);

    std::array<std::u16string, kBoxCount> texts_;
};

// The calculator's texts as one press reads and writes them, every write reported in the
// press's outcome.
class WrittenTexts {
public:
    WrittenTexts(BoxTexts& texts, Outcome& outcome) : texts_(texts), outcome_(outcome) {}

    double number(Box box) const;
    void write_number(Box box, double value, Picture picture);
    void write_message(Box box, std::string_view message);

private:
    BoxTexts& texts_;
    Outcome& outcome_;
};

// Of the boxes whose last write among writes is a message standing in place of a value, the one
// written first, with its message; empty when there is none.
std::optional<Stop> first_message_left(const std::vector<Write>& writes);

}  // namespace velmoka
