#include "command_line/spread_command.h"

#include "command_line/cli_names.h"
#include "command_line/command_line.h"
#include "command_line/decimal.h"
#include "command_line/row_text.h"
#include "command_line/spread_output.h"
#include "command_line/spread_plot.h"
#include "command_line/swept_values.h"
#include "commands/request_fault.h"
#include "commands/spread_command.h"
#include "spread/budget.h"
#include "spread/report_json.h"

#include <charconv>
#include <fstream>
#include <ostream>

namespace velmoka::command_line {

namespace {

// The value of one option as given, read by the form of its parameter.
commands::GivenValue read_value(const commands::Parameter& parameter, const std::string& text,
                                const std::string& name) {
    commands::GivenValue value;
    value.given = true;
    switch (parameter.form) {
        case commands::Form::number: {
            if (text.find_first_of(":,") != std::string::npos) {
                throw UsageError(name + ": spread takes one value, not '" + text + "'");
            }
            const std::optional<double> number = strict_decimal(text);
            if (!number) {
                throw UsageError(name + ": '" + text + "' is not a decimal number");
            }
            value.number = *number;
            break;
        }
        case commands::Form::tolerance: {
            value.percent = text.ends_with('%');
            const std::optional<double> amount =
                strict_decimal(std::string_view(text).substr(0, text.size() - (value.percent ? 1 : 0)));
            if (!amount) {
                throw UsageError(name + ": '" + text + "' is not a number or a number with %");
            }
            value.number = *amount;
            break;
        }
        case commands::Form::count: {
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value.count);
            if (error != std::errc() || end != text.data() + text.size()) {
                throw UsageError(name + ": '" + text + "' is not a whole number");
            }
            break;
        }
        case commands::Form::choice:
            value.number = static_cast<double>(std::find(parameter.choices.begin(), parameter.choices.end(), text) -
                                               parameter.choices.begin());
            break;
        case commands::Form::flag:
            break;
        case commands::Form::path:
            value.path = text;
            break;
    }
    return value;
}

std::ofstream file_for(const std::string& option, const std::string& path) {
    std::ofstream file(path);
    if (!file) {
        throw UsageError(option + ": cannot write '" + path + "'");
    }
    return file;
}

}  // namespace

int run_spread(const CommandOptions& options, std::ostream& out) {
    const commands::Command& command = *options.command;
    commands::GivenValues given;
    for (std::size_t i = 0; i < command.parameters.size(); ++i) {
        if (options.given(i)) {
            given[i] = read_value(command.parameters[i], options.texts[i], option_name(command.parameters[i].key));
        }
    }
    const LengthUnit units = units_read_by(command, options.units).value_or(LengthUnit::microns);
    spread::Request request;
    try {
        request = commands::spread_request(given, units, options.opening_window);
    } catch (const commands::MissingParameter& missing) {
        throw UsageError(option_name(missing.key()) +
                         ": a value is required (or --opening-window, to take the opening window's)");
    } catch (const commands::RequestFault& fault) {
        const std::optional<int> parameter = command.parameter_keyed(fault.key());
        const bool text_given = fault.about_value() && parameter && options.given(static_cast<std::size_t>(*parameter));
        const std::string quoted = text_given ? "'" + options.texts[static_cast<std::size_t>(*parameter)] + "' " : "";
        throw UsageError(option_name(fault.key()) + ": " + quoted + fault.message());
    }
    const Format format = options.format == "csv"    ? Format::csv
                          : options.format == "json" ? Format::json
                                                     : Format::text;
    const std::string& samples_out = given[commands::spread_samples_out].path;
    const std::string& plot = given[commands::spread_plot].path;
    request.keep_samples = format == Format::csv || !samples_out.empty();
    std::optional<std::ofstream> samples_file;
    if (!samples_out.empty()) {
        samples_file = file_for("--samples-out", samples_out);
    }
    std::optional<std::ofstream> plot_file;
    if (!plot.empty()) {
        plot_file = file_for("--plot", plot);
    }
    const spread::Report report = spread::budget(request);
    if (format == Format::json) {
        out << spread::report_json(request, report, name_of(units).name) << '\n';
    } else if (format == Format::csv) {
        write_samples_csv(out, request, report);
    } else {
        write_spread_text(out, request, report, units);
    }
    if (samples_file) {
        write_samples_csv(*samples_file, request, report);
    }
    if (plot_file) {
        write_spread_plot(*plot_file, request, report);
    }
    return kEveryRunOk;
}

}  // namespace velmoka::command_line
