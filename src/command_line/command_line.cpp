#include "command_line/command_line.h"

#include "command_line/cli_names.h"
#include "command_line/cli_options.h"
#include "command_line/input_rows.h"
#include "command_line/progress.h"
#include "command_line/row_writer.h"
#include "command_line/spread_command.h"
#include "command_line/sweep.h"
#include "command_line/swept_values.h"
#include "command_line/touchstone_file.h"
#include "commands/commands.h"
#include "commands/window_commands.h"

#include <CLI/CLI.hpp>

#include <fstream>
#include <ostream>

namespace velmoka::command_line {

namespace {

constexpr std::string_view kCommandRequired =
    "COMMAND is required: analysis, solve, synth-pi, synth-t, field, pair or spread (or --input FILE, whose rows "
    "each "
    "name a window command in a command column)";

Format format_named(const std::string& name) {
    return name == "csv" ? Format::csv : name == "json" ? Format::json : Format::text;
}

// A value swept or given once, checked against its parameter: each value listed, the ends of a
// range (the steps between lie between them).
SweptValues checked_values(const commands::Parameter& parameter, const std::string& given) {
    const std::string name = option_name(parameter.key);
    SweptValues values = SweptValues::read(name, given);
    const std::uint64_t step = values.is_range() ? std::max<std::uint64_t>(1, values.count() - 1) : 1;
    for (std::uint64_t index = 0; index < values.count(); index += step) {
        if (const std::optional<std::string_view> fault = commands::fault_in(parameter, values.value(index))) {
            throw UsageError(name + ": '" + given + "' " + std::string(*fault));
        }
    }
    return values;
}

// The request the options make for every row, and the values swept, in the order given.
struct RowsGiven {
    commands::RowRequest fixed;
    std::vector<std::pair<int, SweptValues>> swept;
};

RowsGiven rows_given(const CommandOptions& options) {
    RowsGiven given;
    given.fixed.command = options.command;
    given.fixed.units = units_read_by(*options.command, options.units).value_or(LengthUnit::microns);
    given.fixed.opening_window = options.opening_window;
    for (const CLI::Option* option : options.app->parse_order()) {
        const auto found = std::find(options.options.begin(), options.options.end(), option);
        if (found == options.options.end()) {
            continue;
        }
        const auto parameter = static_cast<std::size_t>(found - options.options.begin());
        const commands::Parameter& declared = options.command->parameters[parameter];
        if (declared.form == commands::Form::choice) {
            given.fixed.values[parameter] = *choice_place(declared, options.texts[parameter]);
            continue;
        }
        if (declared.form == commands::Form::path) {
            continue;  // a file the run writes, not a value of its rows
        }
        SweptValues values = checked_values(declared, options.texts[parameter]);
        given.fixed.values[parameter] = values.value(0);
        if (values.count() > 1) {
            given.swept.emplace_back(static_cast<int>(parameter), std::move(values));
        }
    }
    return given;
}

// The Touchstone file a line's section goes to, where one is asked for.
std::optional<std::string> section_file(const CommandOptions& options) {
    if (options.command == nullptr) {
        return std::nullopt;
    }
    const std::optional<int> s2p = options.command->parameter_keyed("s2p");
    if (!s2p || !options.given(static_cast<std::size_t>(*s2p))) {
        return std::nullopt;
    }
    return options.texts[static_cast<std::size_t>(*s2p)];
}

void check_complete(commands::RowRequest& request) {
    if (const std::optional<int> missing = commands::complete(request)) {
        throw UsageError(
            option_name(request.command->parameters[static_cast<std::size_t>(*missing)].key) + ": a value is required" +
            (request.command->opens_like_the_window ? " (or --opening-window, to take the opening window's)" : ""));
    }
    if (const std::optional<Fault> fault = commands::checked_together(request)) {
        throw UsageError(option_name(fault->key) + ": " + std::string(fault->message));
    }
}

void run_input(InputRows& rows, RowWriter& writer) {
    while (std::optional<Row> row = rows.next()) {
        writer.write(std::move(*row));
        if (rows.may_wait()) {
            writer.drain();
        }
    }
}

// The rows of a command, or of a batch of window commands that each name their own.
int run_rows(const CommandOptions& options, std::istream& in, std::ostream& out, std::ostream& err,
             const Surroundings& surroundings) {
    const bool from_input = options.input_option->count() > 0;
    Progress progress(surroundings.error_is_terminal ? &err : nullptr);
    RowsGiven given;
    if (options.command != nullptr) {
        given = rows_given(options);
    } else {
        given.fixed.units = units_read_by(commands::kAnalysis, options.units).value_or(LengthUnit::microns);
        given.fixed.opening_window = options.opening_window;
    }
    RowLayout layout{format_named(options.format), options.command != nullptr ? options.command : &commands::kAnalysis};
    const std::optional<std::string> s2p = section_file(options);
    if (s2p) {
        check_section_sweep(given.fixed, given.swept, from_input);
    }
    if (!from_input) {
        check_complete(given.fixed);
        std::vector<int> swept;
        for (const auto& [parameter, values] : given.swept) {
            swept.push_back(parameter);
        }
        layout.fixed_values = fixed_value_texts(given.fixed, swept);
        const Sweep sweep(given.fixed, std::move(given.swept));
        progress.expect(sweep.count());
        RowWriter writer(out, layout, progress);
        writer.write(sweep);
        const int status = writer.finish();
        if (s2p) {
            write_section_touchstone(*s2p, sweep, given.fixed);
        }
        return status;
    }
    if (!given.swept.empty()) {
        throw UsageError(
            option_name(options.command->parameters[static_cast<std::size_t>(given.swept.front().first)].key) +
            ": a sweep cannot be combined with --input");
    }
    std::ifstream file;
    if (options.input != "-") {
        file.open(options.input);
        if (!file) {
            throw UsageError("--input: cannot read '" + options.input + "'");
        }
    }
    InputRows rows(options.input == "-" ? in : file, given.fixed, surroundings.longest_line);
    rows.read_header();
    layout.from_input = true;
    layout.carried = rows.carried();
    RowWriter writer(out, layout, progress);
    run_input(rows, writer);
    return writer.finish();
}

}  // namespace

int run(int argc, const char* const* argv, std::istream& in, std::ostream& out, std::ostream& err,
        const Surroundings& surroundings) {
    CLI::App app(
        "The four commands of the Velmoka microstrip calculator, as its window runs them, the field solution of a "
        "strip beside its line model, and the tolerance budget of a line. Each command's --help lists its options.",
        "velmoka-cli");
    app.require_subcommand(0, 1);
    app.get_formatter()->label("SUBCOMMAND", "COMMAND");
    app.get_formatter()->label("Subcommands", "Commands");
    app.set_version_flag("--version", "velmoka-cli " VELMOKA_VERSION);
    CommandOptions batch;
    add_command_options(app, batch);
    std::array<CommandOptions, commands::kCommands.size()> per_command;
    for (std::size_t i = 0; i < commands::kCommands.size(); ++i) {
        const commands::Command& command = *commands::kCommands[i];
        if (command.word.empty()) {
            continue;  // a command of Python's alone
        }
        per_command[i].command = &command;
        add_command_options(*app.add_subcommand(std::string(command.word), std::string(command.summary)),
                            per_command[i]);
    }
    try {
        try {
            app.parse(argc, argv);
        } catch (const CLI::ExtrasError&) {
            if (app.get_subcommands().empty() && !app.remaining().empty()) {
                throw UsageError("'" + app.remaining().front() +
                                 "' is not a command: " + std::string(kCommandRequired));
            }
            throw;
        }
        const std::vector<CLI::App*> chosen = app.get_subcommands();
        if (chosen.empty()) {
            if (batch.input_option->count() == 0) {
                throw UsageError(std::string(kCommandRequired));
            }
            return run_rows(batch, in, out, err, surroundings);
        }
        // The options of a run go after the command word: before it they would belong to none.
        for (const CLI::Option* option :
             {batch.units_option, batch.format_option, batch.opening_window_option, batch.input_option}) {
            if (option->count() > 0) {
                throw UsageError(option->get_name() + ": give it after the command word");
            }
        }
        const auto options = std::find_if(per_command.begin(), per_command.end(),
                                          [&](const auto& o) { return o.app == chosen.front(); });
        if (!options->command->answers_rows()) {
            return run_spread(*options, out);
        }
        return run_rows(*options, in, out, err, surroundings);
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
