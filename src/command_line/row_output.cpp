#include "command_line/row_output.h"

#include "calculator/box_keys.h"
#include "command_line/command_line.h"
#include "commands/commands.h"
#include "commands/field_command.h"
#include "commands/pair_commands.h"
#include "text_rules/messages.h"
#include "text_rules/picture_format.h"
#include "text_rules/trimmed.h"
#include "text_rules/typed_value.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

namespace velmoka::command_line {

namespace {

constexpr std::array<std::string_view, 4> kVerdictKeys = {"status", "message", "box", "warnings"};
constexpr std::string_view kLineKey = "line";

using Room = std::array<char, kLongestPictureText>;

// A number in its shortest form, as a value typed into a box is written.
std::string_view shortest(double value, Room& room) {
    return {room.data(), write_typed_value(room.data(), value)};
}

// A number as its picture shows it, without the picture's blanks: "  49.89" gives 49.89, and
// "-  5.00" gives -5.00.
std::string_view picture_digits(const ShownBox& box, Room& room) {
    Picture picture = box.picture;
    picture.leading_blanks = 0;
    return {room.data(), write_picture(room.data(), box.value, picture)};
}

// What a row shows under a column: a window's result with the digits its box shows, any other
// number in its shortest form; empty where there is none or it is infinite.
std::string_view value_text(const Row& row, const commands::RowAnswer& answer, const commands::Column& column,
                            Room& room) {
    const double value = commands::shown_value(row.request, answer, column);
    if (!std::isfinite(value)) {
        return {};  // none, or one that JSON cannot hold: the guided wavelength at 0 Hz
    }
    const bool result = column.result >= 0 && !std::isnan(answer.results[static_cast<std::size_t>(column.result)]);
    if (result && answer.boxes && column.box) {
        return picture_digits((*answer.boxes)[*column.box], room);
    }
    return shortest(value, room);
}

// What a row shows under a column, for people: a result to six significant digits (the field
// solution is good to 0.01 %, a closed form to much less), a value given as it was given.
std::string_view people_text(const Row& row, const commands::RowAnswer& answer, const commands::Column& column,
                             Room& room) {
    const bool result = column.result >= 0 && !std::isnan(answer.results[static_cast<std::size_t>(column.result)]);
    if (!result || (answer.boxes && column.box)) {
        return value_text(row, answer, column, room);
    }
    const int length =
        std::snprintf(room.data(), room.size(), "%.6g", answer.results[static_cast<std::size_t>(column.result)]);
    return {room.data(), static_cast<std::size_t>(length)};
}

std::vector<std::string_view> warnings_of(const commands::Command& command, Warnings warnings) {
    std::vector<std::string_view> words;
    for (std::size_t bit = 0; bit < command.warnings.size(); ++bit) {
        if ((warnings >> bit & 1U) != 0) {
            words.push_back(command.warnings[bit]);
        }
    }
    return words;
}

template <typename Text>
void append_input_fields(Text& text, const RowLayout& layout, const Row& row) {
    if (!layout.from_input) {
        return;
    }
    text.number(kLineKey, std::to_string(row.line));
    for (std::size_t i = 0; i < layout.carried.size(); ++i) {
        text.text(layout.carried[i], i < row.carried.size() ? std::string_view(row.carried[i]) : "");
    }
}

template <typename Text>
void append_fields(Text& text, const RowLayout& layout, const Row& row, const commands::RowAnswer& answer) {
    const commands::Command& command = *row.request.command;
    append_input_fields(text, layout, row);
    text.word("command", command.word);
    text.word("units", name_of(row.request.units).name);
    Room room;
    for (const commands::Column& column : command.columns) {
        const bool result = column.result >= 0 && !std::isnan(answer.results[static_cast<std::size_t>(column.result)]);
        if (!result && column.parameter >= 0 && !layout.fixed_values.empty() &&
            !layout.fixed_values[static_cast<std::size_t>(column.parameter)].empty()) {
            text.number(column.key, layout.fixed_values[static_cast<std::size_t>(column.parameter)]);
            continue;
        }
        const std::string_view value = value_text(row, answer, column, room);
        if (value.empty()) {
            text.null(column.key);
        } else {
            text.number(column.key, value);
        }
    }
    const Verdict& verdict = answer.verdict;
    text.word(kVerdictKeys[0], name_of(verdict.status));
    if (verdict.fault) {
        text.text(kVerdictKeys[1], commands::fault_text(*verdict.fault));
    } else {
        text.null(kVerdictKeys[1]);
    }
    if (verdict.fault && !verdict.fault->key.empty()) {
        text.word(kVerdictKeys[2], verdict.fault->key);
    } else {
        text.null(kVerdictKeys[2]);
    }
    text.texts(kVerdictKeys[3], warnings_of(command, verdict.warnings));
    text.end();
}

// The caption and unit of what a fault concerns, for people.
std::string_view caption_of(const commands::Command& command, std::string_view key) {
    for (const commands::Column& column : command.columns) {
        if (column.key == key) {
            return column.caption;
        }
    }
    return key;
}

void append_title(std::string& out, const commands::Command& command, LengthUnit units) {
    out += command.caption;
    out += ", dimensions in ";
    out += name_of(units).name;
    out += '\n';
}

void append_ending(std::string& out, const commands::Command& command, const Verdict& verdict) {
    const std::string message = verdict.fault ? commands::fault_text(*verdict.fault) : std::string();
    const std::string_view caption =
        verdict.fault && !verdict.fault->key.empty() ? caption_of(command, verdict.fault->key) : std::string_view();
    append_ending_lines(out, verdict, message, caption, warnings_of(command, verdict.warnings));
}

// What a window box shows, for people: numbers without their picture's blanks, messages trimmed.
std::string_view box_text(const ShownBox& box, Room& room) {
    switch (box.kind) {
        case ShownBox::Kind::typed:
            return shortest(box.value, room);
        case ShownBox::Kind::picture:
            return picture_digits(box, room);
        case ShownBox::Kind::opening:
        case ShownBox::Kind::message:
            break;
    }
    return trimmed(box.fixed_text);
}

// The window's commands for people: each box with its caption and unit, as the window shows it.
void append_window_text(std::string& out, const Row& row, const commands::RowAnswer& answer) {
    const commands::Command& command = *row.request.command;
    append_title(out, command, row.request.units);
    Room room;
    for (const BoxField& box : kBoxFields) {
        append_captioned_line(out, box.caption, box_text((*answer.boxes)[box.box], room),
                              box.dimension ? name_of(row.request.units).name : box.unit);
    }
    append_ending(out, command, answer.verdict);
}

// A row of a comparison for people: a quantity from the field solution, its accuracy, the same
// from the closed form, and the closed form's difference from the field, by their keys.
struct Compared {
    const char* caption;
    std::string_view field, accuracy, model, difference;
};

constexpr std::array<Compared, 2> kFieldComparison = {{
    {"Impedance (ohms)", "z0", "z0_accuracy", "model_z0", "z0_difference"},
    {"Effective Dielectric", "er_eff", "er_eff_accuracy", "model_er_eff", "er_eff_difference"},
}};
constexpr std::array<Compared, 5> kPairComparison = {{
    {"Even-mode impedance", "z_even", "z_even_accuracy", "model_z_even", "z_even_difference"},
    {"Odd-mode impedance", "z_odd", "z_odd_accuracy", "model_z_odd", "z_odd_difference"},
    {"Even-mode effective", "er_eff_even", "er_eff_even_accuracy", "model_er_eff_even", "er_eff_even_difference"},
    {"Odd-mode effective", "er_eff_odd", "er_eff_odd_accuracy", "model_er_eff_odd", "er_eff_odd_difference"},
    {"Differential (ohms)", "z_diff", "", "model_z_diff", "z_diff_difference"},
}};

// The field solution beside a closed form, for people: the geometry as solved, then a table of
// each quantity from the field (six significant digits: it is good to 0.01 %), its accuracy, the
// closed form's and the difference in %, then the other results' lines.
void append_comparison_text(std::string& out, const Row& row, const commands::RowAnswer& answer, std::size_t geometry,
                            std::span<const Compared> table, const char* model_heading) {
    const commands::Command& command = *row.request.command;
    append_title(out, command, row.request.units);
    Room room;
    for (std::size_t i = 0; i < geometry; ++i) {
        const commands::Column& column = command.columns[i];
        append_captioned_line(out, column.caption, people_text(row, answer, column, room),
                              commands::unit_word(column.quantity, row.request.units));
    }
    if (answer.verdict.status != Status::stopped) {
        constexpr double kPercent = 100.0;
        constexpr const char* kTableLine = "  %-24s%12s%12s%12s%12s\n";
        const auto result = [&](std::string_view key) {
            for (const commands::Column& column : command.columns) {
                if (column.key == key && column.result >= 0) {
                    return answer.results[static_cast<std::size_t>(column.result)];
                }
            }
            return commands::kNotGiven;
        };
        const auto cell = [](const char* format, double value) {
            std::array<char, 32> text;
            std::snprintf(text.data(), text.size(), std::isnan(value) ? "-" : format, value);
            return text;
        };
        std::array<char, 192> line;  // room for four cells of 31 characters
        std::snprintf(line.data(), line.size(), kTableLine, "", "Field", "Accuracy", model_heading, "Difference");
        out += line.data();
        for (const auto& [caption, field, accuracy, model, difference] : table) {
            std::snprintf(line.data(), line.size(), kTableLine, caption, cell("%.6g", result(field)).data(),
                          cell("%.4f %%", kPercent * result(accuracy)).data(), cell("%.6g", result(model)).data(),
                          cell("%+.3f %%", kPercent * result(difference)).data());
            out += line.data();
        }
    }
    append_ending(out, command, answer.verdict);
}

// Any other command for people: each column with its caption, value and unit.
void append_columns_text(std::string& out, const Row& row, const commands::RowAnswer& answer) {
    const commands::Command& command = *row.request.command;
    append_title(out, command, row.request.units);
    Room room;
    for (const commands::Column& column : command.columns) {
        const std::string_view value = people_text(row, answer, column, room);
        append_captioned_line(out, column.caption, value.empty() ? "-" : value,
                              commands::unit_word(column.quantity, row.request.units));
    }
    append_ending(out, command, answer.verdict);
}

}  // namespace

std::vector<std::string> fixed_value_texts(const commands::RowRequest& fixed, std::span<const int> swept) {
    std::vector<std::string> texts(fixed.command->parameters.size());
    Room room;
    for (std::size_t parameter = 0; parameter < texts.size(); ++parameter) {
        const double value = fixed.values[parameter];
        if (std::isfinite(value) && std::find(swept.begin(), swept.end(), static_cast<int>(parameter)) == swept.end()) {
            texts[parameter] = shortest(value, room);
        }
    }
    return texts;
}

void append_header(std::string& out, const RowLayout& layout) {
    if (layout.format != Format::csv) {
        return;
    }
    CsvRow header(out);
    if (layout.from_input) {
        header.word(kLineKey, kLineKey);
        for (const std::string& name : layout.carried) {
            header.text(name, name);
        }
    }
    header.word("command", "command");
    header.word("units", "units");
    for (const commands::Column& column : layout.command->columns) {
        header.word(column.key, column.key);
    }
    for (const std::string_view key : kVerdictKeys) {
        header.word(key, key);
    }
    header.end();
}

int append_answered(std::string& out, const RowLayout& layout, const Row& row, const commands::RowAnswer& answer,
                    std::uint64_t index) {
    switch (layout.format) {
        case Format::text: {
            out += index == 0 ? "" : "\n";
            const commands::Command& command = *row.request.command;
            if (answer.boxes) {
                append_window_text(out, row, answer);
            } else if (&command == &commands::kField) {
                append_comparison_text(out, row, answer, 4, kFieldComparison, "Line model");
            } else if (&command == &commands::kPair) {
                append_comparison_text(out, row, answer, 6, kPairComparison, "Closed form");
            } else {
                append_columns_text(out, row, answer);
            }
            break;
        }
        case Format::csv: {
            CsvRow text(out);
            append_fields(text, layout, row, answer);
            break;
        }
        case Format::json: {
            JsonRow text(out);
            append_fields(text, layout, row, answer);
            break;
        }
    }
    return answer.verdict.status == Status::ok ? kEveryRunOk : kSomeRunNotOk;
}

void append_unreadable(std::string& out, const RowLayout& layout, const Row& row, std::uint64_t index) {
    const auto fields = [&](auto& text) {
        append_input_fields(text, layout, row);
        text.null("command");
        text.null("units");
        for (const commands::Column& column : layout.command->columns) {
            text.null(column.key);
        }
        text.word(kVerdictKeys[0], name_of(Status::error));
        text.text(kVerdictKeys[1], row.unreadable);
        text.null(kVerdictKeys[2]);
        text.texts(kVerdictKeys[3], {});
        text.end();
    };
    switch (layout.format) {
        case Format::text:
            out += index == 0 ? "" : "\n";
            out += row.unreadable;
            out += '\n';
            break;
        case Format::csv: {
            CsvRow text(out);
            fields(text);
            break;
        }
        case Format::json: {
            JsonRow text(out);
            fields(text);
            break;
        }
    }
}

}  // namespace velmoka::command_line
