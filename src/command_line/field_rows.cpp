#include "command_line/field_rows.h"

#include "calculator/box_keys.h"
#include "calculator/design.h"
#include "command_line/command_line.h"
#include "command_line/row_text.h"
#include "field_solver/field_line.h"
#include "maths/microstrip_line.h"
#include "text_rules/trimmed.h"
#include "text_rules/typed_value.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

namespace velmoka::command_line {

namespace {

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double kPercent = 100.0;

// The keys of a row's values: the run, the strip as solved, the field solution and its
// accuracy, the line model and its relative differences from the field solution.
// clang-format off
constexpr std::array<std::string_view, 14> kValueKeys = {
    "command", "units", "w", "h", "t", "er", "z0", "er_eff", "z0_accuracy", "er_eff_accuracy",
    "model_z0", "model_er_eff", "z0_difference", "er_eff_difference"};
// clang-format on

// One quantity of a solved strip: Z0 or e_eff.
struct Solved {
    double field;       // the field solution; NaN where it gives no checked answer
    double accuracy;    // its estimated relative accuracy; NaN where it has no estimate
    double model;       // the line model at full precision; NaN where the strip is not solved
    double difference;  // the model's relative difference from the field solution, model/field - 1
};

struct FieldRow {
    std::array<double, kFieldBoxes.size()> values;  // the four boxes as solved, in their order
    Status status = Status::ok;
    std::string_view message;  // why the row is not ok
    std::optional<Box> box;    // the box the message is about, where there is one
    Solved z0{kNotANumber, kNotANumber, kNotANumber, kNotANumber};
    Solved e_eff = z0;
};

// A box's value as given, or as the opening window's text reads.
double value_of(const Design& design, Box box) {
    const std::optional<double>& typed = design.typed[index_of(box)];
    return typed ? *typed : opening_reading(box);
}

Solved solved(double field, double accuracy, double model) {
    return {field, accuracy, model, model / field - 1.0};
}

// The box of an input beyond the field solver's geometries; empty for a solution.
std::optional<Box> box_out_of_range(FieldStatus status) {
    switch (status) {
        case FieldStatus::width_out_of_range:
            return Box::w_txt;
        case FieldStatus::height_out_of_range:
            return Box::h_txt;
        case FieldStatus::thickness_out_of_range:
            return Box::t_txt;
        case FieldStatus::permittivity_out_of_range:
            return Box::er_txt;
        case FieldStatus::ok:
        case FieldStatus::accuracy_not_reached:
            break;
    }
    return std::nullopt;
}

FieldRow solve(const Design& design) {
    FieldRow row;
    for (std::size_t i = 0; i < kFieldBoxes.size(); ++i) {
        row.values[i] = value_of(design, kFieldBoxes[i]);
    }
    // The window's refusals of a geometry are Analysis's: it stops at the first of them.
    Design analysed = design;
    analysed.command = Command::analysis;
    if (const Ending ending = press_design(analysed).ending; ending.status == Status::stopped) {
        row.status = Status::stopped;
        row.message = trimmed(ending.message->message);
        row.box = ending.message->box;
        return row;
    }
    const auto [w, h, t, er] = row.values;
    const FieldLine field = field_line(w, h, t, er);
    const std::optional<Box> out_of_range = box_out_of_range(field.status);
    if (field.status != FieldStatus::ok) {
        row.status = out_of_range ? Status::stopped : Status::incomplete;
        row.message = field_status_text(field.status);
        row.box = out_of_range;
    }
    if (out_of_range) {
        return row;
    }
    const LineProperties model = microstrip_line(w / h, t / h, er);
    row.z0 = solved(field.z0, field.z0_accuracy, model.z0);
    row.e_eff = solved(field.e_eff, field.e_eff_accuracy, model.e_eff);
    return row;
}

// A number in its shortest form, as a value typed into a box is written.
std::string_view shortest(double value, std::array<char, kLongestTypedText>& room) {
    return {room.data(), write_typed_value(room.data(), value)};
}

// For people: the four boxes, then the field solution beside the line model, and the ending.
void append_text(std::string& out, Units units, const FieldRow& row) {
    out += "Field solution, dimensions in ";
    out += name_of(units);
    out += '\n';
    std::array<char, kLongestTypedText> room;
    for (std::size_t i = 0; i < kFieldBoxes.size(); ++i) {
        const BoxField& field = field_of(kFieldBoxes[i]);
        append_captioned_line(out, field.caption, shortest(row.values[i], room),
                              field.dimension ? name_of(units) : field.unit);
    }
    if (row.status != Status::stopped) {
        // Six significant digits: the field solution is good to 0.01 %.
        constexpr const char* kTableLine = "  %-24s%12s%12s%12s%12s\n";
        const auto cell = [](const char* format, double value) {
            std::array<char, 32> text;
            std::snprintf(text.data(), text.size(), std::isnan(value) ? "-" : format, value);
            return text;
        };
        std::array<char, 192> line;  // room for four cells of 31 characters
        std::snprintf(line.data(), line.size(), kTableLine, "", "Field", "Accuracy", "Line model", "Difference");
        out += line.data();
        for (const auto& [caption, quantity] :
             {std::pair{"Impedance (ohms)", row.z0}, {"Effective Dielectric", row.e_eff}}) {
            std::snprintf(line.data(), line.size(), kTableLine, caption, cell("%.6g", quantity.field).data(),
                          cell("%.4f %%", kPercent * quantity.accuracy).data(), cell("%.6g", quantity.model).data(),
                          cell("%+.3f %%", kPercent * quantity.difference).data());
            out += line.data();
        }
    }
    append_ending_line(out, row.status, row.message, row.box ? field_of(*row.box).caption : "");
}

void append_row(std::string& out, Format format, Units units, const FieldRow& row) {
    RowText text(out, format);
    text.word_field("command", kFieldWord);
    text.word_field("units", name_of(units));
    const std::array<double, kValueKeys.size() - 2> numbers = {
        row.values[0],   row.values[1],      row.values[2], row.values[3],   row.z0.field,      row.e_eff.field,
        row.z0.accuracy, row.e_eff.accuracy, row.z0.model,  row.e_eff.model, row.z0.difference, row.e_eff.difference,
    };
    std::array<char, kLongestTypedText> room;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (std::isfinite(numbers[i])) {
            text.number_field(kValueKeys[2 + i], shortest(numbers[i], room));
        } else {
            text.null_field(kValueKeys[2 + i]);
        }
    }
    text.word_field("status", name_of(row.status));
    if (row.status == Status::ok) {
        text.null_field("message");
    } else {
        text.text_field("message", row.message);
    }
    if (row.box) {
        text.word_field("box", key_of(*row.box));
    } else {
        text.null_field("box");
    }
    text.end();
}

int append_answer(std::string& out, Format format, const Design& design, std::uint64_t row) {
    const FieldRow solved_row = solve(design);
    if (format == Format::text) {
        out += row == 0 ? "" : "\n";
        append_text(out, design.units, solved_row);
    } else {
        append_row(out, format, design.units, solved_row);
    }
    return solved_row.status == Status::ok ? kEveryRunOk : kSomeRunNotOk;
}

}  // namespace

// A row at a time, and several in flight on each core: a strip takes some milliseconds to a
// second, so that a core is not left idle while a slow strip holds up the writing of those after it.
const RowAnswers kFieldRows = {1, 4, kValueKeys, append_answer};

}  // namespace velmoka::command_line
