#include "calculator/shown_boxes.h"

#include "calculator/impedance_check.h"
#include "text_rules/leading_numeric.h"
#include "text_rules/messages.h"
#include "text_rules/typed_value.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velmoka {

namespace {

// The boxes as the window opens, each opening text's reading worked out once.
const std::array<ShownBox, kBoxCount> kOpeningBoxes = [] {
    std::array<ShownBox, kBoxCount> boxes;
    for (std::size_t box = 0; box < kBoxCount; ++box) {
        boxes[box].fixed_text = kOpeningTexts[box];
        boxes[box].value = leading_numeric(kOpeningTexts[box]);
    }
    return boxes;
}();

void show_message(ShownBox& shown, std::string_view message) {
    shown.kind = ShownBox::Kind::message;
    shown.fixed_text = message;
    shown.value = leading_numeric(message);
}

}  // namespace

double ShownBox::reading() const {
    switch (kind) {
        case Kind::typed:
            return value == 0.0 ? 0.0 : value;  // "-0" reads 0
        case Kind::picture:
            return picture_reading(value, picture);
        case Kind::opening:
        case Kind::message:
            return value;
    }
    return value;
}

double ShownBox::shown_number() const {
    if (kind == Kind::message && message::stands_in_place_of_value(fixed_text)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return kind == Kind::typed ? value : reading();
}

std::size_t ShownBox::write_text(char* out) const {
    switch (kind) {
        case Kind::typed:
            return write_typed_value(out, value);
        case Kind::picture:
            return write_picture(out, value, picture);
        case Kind::opening:
        case Kind::message:
            return static_cast<std::size_t>(std::copy(fixed_text.begin(), fixed_text.end(), out) - out);
    }
    return 0;
}

std::string ShownBox::text() const {
    std::array<char, kLongestPictureText> text;
    return std::string(text.data(), write_text(text.data()));
}

double opening_reading(Box box) {
    return kOpeningBoxes[index_of(box)].value;
}

ShownBoxes::ShownBoxes() : boxes_(kOpeningBoxes) {}

void ShownBoxes::type(Box box, double value) {
    ShownBox& shown = boxes_[index_of(box)];
    shown.kind = ShownBox::Kind::typed;
    shown.value = value;
    if (box == Box::z0_txt) {
        check_impedance(0);
    }
}

ShownBox& ShownBoxes::written(Box box) {
    ShownBox& shown = boxes_[index_of(box)];
    shown.written_at = ++writes_;
    return shown;
}

void ShownBoxes::write_number(Box box, double value, Picture picture) {
    ShownBox& shown = written(box);
    if (std::isfinite(value)) {
        shown.kind = ShownBox::Kind::picture;
        shown.value = value;
        shown.picture = picture;
    } else {
        show_message(shown, message::kInfinity);  // what any picture writes for it
    }
    if (box == Box::z0_txt) {
        check_impedance(shown.written_at);
    }
}

void ShownBoxes::write_message(Box box, std::string_view message) {
    repairs_ |= message == message::kRaisedPermittivity ? kRaisedPermittivity
                : message == message::kThinConductor    ? kRaisedThickness
                                                        : 0;
    ShownBox& shown = written(box);
    show_message(shown, message);
    if (box == Box::z0_txt) {
        check_impedance(shown.written_at);
    }
}

// The check's replacement counts as part of the write that set it off.
void ShownBoxes::check_impedance(std::uint8_t written_at) {
    ShownBox& z0 = boxes_[index_of(Box::z0_txt)];
    if (refused_by_entry_check(z0.reading())) {
        show_message(z0, message::kInvalidZ0);
        z0.written_at = written_at;
    }
}

std::optional<Stop> ShownBoxes::first_message_left() const {
    std::optional<Stop> first;
    std::uint8_t first_written_at = 0;
    for (std::size_t box = 0; box < kBoxCount; ++box) {
        const ShownBox& shown = boxes_[box];
        if (shown.written_at != 0 && shown.kind == ShownBox::Kind::message &&
            message::stands_in_place_of_value(shown.fixed_text) &&
            (first_written_at == 0 || shown.written_at < first_written_at)) {
            first = Stop{static_cast<Box>(box), shown.fixed_text};
            first_written_at = shown.written_at;
        }
    }
    return first;
}

}  // namespace velmoka
