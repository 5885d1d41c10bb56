#include "commands/spread_command.h"

#include "calculator/shown_boxes.h"
#include "commands/request_fault.h"
#include "field_solver/field_pair.h"
#include "spread/pair_values.h"
#include "spread/random_draws.h"

#include <cmath>

namespace velmoka::commands {

namespace {

inline constexpr std::array<std::string_view, 2> kDistributions = spread::kDistributionNames;

// Checked by the budget's own rule: not negative, and under 100 % on W, H and S.
constexpr Parameter tolerance_on(std::string_view key, std::string_view help) {
    return {key, Form::tolerance, Quantity::none, Need::optional, kNotGiven, kAnyNumber, {}, help};
}

constexpr std::array<Parameter, 20> kParameters = {{
    {"w", Form::number, Quantity::length, Need::required, kNotGiven, kAboveZero, {}, "the nominal strip width W"},
    {"h",
     Form::number,
     Quantity::length,
     Need::required,
     kNotGiven,
     kAboveZero,
     {},
     "the nominal dielectric thickness H"},
    {"t",
     Form::number,
     Quantity::length,
     Need::required,
     kNotGiven,
     kZeroOrAbove,
     {},
     "the nominal conductor thickness T"},
    {"er",
     Form::number,
     Quantity::none,
     Need::required,
     kNotGiven,
     kOneOrAbove,
     {},
     "the nominal relative permittivity of the dielectric"},
    {"length",
     Form::number,
     Quantity::length,
     Need::optional,
     kNotGiven,
     kAnyNumber,
     {},
     "the physical length: with freq, the nominal phase length is given too"},
    {"freq",
     Form::number,
     Quantity::frequency,
     Need::optional,
     kNotGiven,
     kAnyNumber,
     {},
     "the frequency of the phase length"},
    {"s",
     Form::number,
     Quantity::length,
     Need::optional,
     kNotGiven,
     kAboveZero,
     {},
     "the gap S between the facing sides of a pair's strips (the budget is then of the edge-coupled "
     "pair's differential impedance)"},
    tolerance_on("tol_w", "the tolerance on W, in its unit or in % of it (10%); under 100 %"),
    tolerance_on("tol_h", "the tolerance on H, in its unit or in % of it; under 100 %"),
    tolerance_on("tol_t", "the tolerance on T, in its unit or in % of it"),
    tolerance_on("tol_er", "the tolerance on er, or in % of it"),
    tolerance_on("tol_s", "the tolerance on a pair's gap S, in its unit or in % of it; under 100 %"),
    {"dist", Form::choice, Quantity::none, Need::defaulted, 0.0, kAnyNumber, kDistributions,
     "normal (each tolerance is 3 sigma) or uniform over the tolerance"},
    {"samples",
     Form::count,
     Quantity::none,
     Need::defaulted,
     100'000.0,
     Range{1.0, static_cast<double>(spread::kMostSamples), false, "must be from 1 to 100000000"},
     {},
     "Monte Carlo samples, 1 to 100000000"},
    {"seed",
     Form::count,
     Quantity::none,
     Need::optional,
     kNotGiven,
     kAnyNumber,
     {},
     "the Monte Carlo run's seed, to repeat it (one is chosen and reported otherwise)"},
    {"target",
     Form::number,
     Quantity::impedance,
     Need::optional,
     kNotGiven,
     kAboveZero,
     {},
     "the impedance the yield is counted about"},
    {"band",
     Form::tolerance,
     Quantity::impedance,
     Need::optional,
     kNotGiven,
     kAboveZero,
     {},
     "plus or minus the band about the target, ohms or % (10%)"},
    {"centre",
     Form::flag,
     Quantity::none,
     Need::optional,
     kNotGiven,
     kAnyNumber,
     {},
     "also find the widths that centre the spread on the target"},
    {"samples_out",
     Form::path,
     Quantity::none,
     Need::optional,
     kNotGiven,
     kAnyNumber,
     {},
     "writes the samples to a CSV file"},
    {"plot",
     Form::path,
     Quantity::none,
     Need::optional,
     kNotGiven,
     kAnyNumber,
     {},
     "draws the spread of the impedance and the sensitivities as SVG"},
}};

// The opening window's value of the line's inputs and of the frequency.
constexpr std::array<Box, 6> kOpeningBoxes = {Box::w_txt,  Box::h_txt,       Box::t_txt,
                                              Box::er_txt, Box::length1_txt, Box::freq_txt};

// The field solution's differential impedance at the nominal pair: the closed form's figures are
// corrected by its difference there.
spread::FieldAtNominal field_at(const spread::Line& pair) {
    using spread::Input;
    const FieldPair field = field_pair(pair[Input::w], pair[Input::s], pair[Input::h], pair[Input::t], pair[Input::er]);
    return {field.status == FieldPairStatus::ok ? differential_impedance(field.modes) : kNotGiven,
            std::string(field_pair_status_text(field.status))};
}

// A number given, checked against its parameter's range.
double checked(const GivenValues& given, SpreadParameter parameter) {
    const Parameter& declared = kParameters[parameter];
    if (const std::optional<std::string_view> fault = fault_in(declared, given[parameter].number)) {
        throw RequestFault(declared.key, *fault);
    }
    return given[parameter].number;
}

}  // namespace

const Command kSpread = {
    .word = "spread",
    .python_name = "spread",
    .caption = "Tolerance budget",
    .summary =
        "The tolerance budget of a line or of a pair's differential impedance: nominal, sensitivities, worst case, "
        "Monte Carlo, yield and centring",
    .units = UnitChoice::lengths,
    .parameters = kParameters,
    .positional = 4,
    .opens_like_the_window = true,
};

spread::Request spread_request(const GivenValues& given_values, LengthUnit units, bool opening_window) {
    GivenValues given = given_values;
    for (int parameter = spread_w; parameter <= spread_freq; ++parameter) {
        GivenValue& value = given[static_cast<std::size_t>(parameter)];
        const bool opening_value = parameter != spread_freq || given[spread_length].given;
        if (!value.given && opening_window && opening_value) {
            value.given = true;
            value.number = opening_reading(kOpeningBoxes[static_cast<std::size_t>(parameter)]);
        }
        if (!value.given && kParameters[static_cast<std::size_t>(parameter)].need == Need::required) {
            throw MissingParameter(kParameters[static_cast<std::size_t>(parameter)].key);
        }
    }
    spread::Request request;
    request.nominal.values = {checked(given, spread_w), checked(given, spread_h), checked(given, spread_t),
                              checked(given, spread_er)};
    request.metres_per_unit = metres_per(units);
    if (given[spread_freq].given) {
        checked(given, spread_freq);  // read, and so checked, even without a length
    }
    if (given[spread_length].given && given[spread_freq].given) {
        request.length = checked(given, spread_length);
        request.freq = given[spread_freq].number;
    }
    if (given[spread_s].given) {
        request.nominal[spread::Input::s] = checked(given, spread_s);
        if (std::isnan(differential_impedance(spread::pair_modes(request.nominal)))) {
            throw RequestFault("s", "makes a pair the closed form has no sound answer for");
        }
    } else if (given[tol_s].given) {
        throw RequestFault("tol_s", "needs a gap s", RequestFault::About::request);
    }
    for (int input = 0; input < static_cast<int>(spread::kInputs); ++input) {
        const GivenValue& tolerance = given[static_cast<std::size_t>(tol_w + input)];
        if (!tolerance.given) {
            continue;
        }
        request.tolerances[static_cast<std::size_t>(input)] = {tolerance.number, tolerance.percent};
        if (const std::optional<std::string_view> fault =
                spread::fault_in(static_cast<spread::Input>(input), request.tolerances[static_cast<std::size_t>(input)],
                                 request.nominal.values[static_cast<std::size_t>(input)])) {
            throw RequestFault(kParameters[static_cast<std::size_t>(tol_w + input)].key, *fault);
        }
    }
    request.distribution = given[spread_dist].given && given[spread_dist].number == 1.0 ? spread::Distribution::uniform
                                                                                        : spread::Distribution::normal;
    if (given[spread_samples].given) {
        const double samples = static_cast<double>(given[spread_samples].count);
        if (!kParameters[spread_samples].range.holds(samples)) {
            throw RequestFault("samples", kParameters[spread_samples].range.fault);
        }
        request.samples = given[spread_samples].count;
    }
    request.seed = given[spread_seed].given ? given[spread_seed].count : spread::fresh_seed();
    const bool target = given[spread_target].given;
    const bool band = given[spread_band].given;
    if (target != band) {
        throw target ? RequestFault("target", "needs a band", RequestFault::About::request)
                     : RequestFault("band", "needs a target", RequestFault::About::request);
    }
    request.centre = given[spread_centre].given;
    if (request.centre && !target) {
        throw RequestFault("centre", "needs a target and a band", RequestFault::About::request);
    }
    if (target) {
        request.target = checked(given, spread_target);
        request.band = spread::Tolerance{checked(given, spread_band), given[spread_band].percent};
    }
    if (given[spread_s].given) {
        request.field = field_at(request.nominal);
    }
    return request;
}

}  // namespace velmoka::commands
