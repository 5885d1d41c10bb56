#include "commands/pair_commands.h"

#include "common/length_units.h"
#include "field_solver/field_pair.h"
#include "field_solver/field_pair_search.h"
#include "maths/coupled_dispersion.h"
#include "maths/coupled_microstrip.h"
#include "maths/pair_search.h"

#include <algorithm>

namespace velmoka::commands {

namespace {

constexpr std::array<std::string_view, 2> kSolvers = {"field", "formula"};
constexpr double kField = 0.0;  // the place of "field" among the solvers

constexpr Parameter length(std::string_view key, Need need, std::string_view help) {
    return {key, Form::number, Quantity::length, need, kNotGiven, kAboveZero, {}, help};
}

constexpr Parameter kHeight = length("h", Need::required, "the dielectric thickness H");
constexpr Parameter kThickness{"t",
                               Form::number,
                               Quantity::length,
                               Need::required,
                               kNotGiven,
                               kZeroOrAbove,
                               {},
                               "the conductor thickness T of each strip (0: none)"};
constexpr Parameter kPermittivity{"er",
                                  Form::number,
                                  Quantity::none,
                                  Need::required,
                                  kNotGiven,
                                  kOneOrAbove,
                                  {},
                                  "the relative permittivity of the dielectric"};
constexpr Parameter kWantedDifferential{"z_diff",
                                        Form::number,
                                        Quantity::impedance,
                                        Need::required,
                                        kNotGiven,
                                        kAboveZero,
                                        {},
                                        "the differential impedance wanted, 2 z_odd"};
constexpr Parameter kSolver{
    "solver", Form::choice, Quantity::none, Need::defaulted,
    kField,   kAnyNumber,   kSolvers,       "field (the field solution, the default) or formula (the closed form)"};

// The results every pair gives, in their order among a command's results, after the geometry's.
enum ModeResult : int { z_even, z_odd, er_eff_even, er_eff_odd, z_diff, z_common, coupling };
constexpr int kModes = 7;
enum AccuracyResult : int { z_even_accuracy = kModes, z_odd_accuracy, er_eff_even_accuracy, er_eff_odd_accuracy };
constexpr int kModesAndAccuracies = kModes + 4;

constexpr Column result_column(std::string_view key, std::string_view caption, Quantity quantity, int result,
                               int parameter = -1) {
    return {key, caption, quantity, parameter, result};
}

// The columns of a row in pieces, joined in their order.
template <std::size_t... Sizes>
constexpr std::array<Column, (Sizes + ...)> joined(const std::array<Column, Sizes>&... pieces) {
    std::array<Column, (Sizes + ...)> columns{};
    std::size_t at = 0;
    ((std::copy(pieces.begin(), pieces.end(), columns.begin() + at), at += Sizes), ...);
    return columns;
}

constexpr std::array<Column, 4> kModeColumns = {{
    result_column("z_even", "Even-mode impedance", Quantity::impedance, z_even),
    result_column("z_odd", "Odd-mode impedance", Quantity::impedance, z_odd),
    result_column("er_eff_even", "Even-mode effective dielectric", Quantity::none, er_eff_even),
    result_column("er_eff_odd", "Odd-mode effective dielectric", Quantity::none, er_eff_odd),
}};
constexpr std::array<Column, 2> kCommonAndCoupling = {{
    result_column("z_common", "Common impedance", Quantity::impedance, z_common),
    result_column("coupling", "Coupling coefficient", Quantity::none, coupling),
}};
constexpr std::array<Column, 1> kDifferential = {
    result_column("z_diff", "Differential impedance", Quantity::impedance, z_diff)};
constexpr std::array<Column, 4> kAccuracyColumns = {{
    result_column("z_even_accuracy", "Even-mode impedance accuracy", Quantity::none, z_even_accuracy),
    result_column("z_odd_accuracy", "Odd-mode impedance accuracy", Quantity::none, z_odd_accuracy),
    result_column("er_eff_even_accuracy", "Even-mode effective accuracy", Quantity::none, er_eff_even_accuracy),
    result_column("er_eff_odd_accuracy", "Odd-mode effective accuracy", Quantity::none, er_eff_odd_accuracy),
}};

void set_modes(RowAnswer& answer, const PairModes& modes) {
    const auto set = [&](int result, double value) { answer.results[static_cast<std::size_t>(result)] = value; };
    set(z_even, modes.z_even);
    set(z_odd, modes.z_odd);
    set(er_eff_even, modes.e_eff_even);
    set(er_eff_odd, modes.e_eff_odd);
    set(z_diff, differential_impedance(modes));
    set(z_common, common_impedance(modes));
    set(coupling, coupling_coefficient(modes));
}

void set_accuracies(RowAnswer& answer, const PairModes& accuracy) {
    answer.results[z_even_accuracy] = accuracy.z_even;
    answer.results[z_odd_accuracy] = accuracy.z_odd;
    answer.results[er_eff_even_accuracy] = accuracy.e_eff_even;
    answer.results[er_eff_odd_accuracy] = accuracy.e_eff_odd;
}

// The closed form beyond the ranges its formulas were fitted over still answers, with a warning
// for each bit of PairRangeWarnings.
constexpr std::array<std::string_view, 10> kFormulaWarnings = {
    "W/H outside 0.1 to 10, the range of Kirschning and Jansen's pair",
    "S/H outside 0.1 to 10, the range of Kirschning and Jansen's pair",
    "er above 18, the range of Kirschning and Jansen's pair",
    "f·H above 25 GHz·mm, the range of Kirschning and Jansen's pair at frequency",
    "W/H outside 0.1 to 100, the range of the single strip's e_eff(f)",
    "er above 20, the range of the single strip's e_eff(f)",
    "H above 0.13 free-space wavelengths, the range of the single strip's e_eff(f)",
    "W/H outside 0.1 to 10, the range of the single strip's Z0(f)",
    "er above 18, the range of the single strip's Z0(f)",
    "H above 0.1 free-space wavelengths, the range of the single strip's Z0(f)",
};
constexpr double kMillimetresPerMetre = 1.0 / kMetresPerMillimetre;

// The words of the field solution's and the searches' ends but a solution.
const std::array<std::string_view, 19> kPairMessages = {
    field_pair_status_text(FieldPairStatus::width_out_of_range),
    field_pair_status_text(FieldPairStatus::gap_out_of_range),
    field_pair_status_text(FieldPairStatus::height_out_of_range),
    field_pair_status_text(FieldPairStatus::thickness_out_of_range),
    field_pair_status_text(FieldPairStatus::permittivity_out_of_range),
    field_pair_status_text(FieldPairStatus::accuracy_not_reached),
    coupled_status_text(CoupledStatus::no_sound_answer),
    "out of reach: above the pair's at the narrowest width, W/H 0.05",
    "out of reach: below the pair's at the widest width, W/H 20",
    "out of reach: below the pair's at the smallest gap, S/H 0.05",
    "out of reach: above the pair's at the largest gap, S/H 20",
    "a field solution on the way did not reach its accuracy",
    "the search did not settle",
    "the width or the gap, and not both, is left out for z_diff",
    coupled_status_text(CoupledStatus::width_invalid),
    coupled_status_text(CoupledStatus::gap_invalid),
    coupled_status_text(CoupledStatus::height_invalid),
    coupled_status_text(CoupledStatus::thickness_invalid),
    coupled_status_text(CoupledStatus::permittivity_invalid),
};

// The verdict of a field solution that is not ok, keyed to what is out of range.
Verdict field_verdict(FieldPairStatus status) {
    const auto key = [&]() -> std::string_view {
        switch (status) {
            case FieldPairStatus::width_out_of_range:
                return "w";
            case FieldPairStatus::gap_out_of_range:
                return "s";
            case FieldPairStatus::height_out_of_range:
                return "h";
            case FieldPairStatus::thickness_out_of_range:
                return "t";
            case FieldPairStatus::permittivity_out_of_range:
                return "er";
            case FieldPairStatus::ok:
            case FieldPairStatus::accuracy_not_reached:
                break;
        }
        return "";
    }();
    if (status == FieldPairStatus::ok) {
        return {};
    }
    return {key.empty() ? Status::incomplete : Status::stopped, Fault{field_pair_status_text(status), key}, 0};
}

// The verdict of a search that did not meet its target; by_width: the width was sought.
Verdict search_verdict(PairSearchEnd end, bool by_width) {
    const std::string_view sought = by_width ? "w" : "s";
    switch (end) {
        case PairSearchEnd::met_tolerance:
            return {};
        case PairSearchEnd::beyond_narrowest_width:
            return {Status::stopped, Fault{kPairMessages[7], sought}, 0};
        case PairSearchEnd::beyond_widest_width:
            return {Status::stopped, Fault{kPairMessages[8], sought}, 0};
        case PairSearchEnd::beyond_narrowest_gap:
            return {Status::stopped, Fault{kPairMessages[9], sought}, 0};
        case PairSearchEnd::beyond_widest_gap:
            return {Status::stopped, Fault{kPairMessages[10], sought}, 0};
        case PairSearchEnd::field_not_solved:
            return {Status::stopped, Fault{kPairMessages[11], sought}, 0};
        case PairSearchEnd::no_sound_answer:
            return {Status::stopped, Fault{kPairMessages[6], sought}, 0};
        case PairSearchEnd::no_pair:
        case PairSearchEnd::did_not_settle:
            break;
    }
    return {Status::stopped, Fault{kPairMessages[12], sought}, 0};
}

// The closed form's answer: its verdict, the modes where it has them.
struct Formula {
    CoupledMicrostrip pair;
    Verdict verdict;
};

// The static pair's ranges passed, as the pair at frequency flags them.
Warnings static_warnings(double u, double g, double er) {
    const auto outside = [](double ratio) {
        return !(ratio >= kCoupledFittedSmallestRatio && ratio <= kCoupledFittedLargestRatio);
    };
    PairRangeWarnings warnings;
    if (outside(u)) {
        warnings.add(PairRangeWarning::pair_width_ratio);
    }
    if (outside(g)) {
        warnings.add(PairRangeWarning::pair_gap_ratio);
    }
    if (er > kCoupledFittedLargestPermittivity) {
        warnings.add(PairRangeWarning::pair_permittivity);
    }
    return warnings.flags;
}

// The closed form, static or, given fn = f·H in GHz·mm, at that frequency.
Formula formula(double u, double g, double t, double er, std::optional<double> fn = std::nullopt) {
    Formula answer{coupled_microstrip(u, g, t, er), {}};
    if (fn && (answer.pair.status == CoupledStatus::ok || answer.pair.status == CoupledStatus::beyond_fitted_range)) {
        const CoupledAtFrequency at_frequency = coupled_at_frequency(answer.pair, u, g, t, er, *fn);
        answer.pair = {at_frequency.modes, at_frequency.status};
        answer.verdict.warnings = at_frequency.warnings.flags;
    } else {
        answer.verdict.warnings = static_warnings(u, g, er);
    }
    if (answer.pair.status != CoupledStatus::ok && answer.pair.status != CoupledStatus::beyond_fitted_range) {
        answer.verdict = {Status::stopped, Fault{coupled_status_text(answer.pair.status), ""}, 0};
    }
    return answer;
}

// fn = f·H in GHz·mm of a request's frequency, where it has one.
std::optional<double> normalised_frequency_of(const RowRequest& request, int freq, double height) {
    if (!request.given(freq)) {
        return std::nullopt;
    }
    return request.values[static_cast<std::size_t>(freq)] * height * metres_per(request.units) * kMillimetresPerMetre;
}

// The geometry of a request by its parameters' places, and its ratios to H.
struct Geometry {
    double w, s, h, t, er;
    double u() const { return w / h; }
    double g() const { return s / h; }
    double t_ratio() const { return t / h; }
};

double value(const RowRequest& request, int parameter) {
    return request.values[static_cast<std::size_t>(parameter)];
}

// ---- velmoka.pair: the closed form.

enum FormulaParameter : int { formula_w, formula_s, formula_h, formula_t, formula_er, formula_freq };
constexpr Parameter kFrequency{"freq",
                               Form::number,
                               Quantity::frequency,
                               Need::optional,
                               kNotGiven,
                               kZeroOrAbove,
                               {},
                               "the frequency of the closed form's dispersion (static where none is given)"};
constexpr std::array<Parameter, 6> kFormulaParameters = {{
    length("w", Need::required, "the width W of each strip"),
    length("s", Need::required, "the gap S between the strips' facing sides"),
    kHeight,
    kThickness,
    kPermittivity,
    kFrequency,
}};
// The field solution is quasi-static: it takes no frequency.
constexpr std::array<Parameter, 5> kFieldParameters = {
    kFormulaParameters[0], kFormulaParameters[1], kFormulaParameters[2], kFormulaParameters[3], kFormulaParameters[4]};
constexpr std::array<Column, 5> kGeometryColumns = {{
    {"w", "Width", Quantity::length, formula_w},
    {"s", "Gap", Quantity::length, formula_s},
    {"h", "Dielectric Thickness", Quantity::length, formula_h},
    {"t", "Conductor Thickness", Quantity::length, formula_t},
    {"er", "Dielectric Constant", Quantity::none, formula_er},
}};
constexpr std::array<Column, 1> kFrequencyColumn = {{{"freq", "Frequency", Quantity::frequency, formula_freq}}};
constexpr auto kFormulaColumns =
    joined(kGeometryColumns, kFrequencyColumn, kModeColumns, kDifferential, kCommonAndCoupling);

void answer_formula(const RowRequest& request, RowAnswer& answer) {
    const Geometry line{value(request, formula_w), value(request, formula_s), value(request, formula_h),
                        value(request, formula_t), value(request, formula_er)};
    const Formula found =
        formula(line.u(), line.g(), line.t_ratio(), line.er, normalised_frequency_of(request, formula_freq, line.h));
    answer.verdict = found.verdict;
    if (answer.verdict.status == Status::ok) {
        set_modes(answer, found.pair.modes);
    }
}

// ---- velmoka.field_pair: the field solution.

constexpr auto kFieldColumns =
    joined(kGeometryColumns, kModeColumns, kDifferential, kCommonAndCoupling, kAccuracyColumns);

void answer_field(const RowRequest& request, RowAnswer& answer) {
    const FieldPair field = field_pair(value(request, formula_w), value(request, formula_s), value(request, formula_h),
                                       value(request, formula_t), value(request, formula_er));
    answer.verdict = field_verdict(field.status);
    set_modes(answer, field.modes);
    set_accuracies(answer, field.accuracy);
}

// ---- velmoka.pair_width and pair_gap: the width or the gap for a differential impedance.

enum SearchParameter : int { search_z_diff, search_other, search_h, search_t, search_er, search_solver };
// The results of a search: the modes, their accuracies, then the dimension found.
constexpr int kFound = kModesAndAccuracies;

template <bool by_width>
constexpr std::array<Parameter, 6> search_parameters() {
    return {{
        kWantedDifferential,
        by_width ? length("s", Need::required, "the gap S between the strips' facing sides")
                 : length("w", Need::required, "the width W of each strip"),
        kHeight,
        kThickness,
        kPermittivity,
        kSolver,
    }};
}

template <bool by_width>
constexpr auto search_columns() {
    const Column found{by_width ? "w" : "s", by_width ? "Width" : "Gap", Quantity::length, -1, kFound};
    const Column given{by_width ? "s" : "w", by_width ? "Gap" : "Width", Quantity::length, search_other};
    const std::array<Column, 6> geometry = {{
        result_column("z_diff", "Differential impedance", Quantity::impedance, z_diff, search_z_diff),
        by_width ? found : given,
        by_width ? given : found,
        {"h", "Dielectric Thickness", Quantity::length, search_h},
        {"t", "Conductor Thickness", Quantity::length, search_t},
        {"er", "Dielectric Constant", Quantity::none, search_er},
    }};
    return joined(geometry, kModeColumns, kCommonAndCoupling, kAccuracyColumns);
}

// The dimension sought for z_diff, the other one given, on the field solution or the closed form.
struct Search {
    double ratio;
    PairModes modes;
    PairModes accuracy;
    Verdict verdict;
    std::optional<FieldPair> field;  // on the field, its solution at the ratio found
};

Search search(bool by_width, bool on_the_field, double z_wanted, double other_ratio, double t, double er) {
    const PairModes unknown{kNotGiven, kNotGiven, kNotGiven, kNotGiven};
    if (on_the_field) {
        const FieldPairDesign design = by_width ? field_width_for_differential_impedance(z_wanted, other_ratio, t, er)
                                                : field_gap_for_differential_impedance(z_wanted, other_ratio, t, er);
        Search found{design.ratio, design.pair.modes, design.pair.accuracy, search_verdict(design.end, by_width),
                     design.pair};
        if (found.verdict.status != Status::ok) {
            found.modes = found.accuracy = unknown;
        }
        return found;
    }
    const PairDesign design = by_width ? width_for_differential_impedance(z_wanted, other_ratio, t, er)
                                       : gap_for_differential_impedance(z_wanted, other_ratio, t, er);
    return {design.ratio, design.modes, unknown, search_verdict(design.end, by_width), std::nullopt};
}

template <bool by_width>
void answer_search(const RowRequest& request, RowAnswer& answer) {
    const double h = value(request, search_h);
    const Search found =
        search(by_width, value(request, search_solver) == kField, value(request, search_z_diff),
               value(request, search_other) / h, value(request, search_t) / h, value(request, search_er));
    answer.verdict = found.verdict;
    answer.results[kFound] = found.ratio * h;
    set_modes(answer, found.modes);
    set_accuracies(answer, found.accuracy);
}

constexpr auto kWidthParameters = search_parameters<true>();
constexpr auto kGapParameters = search_parameters<false>();
constexpr auto kWidthColumns = search_columns<true>();
constexpr auto kGapColumns = search_columns<false>();

// ---- velmoka-cli pair: the field solution and the closed form side by side.

enum PairParameter : int { pair_w, pair_s, pair_h, pair_t, pair_er, pair_z_diff, pair_solver, pair_freq };
constexpr std::array<Parameter, 8> kPairParameters = {{
    length("w", Need::optional, "the width W of each strip; left out with z_diff, the width for it"),
    length("s", Need::optional, "the gap S between the strips' facing sides; left out with z_diff, the gap for it"),
    kHeight,
    kThickness,
    kPermittivity,
    {"z_diff",
     Form::number,
     Quantity::impedance,
     Need::optional,
     kNotGiven,
     kAboveZero,
     {},
     "the differential impedance wanted, with w or s left out"},
    kSolver,
    {"freq",
     Form::number,
     Quantity::frequency,
     Need::optional,
     kNotGiven,
     kZeroOrAbove,
     {},
     "the frequency of the closed form's dispersion, beside the quasi-static field (static where none is given)"},
}};

// The results of a pair: the field's modes and accuracies, the closed form's modes, the closed
// form's differences from the field, then the width and the gap as solved.
constexpr int kModel = kModesAndAccuracies;  // z_even, z_odd, er_eff_even, er_eff_odd, z_diff
constexpr int kDifference = kModel + 5;
constexpr int kSolvedWidth = kDifference + 5;
constexpr int kSolvedGap = kSolvedWidth + 1;

constexpr std::array<Column, 7> kPairGeometry = {{
    {"w", "Width", Quantity::length, pair_w, kSolvedWidth},
    {"s", "Gap", Quantity::length, pair_s, kSolvedGap},
    {"h", "Dielectric Thickness", Quantity::length, pair_h},
    {"t", "Conductor Thickness", Quantity::length, pair_t},
    {"er", "Dielectric Constant", Quantity::none, pair_er},
    result_column("z_diff", "Differential impedance", Quantity::impedance, z_diff, pair_z_diff),
    {"freq", "Frequency", Quantity::frequency, pair_freq},
}};
constexpr std::array<Column, 10> kModelAndDifferences = {{
    result_column("model_z_even", "Closed-form even-mode impedance", Quantity::impedance, kModel + z_even),
    result_column("model_z_odd", "Closed-form odd-mode impedance", Quantity::impedance, kModel + z_odd),
    result_column("model_er_eff_even", "Closed-form even-mode effective", Quantity::none, kModel + er_eff_even),
    result_column("model_er_eff_odd", "Closed-form odd-mode effective", Quantity::none, kModel + er_eff_odd),
    result_column("model_z_diff", "Closed-form differential impedance", Quantity::impedance, kModel + z_diff),
    result_column("z_even_difference", "Even-mode impedance difference", Quantity::none, kDifference + z_even),
    result_column("z_odd_difference", "Odd-mode impedance difference", Quantity::none, kDifference + z_odd),
    result_column("er_eff_even_difference", "Even-mode effective difference", Quantity::none,
                  kDifference + er_eff_even),
    result_column("er_eff_odd_difference", "Odd-mode effective difference", Quantity::none, kDifference + er_eff_odd),
    result_column("z_diff_difference", "Differential impedance difference", Quantity::none, kDifference + z_diff),
}};
constexpr auto kPairColumns =
    joined(kPairGeometry, kModeColumns, kCommonAndCoupling, kAccuracyColumns, kModelAndDifferences);

std::optional<Fault> check_pair(const RowRequest& request) {
    const bool w = request.given(pair_w);
    const bool s = request.given(pair_s);
    if (request.given(pair_z_diff) ? w == s : !(w && s)) {
        return Fault{kPairMessages[13], request.given(pair_z_diff) || !w ? "w" : "s"};
    }
    return std::nullopt;
}

void answer_pair(const RowRequest& request, RowAnswer& answer) {
    const double h = value(request, pair_h);
    const double t = value(request, pair_t) / h;
    const double er = value(request, pair_er);
    double u = value(request, pair_w) / h;
    double g = value(request, pair_s) / h;
    std::optional<FieldPair> solved;  // the field's pair at the dimension found, where the search solved it
    if (request.given(pair_z_diff)) {
        const bool by_width = !request.given(pair_w);
        const Search found = search(by_width, value(request, pair_solver) == kField, value(request, pair_z_diff),
                                    by_width ? g : u, t, er);
        if (found.verdict.status != Status::ok) {
            answer.verdict = found.verdict;
            return;
        }
        (by_width ? u : g) = found.ratio;
        solved = found.field;
    }
    answer.results[kSolvedWidth] = u * h;
    answer.results[kSolvedGap] = g * h;
    const FieldPair field = solved ? *solved : field_pair(u, g, t, er);
    answer.verdict = field_verdict(field.status);
    if (answer.verdict.status == Status::stopped) {
        return;
    }
    set_modes(answer, field.modes);
    set_accuracies(answer, field.accuracy);
    const Formula model = formula(u, g, t, er, normalised_frequency_of(request, pair_freq, value(request, pair_h)));
    answer.verdict.warnings = model.verdict.warnings;
    const std::array<double, 5> field_values = {field.modes.z_even, field.modes.z_odd, field.modes.e_eff_even,
                                                field.modes.e_eff_odd, differential_impedance(field.modes)};
    const std::array<double, 5> model_values = {model.pair.modes.z_even, model.pair.modes.z_odd,
                                                model.pair.modes.e_eff_even, model.pair.modes.e_eff_odd,
                                                differential_impedance(model.pair.modes)};
    for (std::size_t i = 0; i < model_values.size(); ++i) {
        answer.results[kModel + i] = model_values[i];
        answer.results[kDifference + i] = model_values[i] / field_values[i] - 1.0;
    }
}

// A field solution takes milliseconds: a row at a time, and several in flight on each core.
constexpr std::size_t kFieldRowsInFlight = 4;
// Closed-form pairs take a fraction of a microsecond: many to a batch.
constexpr std::size_t kFormulaRowsPerBatch = 4096;

}  // namespace

const Command kPair = {
    .word = "pair",
    .python_name = "",
    .caption = "Edge-coupled pair",
    .summary =
        "An edge-coupled pair: its field solution and its closed form side by side; with --z-diff, the "
        "width or the gap left out",
    .units = UnitChoice::lengths,
    .parameters = kPairParameters,
    .columns = kPairColumns,
    .warnings = kFormulaWarnings,
    .messages = kPairMessages,
    .check = check_pair,
    .answer = answer_pair,
    .rows_per_batch = 1,
    .batches_per_core = kFieldRowsInFlight,
};

const Command kPairFormula = {
    .word = "",
    .python_name = "pair",
    .caption = "Edge-coupled pair, closed form",
    .summary = "The closed form of an edge-coupled pair",
    .units = UnitChoice::lengths,
    .parameters = kFormulaParameters,
    .columns = kFormulaColumns,
    .warnings = kFormulaWarnings,
    .messages = kPairMessages,
    .positional = kFormulaParameters.size(),
    .answer = answer_formula,
    .rows_per_batch = kFormulaRowsPerBatch,
};

const Command kFieldPair = {
    .word = "",
    .python_name = "field_pair",
    .caption = "Edge-coupled pair, field solution",
    .summary = "The field solution of an edge-coupled pair",
    .units = UnitChoice::lengths,
    .parameters = kFieldParameters,
    .columns = kFieldColumns,
    .messages = kPairMessages,
    .positional = kFieldParameters.size(),
    .answer = answer_field,
    .rows_per_batch = 1,
    .batches_per_core = kFieldRowsInFlight,
};

const Command kPairWidth = {
    .word = "",
    .python_name = "pair_width",
    .caption = "Width of an edge-coupled pair",
    .summary = "The width of an edge-coupled pair for a differential impedance",
    .units = UnitChoice::lengths,
    .parameters = kWidthParameters,
    .columns = kWidthColumns,
    .messages = kPairMessages,
    .positional = kWidthParameters.size() - 1,
    .answer = answer_search<true>,
    .rows_per_batch = 1,
    .batches_per_core = kFieldRowsInFlight,
};

const Command kPairGap = {
    .word = "",
    .python_name = "pair_gap",
    .caption = "Gap of an edge-coupled pair",
    .summary = "The gap of an edge-coupled pair for a differential impedance",
    .units = UnitChoice::lengths,
    .parameters = kGapParameters,
    .columns = kGapColumns,
    .messages = kPairMessages,
    .positional = kGapParameters.size() - 1,
    .answer = answer_search<false>,
    .rows_per_batch = 1,
    .batches_per_core = kFieldRowsInFlight,
};

}  // namespace velmoka::commands
