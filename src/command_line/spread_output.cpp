#include "command_line/spread_output.h"

#include "spread/report_json.h"
#include "text_rules/typed_value.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>

namespace velmoka::command_line {

namespace {

using spread::Input;

constexpr double kPercent = 100.0;

// A length or a permittivity as people read it: six significant digits, no trailing zeros.
std::string people(double value) {
    std::array<char, 64> text;
    const int length = std::snprintf(text.data(), text.size(), "%.6g", value);
    return std::string(text.data(), static_cast<std::size_t>(std::max(length, 0)));
}

// A change of impedance with its sign, as people read it: +2.900, -3.116.
std::string change(double ohms) {
    std::array<char, 64> text;
    const int length = std::snprintf(text.data(), text.size(), "%+.3f", ohms);
    return std::string(text.data(), static_cast<std::size_t>(std::max(length, 0)));
}

// A number as JSON writes it: its shortest form, null where it is not finite.
std::string json_number(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    std::array<char, kLongestTypedText> text;
    return std::string(text.data(), write_typed_value(text.data(), value));
}

std::string_view name_of(Input input) {
    return spread::kInputNames[static_cast<std::size_t>(input)];
}

// A tolerance as given: "±0.16 (10 %)" or "±0.5".
std::string tolerance_text(const spread::Request& request, Input input, double tolerance) {
    const spread::Tolerance& given = request.tolerances[static_cast<std::size_t>(input)];
    std::string text = "±" + people(tolerance);
    if (given.percent) {
        text += " (" + people(given.amount) + " %)";
    }
    return text;
}

std::string line_text(const spread::Line& line) {
    return "W " + people(line[Input::w]) + "  H " + people(line[Input::h]) + "  T " + people(line[Input::t]) + "  er " +
           people(line[Input::er]);
}

std::string share_text(const spread::Share& share) {
    return fixed(kPercent * share.share, 2) + " % (" + fixed(kPercent * spread::kConfidence, 0) +
           " % confidence: " + fixed(kPercent * share.lowest, 2) + " to " + fixed(kPercent * share.highest, 2) + " %)";
}

}  // namespace

std::string fixed(double value, int decimals) {
    std::array<char, 64> text;
    const int length = std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
    return std::string(text.data(), static_cast<std::size_t>(std::max(length, 0)));
}

void write_spread_text(std::ostream& out, const spread::Request& request, const spread::Report& report,
                       LengthUnit units) {
    const spread::MonteCarlo& monte_carlo = report.monte_carlo;
    out << "Tolerance budget, dimensions in " << name_of(units).name << ", "
        << spread::kDistributionNames[static_cast<std::size_t>(request.distribution)]
        << (request.distribution == spread::Distribution::normal ? " spread (each tolerance 3 sigma)"
                                                                 : " spread over each tolerance")
        << ", " << monte_carlo.samples << " samples, seed " << monte_carlo.seed << "\n\n";

    const spread::Nominal& nominal = report.nominal;
    out << "Nominal line     " << line_text(request.nominal) << "\n"
        << "  Impedance               " << fixed(nominal.z0, 3) << " ohms\n"
        << "  Effective dielectric    " << fixed(nominal.e_eff, 4) << "\n"
        << "  Relative velocity       " << fixed(nominal.velocity, 4) << "\n"
        << "  Delay                   " << fixed(nominal.delay_ps_per_mm, 3) << " ps/mm, "
        << fixed(nominal.delay_ps_per_inch, 2) << " ps/inch\n";
    if (nominal.phase) {
        out << "  Phase length            " << fixed(*nominal.phase, 2) << " degrees of "
            << json_number(*request.length) << " " << name_of(units).name << " at " << json_number(*request.freq)
            << " GHz\n";
    }

    out << "\nSensitivities, the largest share of the variance first\n"
        << "  input  tolerance              Z0 at +tol   Z0 at -tol   share\n";
    for (const spread::Sensitivity& sensitivity : report.sensitivities) {
        std::string row = "  " + std::string(name_of(sensitivity.input));
        row.resize(9, ' ');
        row += tolerance_text(request, sensitivity.input, sensitivity.tolerance);
        row.resize(33, ' ');
        const std::string above = change(sensitivity.z0_above - nominal.z0);
        const std::string below = change(sensitivity.z0_below - nominal.z0);
        row += std::string(11 - std::min<std::size_t>(11, above.size()), ' ') + above;
        row += std::string(13 - std::min<std::size_t>(13, below.size()), ' ') + below;
        row += "   " + fixed(kPercent * sensitivity.share, 1) + " %";
        out << row << "\n";
    }

    const spread::WorstCase& worst = report.worst_case;
    out << "\nWorst case        " << fixed(worst.lowest, 3) << " to " << fixed(worst.highest, 3) << " ohms, "
        << (worst.searched ? "searched inside the box: Z0 is not monotone in every input"
                           : "at corners of the box: Z0 is monotone in every input")
        << "\n  lowest at        " << line_text(worst.lowest_at) << "\n  highest at       "
        << line_text(worst.highest_at) << "\n"
        << "Root-sum-square   " << fixed(nominal.z0 - report.root_sum_square, 3) << " to "
        << fixed(nominal.z0 + report.root_sum_square, 3) << " ohms (±" << fixed(report.root_sum_square, 3) << ")\n";

    out << "\nMonte Carlo       mean " << fixed(monte_carlo.z0.mean, 3) << " ohms, standard deviation "
        << fixed(monte_carlo.z0.standard_deviation, 3) << " ohms\n  percentiles     ";
    for (std::size_t index = 0; index < spread::kPercentiles.size(); ++index) {
        out << (index == 0 ? "" : ", ") << json_number(spread::kPercentiles[index])
            << " %: " << fixed(monte_carlo.percentiles[index], 3);
    }
    out << "\n";
    if (monte_carlo.outside_model != 0) {
        out << "  outside model   " << monte_carlo.outside_model
            << " samples (T below 0 or er below 1): no impedance, counted out of the band\n";
    }
    if (monte_carlo.yield) {
        out << "  yield           " << share_text(*monte_carlo.yield) << " inside " << json_number(*request.target)
            << " ± " << fixed(request.band->about(*request.target), 3) << " ohms\n";
    }
    if (report.centring) {
        const spread::Centring& centring = *report.centring;
        out << "\nCentring on " << json_number(*request.target) << " ohms (" << centring.runs << " Monte Carlo runs)\n"
            << "  the most yield    W " << people(centring.width_for_yield) << ", yield " << share_text(centring.yield)
            << "; no better " << people(centring.step) << " either side\n"
            << "  median on target  W " << people(centring.width_for_median) << ", yield "
            << share_text(centring.yield_at_median_width) << "\n";
    }
    out << "\n" << spread::kModelLimits << "\n";
}

void write_samples_csv(std::ostream& out, const spread::Report& report) {
    out << "sample,w,h,t,er,z0\n";
    std::string row;
    for (std::uint64_t sample = 0; sample < report.sample_z0.size(); ++sample) {
        row = std::to_string(sample);
        for (const spread::SampleColumn& column : report.sample_lines) {
            row += ',';
            row += json_number(column[sample]);
        }
        row += ',';
        if (std::isfinite(report.sample_z0[sample])) {
            row += json_number(report.sample_z0[sample]);
        }
        out << row << '\n';
    }
}

}  // namespace velmoka::command_line
