#include "command_line/command_line.h"

#include "command_line/field_rows.h"
#include "command_line/fields.h"
#include "command_line/input_rows.h"
#include "command_line/output.h"
#include "command_line/progress.h"
#include "command_line/row_writer.h"
#include "command_line/spread_command.h"
#include "command_line/sweep.h"
#include "command_line/swept_values.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <fstream>
#include <map>
#include <ostream>

namespace velmoka::command_line {

namespace {

std::string box_description(const BoxField& field) {
    const std::string unit = field.dimension ? ", in the display unit"
                                             : std::string(field.unit.empty() ? "" : ", ") + std::string(field.unit);
    return "the " + std::string(field.caption) + " box" + unit;
}

// What the command line asks for, as CLI11 reads it.
struct Request {
    std::string command;
    std::string units = "microns";
    std::string format = "text";
    std::string input;
    std::array<std::string, kBoxCount> values;  // by field of kBoxFields, as given
    std::map<const CLI::Option*, const BoxField*> value_options;
    const CLI::Option* input_option = nullptr;
    SpreadOptions spread;
};

constexpr std::string_view kSpreadWord = "spread";

std::vector<std::string> command_words() {
    std::vector<std::string> words;
    for (const CommandName& name : kCommandWords) {
        words.emplace_back(name.word);
    }
    words.emplace_back(kFieldWord);
    words.emplace_back(kSpreadWord);
    return words;
}

void add_options(CLI::App& app, Request& request) {
    app.add_option("COMMAND", request.command,
                   "analysis | solve | synth-pi | synth-t (the four buttons) | field (the field solution beside the "
                   "line model) | spread (the tolerance budget)")
        ->check(CLI::IsMember(command_words()));
    app.add_option("--units", request.units, "microns | mils (default microns, as the window opens)")
        ->check(CLI::IsMember(std::vector<std::string>(kUnitsNames.begin(), kUnitsNames.end())));
    for (std::size_t i = 0; i < kBoxFields.size(); ++i) {
        CLI::Option* option = app.add_option(option_name(kBoxFields[i]), request.values[i],
                                             box_description(kBoxFields[i]) + "; X, START:STOP:STEP or a,b,c");
        option->option_text("X");
        request.value_options[option] = &kBoxFields[i];
    }
    app.add_option("--format", request.format, "text | csv | json (default text)")
        ->check(CLI::IsMember({"text", "csv", "json"}));
    request.input_option =
        app.add_option("--input", request.input, "runs one row per line of a CSV file (- reads standard input)")
            ->option_text("FILE");
    add_spread_options(app, request.spread);
    app.set_version_flag("--version", "velmoka-cli " VELMOKA_VERSION);
}

// The values given to the box options, by box.
GivenBoxes boxes_given(const Request& request) {
    GivenBoxes given;
    for (const auto& [option, field] : request.value_options) {
        if (option->count() > 0) {
            given[index_of(field->box)] = request.values[static_cast<std::size_t>(field - kBoxFields.data())];
        }
    }
    return given;
}

// The values of the value options in the order they were given, each read as a sweep.
std::vector<std::pair<Box, SweptValues>> swept_values(const CLI::App& app, const Request& request) {
    std::vector<std::pair<Box, SweptValues>> swept;
    for (const CLI::Option* option : app.parse_order()) {
        const auto found = request.value_options.find(option);
        if (found != request.value_options.end()) {
            const BoxField& field = *found->second;
            const std::string& given = request.values[static_cast<std::size_t>(&field - kBoxFields.data())];
            swept.emplace_back(field.box, SweptValues::read(field.key, given));
        }
    }
    return swept;
}

// The field command reads the strip and its substrate alone.
void check_field_options(const std::vector<std::pair<Box, SweptValues>>& swept) {
    for (const auto& [box, values] : swept) {
        if (std::find(kFieldBoxes.begin(), kFieldBoxes.end(), box) == kFieldBoxes.end()) {
            throw UsageError(option_name(field_of(box)) + ": velmoka-cli field reads only --w, --h, --t and --er");
        }
    }
}

Format format_named(const std::string& name) {
    return name == "csv" ? Format::csv : name == "json" ? Format::json : Format::text;
}

void run_input(InputRows& rows, RowWriter& writer) {
    while (std::optional<InputRows::Row> row = rows.next()) {
        writer.write(std::move(*row));
        if (rows.may_wait()) {
            writer.drain();
        }
    }
}

}  // namespace

int run(int argc, const char* const* argv, std::istream& in, std::ostream& out, std::ostream& err,
        const Surroundings& surroundings) {
    CLI::App app(
        "The four commands of the Velmoka microstrip calculator, as its window runs them, the field solution of a "
        "strip beside its line model, and the tolerance budget of a line.",
        "velmoka-cli");
    Request request;
    add_options(app, request);
    try {
        app.parse(argc, argv);
        const std::optional<Command> command = command_from_word(request.command);
        const bool from_input = request.input_option->count() > 0;
        const Units units = units_named(request.units).value_or(Units::microns);
        if (request.command == kSpreadWord) {
            if (from_input) {
                throw UsageError("--input: spread does not take it");
            }
            return run_spread(request.spread, boxes_given(request), units, format_named(request.format), out);
        }
        if (const std::optional<std::string> option = spread_option_given(request.spread)) {
            throw UsageError(*option + ": only spread takes it");
        }
        const bool field = request.command == kFieldWord;
        if (!command && !field && !from_input) {
            throw UsageError("COMMAND is required: analysis, solve, synth-pi, synth-t, field or spread");
        }
        const RowAnswers& answers = field ? kFieldRows : kPressedRows;
        Design defaults;
        defaults.units = units;
        std::vector<std::pair<Box, SweptValues>> swept = swept_values(app, request);
        if (field) {
            check_field_options(swept);
        }
        Progress progress(surroundings.error_is_terminal ? &err : nullptr);

        if (!from_input) {
            defaults.command = command.value_or(defaults.command);
            const Sweep sweep(defaults, std::move(swept));
            progress.expect(sweep.count());
            RowWriter writer(out, format_named(request.format), answers, progress);
            writer.write(sweep);
            return writer.finish();
        }
        for (const auto& [box, values] : swept) {
            if (values.count() != 1) {
                throw UsageError(option_name(field_of(box)) + ": a sweep cannot be combined with --input");
            }
            defaults.value(box) = values.value(0);
        }
        std::ifstream file;
        if (request.input != "-") {
            file.open(request.input);
            if (!file) {
                throw UsageError("--input: cannot read '" + request.input + "'");
            }
        }
        InputRows rows(request.input == "-" ? in : file, defaults, command, surroundings.longest_line,
                       field ? kFieldColumns : kCommandColumns);
        RowWriter writer(out, format_named(request.format), answers, progress);
        run_input(rows, writer);
        return writer.finish();
    } catch (const CLI::Success& success) {
        return app.exit(success, out, err);
    } catch (const CLI::ParseError& error) {
        err << "velmoka-cli: " << error.what() << "\nRun velmoka-cli --help for the options.\n";
    } catch (const UsageError& error) {
        err << "velmoka-cli: " << error.what() << "\nRun velmoka-cli --help for the options.\n";
    }
    return kRefusedOrUnreadable;
}

}  // namespace velmoka::command_line
