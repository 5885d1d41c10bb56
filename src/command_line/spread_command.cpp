#include "command_line/spread_command.h"

#include "calculator/box_keys.h"
#include "calculator/shown_boxes.h"
#include "command_line/command_line.h"
#include "command_line/decimal.h"
#include "command_line/fields.h"
#include "command_line/spread_output.h"
#include "command_line/spread_plot.h"
#include "command_line/swept_values.h"
#include "spread/budget.h"
#include "spread/random_draws.h"
#include "spread/report_json.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <fstream>
#include <ostream>

namespace velmoka::command_line {

namespace {

// The boxes spread reads; it refuses every other.
constexpr std::array kSpreadBoxes = {Box::w_txt, Box::h_txt, Box::t_txt, Box::er_txt, Box::freq_txt, Box::length1_txt};

// One decimal number given to an option.
double one_value(const std::string& option, const std::string& given) {
    if (given.find_first_of(":,") != std::string::npos) {
        throw UsageError(option + ": spread takes one value, not '" + given + "'");
    }
    const std::optional<double> value = strict_decimal(given);
    if (!value) {
        throw UsageError(option + ": '" + given + "' is not a decimal number");
    }
    return *value;
}

// A number, or a number with %, as a tolerance or a band.
spread::Tolerance tolerance_given(const std::string& option, const std::string& given) {
    const bool percent = given.ends_with('%');
    const std::optional<double> amount =
        strict_decimal(std::string_view(given).substr(0, given.size() - (percent ? 1 : 0)));
    if (!amount) {
        throw UsageError(option + ": '" + given + "' is not a number or a number with %");
    }
    return {*amount, percent};
}

// A box's value: as given, or as the window opens.
double value_of(Box box, const GivenBoxes& given) {
    const std::optional<std::string>& text = given[index_of(box)];
    return text ? one_value(option_name(field_of(box)), *text) : opening_reading(box);
}

spread::Request request_of(const SpreadOptions& options, const GivenBoxes& given, Units units) {
    for (std::size_t box = 0; box < kBoxCount; ++box) {
        if (given[box] &&
            std::find(kSpreadBoxes.begin(), kSpreadBoxes.end(), static_cast<Box>(box)) == kSpreadBoxes.end()) {
            throw UsageError(option_name(field_of(static_cast<Box>(box))) + ": spread does not take it");
        }
    }
    spread::Request request;
    request.nominal.values = {value_of(Box::w_txt, given), value_of(Box::h_txt, given), value_of(Box::t_txt, given),
                              value_of(Box::er_txt, given)};
    request.metres_per_unit = metres_per(length_unit_of(units));
    const double freq = value_of(Box::freq_txt, given);  // read, and so checked, even without a length
    if (given[index_of(Box::length1_txt)]) {
        request.length = value_of(Box::length1_txt, given);
        request.freq = freq;
    }
    const spread::Line& line = request.nominal;
    if (!(line[spread::Input::w] > 0.0 && line[spread::Input::h] > 0.0 && line[spread::Input::t] >= 0.0 &&
          line[spread::Input::er] >= 1.0)) {
        throw UsageError("--w, --h, --t, --er: the line needs W and H above 0, T at least 0 and er at least 1");
    }
    for (std::size_t input = 0; input < spread::kInputs; ++input) {
        const std::string option = "--tol-" + std::string(spread::kInputNames[input]);
        if (options.tolerance_options[input]->count() == 0) {
            continue;
        }
        request.tolerances[input] = tolerance_given(option, options.tolerances[input]);
        if (const std::optional<std::string> fault =
                spread::fault_in(static_cast<spread::Input>(input), request.tolerances[input], line.values[input])) {
            throw UsageError(option + ": '" + options.tolerances[input] + "' " + *fault);
        }
    }
    request.distribution =
        options.distribution == "uniform" ? spread::Distribution::uniform : spread::Distribution::normal;
    request.samples = options.samples;
    request.seed = options.seed_option->count() > 0 ? options.seed : spread::fresh_seed();
    const bool target = options.target_option->count() > 0;
    const bool band = options.band_option->count() > 0;
    if (target != band) {
        throw UsageError(target ? "--target: needs --band" : "--band: needs --target");
    }
    if (options.centre && !target) {
        throw UsageError("--centre: needs --target and --band");
    }
    if (target) {
        request.target = one_value("--target", options.target);
        request.band = tolerance_given("--band", options.band);
        if (!(*request.target > 0.0) || !(request.band->amount > 0.0)) {
            throw UsageError("--target, --band: an impedance and a band above 0");
        }
    }
    request.centre = options.centre;
    return request;
}

std::ofstream file_for(const std::string& option, const std::string& path) {
    std::ofstream file(path);
    if (!file) {
        throw UsageError(option + ": cannot write '" + path + "'");
    }
    return file;
}

}  // namespace

void add_spread_options(CLI::App& app, SpreadOptions& spread) {
    const auto added = [&](CLI::Option* option) {
        spread.options.push_back(option->group("spread: the tolerance budget"));
        return option;
    };
    for (std::size_t input = 0; input < spread::kInputs; ++input) {
        const std::string name(spread::kInputNames[input]);
        spread.tolerance_options[input] =
            added(app.add_option("--tol-" + name, spread.tolerances[input],
                                 "spread: the tolerance on " + name + ", in its unit, or in % of it (10%)")
                      ->option_text("X|X%"));
    }
    added(app.add_option("--dist", spread.distribution,
                         "spread: normal (the tolerance is 3 sigma, the default) | uniform")
              ->check(CLI::IsMember(
                  std::vector<std::string>(spread::kDistributionNames.begin(), spread::kDistributionNames.end()))));
    added(app.add_option("--samples", spread.samples, "spread: Monte Carlo samples, 1 to 100000000 (default 100000)")
              ->check(CLI::Range(std::uint64_t{1}, spread::kMostSamples)));
    spread.seed_option = added(
        app.add_option("--seed", spread.seed,
                       "spread: the Monte Carlo run's seed, to repeat it (one is chosen and reported otherwise)"));
    spread.target_option =
        added(app.add_option("--target", spread.target, "spread: the impedance the yield is counted about, ohms"));
    spread.band_option =
        added(app.add_option("--band", spread.band, "spread: ± the band about the target, ohms or % (10%)")
                  ->option_text("X|X%"));
    added(app.add_flag("--centre", spread.centre, "spread: the widths that centre the spread on the target"));
    added(app.add_option("--samples-out", spread.samples_out, "spread: writes the samples to a CSV file")
              ->option_text("FILE"));
    added(app.add_option("--plot", spread.plot, "spread: draws the spread of Z0 and the sensitivities as SVG")
              ->option_text("FILE.svg"));
}

std::optional<std::string> spread_option_given(const SpreadOptions& spread) {
    for (const CLI::Option* option : spread.options) {
        if (option->count() > 0) {
            return option->get_name();
        }
    }
    return std::nullopt;
}

int run_spread(const SpreadOptions& options, const GivenBoxes& given, Units units, Format format, std::ostream& out) {
    spread::Request request = request_of(options, given, units);
    request.keep_samples = format == Format::csv || !options.samples_out.empty();
    std::optional<std::ofstream> samples_file;
    if (!options.samples_out.empty()) {
        samples_file = file_for("--samples-out", options.samples_out);
    }
    std::optional<std::ofstream> plot_file;
    if (!options.plot.empty()) {
        plot_file = file_for("--plot", options.plot);
    }
    const spread::Report report = spread::budget(request);
    if (format == Format::json) {
        out << spread::report_json(request, report, velmoka::name_of(units)) << '\n';
    } else if (format == Format::csv) {
        write_samples_csv(out, report);
    } else {
        write_spread_text(out, request, report, units);
    }
    if (samples_file) {
        write_samples_csv(*samples_file, report);
    }
    if (plot_file) {
        write_spread_plot(*plot_file, request, report);
    }
    return kEveryRunOk;
}

}  // namespace velmoka::command_line
