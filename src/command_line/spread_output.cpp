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

using spread::Impedance;
using spread::Input;

constexpr double kPercent = 100.0;
// Where the sensitivities' two columns of changes end.
constexpr std::size_t kAboveColumnEnd = 42;
constexpr std::size_t kBelowColumnEnd = 55;

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

std::string line_text(const spread::Line& line, Impedance of) {
    const std::string strip = "W " + people(line[Input::w]) + "  H " + people(line[Input::h]) + "  T " +
                              people(line[Input::t]) + "  er " + people(line[Input::er]);
    return of == Impedance::z0 ? strip : strip + "  S " + people(line[Input::s]);
}

// The impedance's name in people's text: Z0 of a line, z_diff of a pair.
std::string_view people_name(Impedance of) {
    return of == Impedance::z0 ? "Z0" : "z_diff";
}

std::string percentiles_text(const std::vector<double>& percentiles) {
    std::string text;
    for (std::size_t index = 0; index < spread::kPercentiles.size(); ++index) {
        text +=
            (index == 0 ? "" : ", ") + json_number(spread::kPercentiles[index]) + " %: " + fixed(percentiles[index], 3);
    }
    return text;
}

std::string share_text(const spread::Share& share) {
    return fixed(kPercent * share.share, 2) + " % (" + fixed(kPercent * spread::kConfidence, 0) +
           " % confidence: " + fixed(kPercent * share.lowest, 2) + " to " + fixed(kPercent * share.highest, 2) + " %)";
}

void write_nominal(std::ostream& out, const spread::Request& request, const spread::Nominal& nominal) {
    if (!nominal.modes) {
        out << "Nominal line     " << line_text(request.nominal, Impedance::z0) << "\n"
            << "  Impedance               " << fixed(nominal.z0, 3) << " ohms\n"
            << "  Effective dielectric    " << fixed(nominal.e_eff, 4) << "\n"
            << "  Relative velocity       " << fixed(nominal.velocity, 4) << "\n";
        return;
    }
    out << "Nominal pair     " << line_text(request.nominal, Impedance::z_diff) << "\n"
        << "  Differential impedance  " << fixed(nominal.z0, 3) << " ohms, closed form\n";
    if (request.field && std::isfinite(request.field->z_diff)) {
        const double off = kPercent * (nominal.z0 / request.field->z_diff - 1.0);
        out << "  Field solution          " << fixed(request.field->z_diff, 3) << " ohms, the closed form "
            << fixed(std::fabs(off), 2) << (off < 0.0 ? " % below it\n" : " % above it\n");
    } else {
        out << "  Field solution          none (" << (request.field ? request.field->status : "not solved")
            << "): nothing corrected\n";
    }
    out << "  Even mode               " << fixed(nominal.modes->z_even, 3) << " ohms, effective dielectric "
        << fixed(nominal.modes->e_eff_even, 4) << "\n"
        << "  Odd mode                " << fixed(nominal.modes->z_odd, 3) << " ohms, effective dielectric "
        << fixed(nominal.modes->e_eff_odd, 4) << "\n"
        << "  Relative velocity       " << fixed(nominal.velocity, 4) << " (odd mode)\n";
}

void write_sensitivities(std::ostream& out, const spread::Request& request, const spread::Report& report,
                         Impedance of) {
    const std::string_view above_title = of == Impedance::z0 ? "Z0 at +tol" : "z_diff +tol";
    const std::string_view below_title = of == Impedance::z0 ? "Z0 at -tol" : "z_diff -tol";
    std::string titles = "  input  tolerance";
    titles.resize(kAboveColumnEnd - above_title.size(), ' ');
    titles += above_title;
    titles.resize(kBelowColumnEnd - below_title.size(), ' ');
    titles += below_title;
    out << "\nSensitivities, the largest share of the variance first\n" << titles << "   share\n";
    for (const spread::Sensitivity& sensitivity : report.sensitivities) {
        std::string row = "  " + std::string(name_of(sensitivity.input));
        row.resize(9, ' ');
        row += tolerance_text(request, sensitivity.input, sensitivity.tolerance);
        row.resize(33, ' ');
        const std::string above = change(sensitivity.z0_above - report.nominal.z0);
        const std::string below = change(sensitivity.z0_below - report.nominal.z0);
        row += std::string(11 - std::min<std::size_t>(11, above.size()), ' ') + above;
        row += std::string(13 - std::min<std::size_t>(13, below.size()), ' ') + below;
        row += "   " + fixed(kPercent * sensitivity.share, 1) + " %";
        out << row << "\n";
    }
}

void write_yield(std::ostream& out, const spread::Request& request, const spread::Share& yield) {
    out << "  yield           " << share_text(yield) << " inside " << json_number(*request.target) << " ± "
        << fixed(request.band->about(*request.target), 3) << " ohms\n";
}

void write_corrected(std::ostream& out, const spread::Request& request, const spread::Corrected& corrected) {
    out << "\nCorrected         every z_diff times " << fixed(corrected.factor, 5)
        << ", the field's over the closed form's at the nominal\n"
        << "                  mean " << fixed(corrected.mean, 3) << " ohms, standard deviation "
        << fixed(corrected.standard_deviation, 3) << " ohms\n"
        << "  percentiles     " << percentiles_text(corrected.percentiles) << "\n";
    if (corrected.yield) {
        write_yield(out, request, *corrected.yield);
    }
    out << "  (as if the closed form's error at the nominal were the same across the spread)\n";
}

}  // namespace

std::string fixed(double value, int decimals) {
    std::array<char, 64> text;
    const int length = std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
    return std::string(text.data(), static_cast<std::size_t>(std::max(length, 0)));
}

void write_spread_text(std::ostream& out, const spread::Request& request, const spread::Report& report,
                       LengthUnit units) {
    const Impedance of = spread::impedance_of(request.nominal);
    const spread::MonteCarlo& monte_carlo = report.monte_carlo;
    out << (of == Impedance::z0 ? "Tolerance budget" : "Tolerance budget of the pair's differential impedance")
        << ", dimensions in " << name_of(units).name << ", "
        << spread::kDistributionNames[static_cast<std::size_t>(request.distribution)]
        << (request.distribution == spread::Distribution::normal ? " spread (each tolerance 3 sigma)"
                                                                 : " spread over each tolerance")
        << ", " << monte_carlo.samples << " samples, seed " << monte_carlo.seed << "\n\n";

    const spread::Nominal& nominal = report.nominal;
    write_nominal(out, request, nominal);
    out << "  Delay                   " << fixed(nominal.delay_ps_per_mm, 3) << " ps/mm, "
        << fixed(nominal.delay_ps_per_inch, 2) << " ps/inch\n";
    if (nominal.phase) {
        out << "  Phase length            " << fixed(*nominal.phase, 2) << " degrees of "
            << json_number(*request.length) << " " << name_of(units).name << " at " << json_number(*request.freq)
            << " GHz\n";
    }
    write_sensitivities(out, request, report, of);

    const spread::WorstCase& worst = report.worst_case;
    const std::string name(people_name(of));
    out << "\nWorst case        " << fixed(worst.lowest, 3) << " to " << fixed(worst.highest, 3) << " ohms, "
        << (worst.searched ? "searched inside the box: " + name + " is not monotone in every input"
                           : "at corners of the box: " + name + " is monotone in every input")
        << "\n  lowest at        " << line_text(worst.lowest_at, of) << "\n  highest at       "
        << line_text(worst.highest_at, of) << "\n"
        << "Root-sum-square   " << fixed(nominal.z0 - report.root_sum_square, 3) << " to "
        << fixed(nominal.z0 + report.root_sum_square, 3) << " ohms (±" << fixed(report.root_sum_square, 3) << ")\n";

    out << "\nMonte Carlo       mean " << fixed(monte_carlo.z0.mean, 3) << " ohms, standard deviation "
        << fixed(monte_carlo.z0.standard_deviation, 3) << " ohms\n  percentiles     "
        << percentiles_text(monte_carlo.percentiles) << "\n";
    if (monte_carlo.outside_model != 0) {
        out << "  outside model   " << monte_carlo.outside_model
            << (of == Impedance::z0
                    ? " samples (T below 0 or er below 1): no impedance, counted out of the band\n"
                    : " samples (T below 0, er below 1, or no sound answer of the closed form): no z_diff, counted "
                      "out of the band\n");
    }
    if (monte_carlo.yield) {
        write_yield(out, request, *monte_carlo.yield);
    }
    if (report.corrected) {
        write_corrected(out, request, *report.corrected);
    }
    if (report.centring) {
        const spread::Centring& centring = *report.centring;
        out << "\nCentring on " << json_number(*request.target) << " ohms"
            << (report.corrected ? " of the corrected z_diff" : "") << " (" << centring.runs << " Monte Carlo runs)\n"
            << "  the most yield    W " << people(centring.width_for_yield) << ", yield " << share_text(centring.yield)
            << "; no better " << people(centring.step) << " either side\n"
            << "  median on target  W " << people(centring.width_for_median) << ", yield "
            << share_text(centring.yield_at_median_width) << "\n";
    }
    out << "\n" << spread::model_limits(of) << "\n";
}

void write_samples_csv(std::ostream& out, const spread::Request& request, const spread::Report& report) {
    const Impedance of = spread::impedance_of(request.nominal);
    const std::size_t inputs = spread::inputs_of(of);
    std::string row = "sample";
    for (std::size_t input = 0; input < inputs; ++input) {
        (row += ',') += spread::kInputNames[input];
    }
    out << row << ',' << spread::kImpedanceNames[static_cast<std::size_t>(of)] << '\n';
    for (std::uint64_t sample = 0; sample < report.sample_z0.size(); ++sample) {
        row = std::to_string(sample);
        for (std::size_t input = 0; input < inputs; ++input) {
            row += ',';
            row += json_number(report.sample_lines[input][sample]);
        }
        row += ',';
        if (std::isfinite(report.sample_z0[sample])) {
            row += json_number(report.sample_z0[sample]);
        }
        out << row << '\n';
    }
}

}  // namespace velmoka::command_line
