#include "command_line/command_line.h"

#include "command_line/fields.h"
#include "command_line/input_rows.h"
#include "command_line/output.h"
#include "command_line/row_writer.h"
#include "command_line/swept_values.h"

#include <CLI/CLI.hpp>

#include <fstream>
#include <map>
#include <ostream>

namespace velmoka::command_line {

namespace {

constexpr int kUsageError = 2;

std::string option_name(const BoxField& field) {
    std::string name = "--" + std::string(field.key);
    std::replace(name.begin(), name.end(), '_', '-');
    return name;
}

std::string box_description(const BoxField& field) {
    const std::string unit = field.dimension ? ", in the display unit"
                                             : std::string(field.unit.empty() ? "" : ", ") + std::string(field.unit);
    return "the " + std::string(field.caption) + " box" + unit;
}

// What the command line asks for, read by CLI11.
struct Request {
    std::string command;
    std::string units = "microns";
    std::string format = "text";
    std::string input;
    std::array<std::string, kBoxCount> values;  // by field, as given
};

// Every combination of the swept values, one run each, the last option given varying fastest.
void sweep(const Run& fixed, const std::vector<std::pair<Box, SweptValues>>& swept, RowWriter& writer) {
    std::vector<std::uint64_t> at(swept.size(), 0);
    Run run = fixed;
    for (;;) {
        for (std::size_t i = 0; i < swept.size(); ++i) {
            run.value(swept[i].first) = swept[i].second.text(at[i]);
        }
        writer.write(run);
        std::size_t i = swept.size();
        while (i > 0 && ++at[i - 1] == swept[i - 1].second.count()) {
            at[--i] = 0;
        }
        if (i == 0) {
            return;
        }
    }
}

void run_input(std::istream& in, const Run& defaults, std::optional<Command> command, RowWriter& writer) {
    InputRows rows(in, defaults, command);
    while (std::optional<InputRows::Row> row = rows.next()) {
        writer.write(std::move(*row));
    }
}

}  // namespace

int run(int argc, const char* const* argv, std::istream& in, std::ostream& out, std::ostream& err) {
    CLI::App app("The four commands of the Velmoka microstrip calculator, as its window runs them.", "velmoka-cli");
    Request request;
    app.add_option("COMMAND", request.command, "analysis | solve | synth-pi | synth-t (the four buttons)")
        ->check(CLI::IsMember({"analysis", "solve", "synth-pi", "synth-t"}));
    app.add_option("--units", request.units, "microns | mils (default microns, as the window opens)")
        ->check(CLI::IsMember({"microns", "mils"}));
    std::map<const CLI::Option*, const BoxField*> box_options;
    for (std::size_t i = 0; i < kBoxFields.size(); ++i) {
        CLI::Option* option = app.add_option(option_name(kBoxFields[i]), request.values[i],
                                             box_description(kBoxFields[i]) + "; X, START:STOP:STEP or a,b,c");
        option->option_text("X")->multi_option_policy(CLI::MultiOptionPolicy::Throw);
        box_options[option] = &kBoxFields[i];
    }
    app.add_option("--format", request.format, "text | csv | json (default text)")
        ->check(CLI::IsMember({"text", "csv", "json"}));
    app.add_option("--input", request.input, "runs one row per line of a CSV file (- reads standard input)")
        ->option_text("FILE");
    app.set_version_flag("--version", "velmoka-cli " VELMOKA_VERSION);

    try {
        app.parse(argc, argv);
        Run defaults;
        defaults.units = request.units == "mils" ? Units::mils : Units::microns;
        const std::optional<Command> command = command_from_word(request.command);
        if (!command && request.input.empty()) {
            throw UsageError("COMMAND is required: analysis, solve, synth-pi or synth-t");
        }
        defaults.command = command.value_or(Command::analysis);

        std::vector<std::pair<Box, SweptValues>> swept;
        for (const CLI::Option* option : app.parse_order()) {
            const auto field = box_options.find(option);
            if (field != box_options.end()) {
                const std::string& given = request.values[static_cast<std::size_t>(field->second - kBoxFields.data())];
                SweptValues values = SweptValues::read(field->second->key, given);
                if (values.count() != 1 && !request.input.empty()) {
                    throw UsageError(option_name(*field->second) + ": a sweep cannot be combined with --input");
                }
                swept.emplace_back(field->second->box, std::move(values));
            }
        }

        std::ifstream file;
        if (!request.input.empty() && request.input != "-") {
            file.open(request.input);
            if (!file) {
                throw UsageError("--input: cannot read " + request.input);
            }
        }
        const Format format = request.format == "csv"    ? Format::csv
                              : request.format == "json" ? Format::json
                                                         : Format::text;
        RowWriter writer(out, format);
        if (request.input.empty()) {
            sweep(defaults, swept, writer);
        } else {
            for (const auto& [box, values] : swept) {
                defaults.value(box) = values.text(0);
            }
            run_input(request.input == "-" ? in : file, defaults, command, writer);
        }
        return writer.finish();
    } catch (const CLI::Success& success) {
        return app.exit(success, out, err);
    } catch (const CLI::ParseError& error) {
        err << "velmoka-cli: " << error.what() << "\nRun velmoka-cli --help for the options.\n";
    } catch (const UsageError& error) {
        err << "velmoka-cli: " << error.what() << "\nRun velmoka-cli --help for the options.\n";
    }
    return kUsageError;
}

}  // namespace velmoka::command_line
