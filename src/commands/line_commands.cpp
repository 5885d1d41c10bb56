#include "commands/line_commands.h"

#include "common/physical_constants.h"
#include "maths/line_at_frequency.h"
#include "maths/lines_over_arrays.h"
#include "maths/section_s_parameters.h"
#include "maths/substrates.h"
#include "maths/width_at_frequency.h"
#include "maths/width_search.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <vector>

namespace velmoka::commands {

namespace {

constexpr std::array<std::string_view, 2> kPermittivityModels = {"wideband", "constant"};
constexpr std::array<std::string_view, 2> kRoughnessModels = {"hammerstad", "huray"};
constexpr double kWideband = 0.0;  // the places of the choices' words
constexpr double kHammerstad = 0.0;
constexpr double kHuray = 1.0;

constexpr double kSquareMetresPerSquareMicron = kMetresPerMicron * kMetresPerMicron;
constexpr double kPicosecondsPerMillimetreInASecondPerMetre = kPicosecondsPerSecond * kMetresPerMillimetre;
constexpr double kNanohenriesPerHenry = 1e9;
constexpr double kPicofaradsPerFarad = 1e12;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

// The places of each parameter among a command's: the line takes the width first and, with no
// width, an impedance; the width search takes the impedance first and no width. -1 for none.
struct Places {
    int w, z0, h, t, er, freq, tand, dielectric, f_datasheet, sigma, roughness, roughness_model, nodule_radius,
        nodules_per_area, substrate, length, z_ref, s2p;
    std::size_t count;
};
constexpr Places kLinePlaces{0, 16, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17, 18};
constexpr Places kWidthPlaces{-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, -1, 16};

constexpr Parameter number(std::string_view key, Quantity quantity, Need need, double default_value, Range range,
                           std::string_view help) {
    return {key, Form::number, quantity, need, default_value, range, {}, help};
}

template <const Places& places>
constexpr std::array<Parameter, places.count> line_parameters() {
    std::array<Parameter, places.count> parameters{};
    const auto place = [&](int at, const Parameter& parameter) {
        if (at >= 0) {
            parameters[static_cast<std::size_t>(at)] = parameter;
        }
    };
    const bool solves_width = places.w < 0;
    place(places.w, number("w", Quantity::length, Need::optional, kNotGiven, kAboveZero,
                           "the strip width W; left out with z0, the width for it"));
    place(places.z0,
          number("z0", Quantity::impedance, solves_width ? Need::required : Need::optional, kNotGiven, kAboveZero,
                 solves_width ? "the impedance Z0 wanted at the frequency"
                              : "the impedance Z0 wanted at the frequency, with w left out"));
    place(places.h, number("h", Quantity::length, Need::required, kNotGiven, kAboveZero, "the dielectric thickness H"));
    place(places.t,
          number("t", Quantity::length, Need::required, kNotGiven, kZeroOrAbove, "the conductor thickness T"));
    place(places.er, number("er", Quantity::none, Need::optional, kNotGiven, kOneOrAbove,
                            "the dielectric's relative permittivity at f_datasheet (or the substrate's)"));
    place(places.freq, number("freq", Quantity::frequency, Need::required, kNotGiven, kZeroOrAbove, "the frequency"));
    place(places.tand, number("tand", Quantity::none, Need::optional, kNotGiven, kZeroOrAbove,
                              "the dielectric's loss tangent at f_datasheet (or the substrate's)"));
    place(places.dielectric,
          {"dielectric", Form::choice, Quantity::none, Need::defaulted, kWideband, kAnyNumber, kPermittivityModels,
           "wideband (the causal model fitted through er and tand at f_datasheet, the default) or constant"});
    place(places.f_datasheet,
          number("f_datasheet", Quantity::frequency, Need::optional, kNotGiven, kAboveZero,
                 "the frequency er and tand are given at (1 GHz, or the substrate's data sheet's)"));
    place(places.sigma, number("sigma", Quantity::conductivity, Need::defaulted, kCopperConductivity, kAboveZero,
                               "the conductivity of strip and ground (default copper, 5.8e7)"));
    place(places.roughness, number("roughness", Quantity::length, Need::defaulted, 0.0, kZeroOrAbove,
                                   "the rms height of the copper's surface (default 0, smooth)"));
    place(places.roughness_model,
          {"roughness_model", Form::choice, Quantity::none, Need::defaulted, kHammerstad, kAnyNumber, kRoughnessModels,
           "hammerstad (by the rms height, the default) or huray (by nodules)"});
    place(places.nodule_radius, number("nodule_radius", Quantity::length, Need::optional, kNotGiven, kAboveZero,
                                       "the radius of the copper's nodules, for huray"));
    place(places.nodules_per_area, number("nodules_per_area", Quantity::per_square_micron, Need::optional, kNotGiven,
                                          kZeroOrAbove, "the nodules on a square micron of flat surface, for huray"));
    place(places.substrate, {"substrate", Form::choice, Quantity::none, Need::optional, kNotGiven, kAnyNumber,
                             kSubstrateNames, "a substrate by name, for er, tand and f_datasheet not given"});
    place(places.length, number("length", Quantity::length, Need::optional, kNotGiven, kZeroOrAbove,
                                "the length of the section, for its loss and S-parameters"));
    place(places.z_ref, number("z_ref", Quantity::impedance, Need::defaulted, kReferenceImpedance, kAboveZero,
                               "the ports' impedance of the S-parameters (default 50)"));
    place(places.s2p, {"s2p",
                       Form::path,
                       Quantity::none,
                       Need::optional,
                       kNotGiven,
                       kAnyNumber,
                       {},
                       "writes the section's S-parameters over the frequencies to a Touchstone file"});
    return parameters;
}

// The results, in their order.
enum LineResult : int {
    found_w,
    z0,
    er_eff,
    alpha_c,
    alpha_d,
    alpha,
    loss,
    delay,
    wavelength,
    skin_depth,
    r,
    l,
    g,
    c,
    er_f,
    tand_f,
    s11_db,
    s11_deg,
    s21_db,
    s21_deg,
};

constexpr Column result(std::string_view key, std::string_view caption, Quantity quantity, int place) {
    return {key, caption, quantity, -1, place};
}

template <const Places& places>
constexpr std::array<Column, 27> line_columns() {
    return {{
        {"w", "Width", Quantity::length, places.w, found_w},
        {"h", "Dielectric Thickness", Quantity::length, places.h},
        {"t", "Conductor Thickness", Quantity::length, places.t},
        {"er", "Dielectric Constant", Quantity::none, places.er},
        {"tand", "Loss tangent", Quantity::none, places.tand},
        {"freq", "Frequency", Quantity::frequency, places.freq},
        {"length", "Length", Quantity::length, places.length},
        {"z_ref", "Reference impedance", Quantity::impedance, places.z_ref},
        {"z0", "Impedance", Quantity::impedance, places.z0, z0},
        result("er_eff", "Effective Dielectric", Quantity::none, er_eff),
        result("alpha_c", "Conductor loss", Quantity::attenuation, alpha_c),
        result("alpha_d", "Dielectric loss", Quantity::attenuation, alpha_d),
        result("alpha", "Loss", Quantity::attenuation, alpha),
        result("loss", "Loss over the length", Quantity::decibels, loss),
        result("delay", "Delay", Quantity::delay, delay),
        result("wavelength", "Guided wavelength", Quantity::length, wavelength),
        result("skin_depth", "Skin depth", Quantity::length, skin_depth),
        result("r", "Resistance", Quantity::resistance_per_length, r),
        result("l", "Inductance", Quantity::inductance_per_length, l),
        result("g", "Conductance", Quantity::conductance_per_length, g),
        result("c", "Capacitance", Quantity::capacitance_per_length, c),
        result("er_f", "Dielectric Constant at f", Quantity::none, er_f),
        result("tand_f", "Loss tangent at f", Quantity::none, tand_f),
        result("s11_db", "S11 (= S22)", Quantity::decibels, s11_db),
        result("s11_deg", "S11 angle", Quantity::degrees, s11_deg),
        result("s21_db", "S21 (= S12)", Quantity::decibels, s21_db),
        result("s21_deg", "S21 angle", Quantity::degrees, s21_deg),
    }};
}

// Each bit of RangeWarnings, in words.
constexpr std::array<std::string_view, 7> kRangeWarnings = {
    "W/H outside 0.1 to 100, the range of Kirschning and Jansen's e_eff(f)",
    "er above 20, the range of Kirschning and Jansen's e_eff(f)",
    "H above 0.13 free-space wavelengths, the range of Kirschning and Jansen's e_eff(f)",
    "W/H outside 0.1 to 10, the range of Jansen and Kirschning's Z0(f)",
    "er above 18, the range of Jansen and Kirschning's Z0(f)",
    "H above 0.1 free-space wavelengths, the range of Jansen and Kirschning's Z0(f)",
    "T under three skin depths, below which Hammerstad and Jensen's conductor loss is not taken",
};

constexpr std::array<std::string_view, 8> kLineMessages = {
    "W/H below 0.01, where the line model is not taken",
    "the wideband model puts the permittivity at high frequencies below 1: no dielectric has this er and tand "
    "together",
    "no finite answer",
    "out of reach: above Z0 of the narrowest strip, W/H 0.01",
    "out of reach: below Z0 of the widest strip, W/H 100",
    "the width search did not settle",
    "er or a substrate is required",
    "tand or a substrate is required",
};
enum LineMessage : std::size_t {
    narrower_than_the_model,
    fit_below_unity,
    no_finite_answer,
    above_narrowest,
    below_widest,
    did_not_settle,
    no_permittivity,
    no_loss_tangent,
};
constexpr std::array<std::string_view, 3> kMoreLineMessages = {
    "w or z0, and not both, is given",
    "huray needs nodule_radius and nodules_per_area",
    "the dielectric or the conductor is not admitted",
};

double value(const RowRequest& request, int parameter) {
    return request.values[static_cast<std::size_t>(parameter)];
}

// The strip width of a request, where the command takes one and it was given.
template <const Places& places>
std::optional<double> width_given(const RowRequest& request) {
    if constexpr (places.w >= 0) {
        if (request.given(places.w)) {
            return value(request, places.w);
        }
    }
    return std::nullopt;
}

// The dielectric of a request: its er, tand and f_datasheet as given, or else its substrate's.
template <const Places& places>
Dielectric dielectric_of(const RowRequest& request) {
    Dielectric dielectric{
        value(request, places.er), value(request, places.tand), kDataSheetFrequency,
        value(request, places.dielectric) == kWideband ? PermittivityModel::wideband : PermittivityModel::constant};
    if (request.given(places.substrate)) {
        const Dielectric& named = kSubstrates[static_cast<std::size_t>(value(request, places.substrate))].dielectric;
        dielectric.er = request.given(places.er) ? dielectric.er : named.er;
        dielectric.loss_tangent = request.given(places.tand) ? dielectric.loss_tangent : named.loss_tangent;
        dielectric.frequency = named.frequency;
    }
    if (request.given(places.f_datasheet)) {
        dielectric.frequency = value(request, places.f_datasheet) * kHertzPerGigahertz;
    }
    return dielectric;
}

template <const Places& places>
Conductor conductor_of(const RowRequest& request) {
    const double metres = metres_per(request.units);
    Conductor conductor{value(request, places.sigma), {}};
    if (value(request, places.roughness_model) == kHuray) {
        conductor.roughness = {RoughnessModel::huray, 0.0, value(request, places.nodule_radius) * metres,
                               value(request, places.nodules_per_area) / kSquareMetresPerSquareMicron};
    } else if (value(request, places.roughness) > 0.0) {
        conductor.roughness = {RoughnessModel::hammerstad, value(request, places.roughness) * metres};
    }
    return conductor;
}

// Whether no dielectric has this er and tan δ together. The rows of a sweep mostly share one
// dielectric, and the wideband fit takes an arctangent and a logarithm: the last one checked on
// this thread is remembered.
bool permittivity_below_unity(const Dielectric& dielectric) {
    thread_local Dielectric last{std::numeric_limits<double>::quiet_NaN(), 0.0};
    thread_local bool last_below = false;
    if (dielectric.er != last.er || dielectric.loss_tangent != last.loss_tangent ||
        dielectric.frequency != last.frequency || dielectric.model != last.model) {
        last = dielectric;
        last_below = fit_dielectric(dielectric).fit == DielectricFit::permittivity_below_unity;
    }
    return last_below;
}

template <const Places& places>
std::optional<Fault> check_line(const RowRequest& request) {
    if (!request.given(places.er) && !request.given(places.substrate)) {
        return Fault{kLineMessages[no_permittivity], "er"};
    }
    if (!request.given(places.tand) && !request.given(places.substrate)) {
        return Fault{kLineMessages[no_loss_tangent], "tand"};
    }
    if (places.w >= 0 && width_given<places>(request).has_value() == request.given(places.z0)) {
        return Fault{kMoreLineMessages[0], "w"};
    }
    if (value(request, places.roughness_model) == kHuray &&
        !(request.given(places.nodule_radius) && request.given(places.nodules_per_area))) {
        return Fault{kMoreLineMessages[1], "roughness_model"};
    }
    if (permittivity_below_unity(dielectric_of<places>(request))) {
        return Fault{kLineMessages[fit_below_unity], "tand"};
    }
    return std::nullopt;
}

std::complex<double> series_resistance_reflection(double resistance, double z_ref) {
    return resistance / (resistance + 2.0 * z_ref);
}

// The S-parameters of the section: from its propagation, or at 0 Hz, where Zc is infinite, those
// of its series resistance.
std::optional<TwoPortS> section_of(const LineAtFrequency& line, double metres, double z_ref) {
    if (std::isinf(std::abs(line.propagation.zc))) {
        const std::complex<double> s11 = series_resistance_reflection(line.r * metres, z_ref);
        return TwoPortS{s11, 1.0 - s11, 1.0 - s11, s11};
    }
    return section_s_parameters(line.propagation, metres, z_ref);
}

double decibels(std::complex<double> s) {
    return 20.0 * std::log10(std::abs(s));
}

// The row's results from the line, in the units of the faces.
template <const Places& places>
void set_results(const RowRequest& request, const LineAtFrequency& line, RowAnswer& answer) {
    const double metres = metres_per(request.units);
    const auto set = [&](LineResult result, double value) { answer.results[result] = value; };
    set(z0, line.z0);
    set(er_eff, line.e_eff);
    set(alpha_c, line.alpha_c * kDecibelsPerNeper);
    set(alpha_d, line.alpha_d * kDecibelsPerNeper);
    set(alpha, line.alpha * kDecibelsPerNeper);
    set(delay, line.delay * kPicosecondsPerMillimetreInASecondPerMetre);
    set(wavelength, line.guided_wavelength / metres);
    set(skin_depth, line.skin_depth / metres);
    set(r, line.r);
    set(l, line.l * kNanohenriesPerHenry);
    set(g, line.g);
    set(c, line.c * kPicofaradsPerFarad);
    set(er_f, line.er);
    set(tand_f, line.loss_tangent);
    if (!request.given(places.length)) {
        return;
    }
    const double section = value(request, places.length) * metres;
    set(loss, line.alpha * kDecibelsPerNeper * section);
    if (const std::optional<TwoPortS> s = section_of(line, section, value(request, places.z_ref))) {
        set(s11_db, decibels(s->s11));
        set(s11_deg, std::arg(s->s11) * kDegreesPerRadian);
        set(s21_db, decibels(s->s21));
        set(s21_deg, std::arg(s->s21) * kDegreesPerRadian);
    }
}

void set_verdict(const LineAtFrequency& line, RowAnswer& answer) {
    answer.verdict.warnings = line.warnings.flags;
    switch (line.status) {
        case LineStatus::ok:
            return;
        case LineStatus::strip_not_admitted:
            answer.verdict.fault = Fault{kLineMessages[narrower_than_the_model], "w"};
            break;
        case LineStatus::permittivity_below_unity:
            answer.verdict.fault = Fault{kLineMessages[fit_below_unity], "tand"};
            break;
        case LineStatus::no_finite_answer:
            answer.verdict.fault = Fault{kLineMessages[no_finite_answer], ""};
            break;
        case LineStatus::dielectric_not_admitted:
        case LineStatus::conductor_not_admitted:
        case LineStatus::frequency_not_admitted:
            answer.verdict.fault = Fault{kMoreLineMessages[2], ""};
            break;
    }
    answer.verdict.status = Status::stopped;
}

Fault width_fault(WidthEnd end) {
    switch (end) {
        case WidthEnd::above_narrowest_strip:
            return {kLineMessages[above_narrowest], "w"};
        case WidthEnd::below_widest_strip:
            return {kLineMessages[below_widest], "w"};
        case WidthEnd::met_tolerance:
        case WidthEnd::did_not_settle:
        case WidthEnd::not_admitted:
            break;
    }
    return {kLineMessages[did_not_settle], "w"};
}

template <const Places& places>
void answer_line(const RowRequest& request, RowAnswer& answer) {
    const double metres = metres_per(request.units);
    const Dielectric dielectric = dielectric_of<places>(request);
    const Conductor conductor = conductor_of<places>(request);
    const double height = value(request, places.h) * metres;
    const double thickness = value(request, places.t) * metres;
    const double frequency = value(request, places.freq) * kHertzPerGigahertz;
    const std::optional<double> width = width_given<places>(request);
    if (!width) {
        const WidthAtFrequency found =
            width_for_impedance(value(request, places.z0), height, thickness, dielectric, conductor, frequency);
        if (found.end != WidthEnd::met_tolerance) {
            answer.verdict = {Status::stopped, width_fault(found.end), 0};
            return;
        }
        answer.results[found_w] = found.width / metres;
        set_results<places>(request, found.line, answer);
        set_verdict(found.line, answer);
        return;
    }
    const LineAtFrequency line =
        line_at_frequency(Strip{*width * metres, height, thickness}, dielectric, conductor, frequency);
    set_verdict(line, answer);
    if (line.status == LineStatus::ok) {
        set_results<places>(request, line, answer);
    }
}

// The columns the line's arrays write, and each line of them read back whole.
class LinesHeld {
public:
    explicit LinesHeld(std::size_t n) : status_(n), warnings_(n), numbers_(kNumbers * n), n_(n) {}

    LineColumns columns() {
        const auto column = [&](std::size_t at) { return numbers_.data() + at * n_; };
        return {status_.data(), warnings_.data(), column(0),  column(1),  column(2),  column(3),  column(4),
                column(5),      column(6),        column(7),  column(8),  column(9),  column(10), column(11),
                column(12),     column(13),       column(14), column(15), column(16), column(17)};
    }

    LineAtFrequency line(std::size_t i) const {
        const auto number = [&](std::size_t at) { return numbers_[at * n_ + i]; };
        LineAtFrequency line{status_[i], RangeWarnings{warnings_[i]},
                             number(0),  number(1),
                             number(2),  number(3),
                             number(4),  number(5),
                             number(6),  {},
                             number(11), number(12),
                             number(13), number(14),
                             number(15), number(16),
                             number(17)};
        line.propagation = {{number(7), number(8)}, {number(9), number(10)}};
        return line;
    }

private:
    static constexpr std::size_t kNumbers = 18;  // the doubles of LineColumns, er to delay
    std::vector<LineStatus> status_;
    std::vector<std::uint16_t> warnings_;
    std::vector<double> numbers_;
    std::size_t n_;
};

// Rows of strips of any width at any frequency on one dielectric and conductor go to the line's
// arrays, which run its formulas on SIMD lanes; any other rows, and the width search, one by one.
template <const Places& places>
bool same_materials(const RowRequest& first, const RowRequest& other) {
    for (const int material :
         {places.er, places.tand, places.dielectric, places.f_datasheet, places.sigma, places.roughness,
          places.roughness_model, places.nodule_radius, places.nodules_per_area, places.substrate}) {
        const double a = value(first, material);
        const double b = value(other, material);
        if (!(a == b || (std::isnan(a) && std::isnan(b)))) {
            return false;
        }
    }
    return first.units == other.units && width_given<places>(first) && width_given<places>(other);
}

void answer_line_block(std::span<const RowRequest> requests, std::span<RowAnswer> answers) {
    const bool one_material = std::all_of(requests.begin(), requests.end(), [&](const RowRequest& request) {
        return same_materials<kLinePlaces>(requests.front(), request);
    });
    if (!one_material || requests.empty()) {
        for (std::size_t i = 0; i < requests.size(); ++i) {
            answer_line<kLinePlaces>(requests[i], answers[i]);
        }
        return;
    }
    const std::size_t n = requests.size();
    const double metres = metres_per(requests.front().units);
    std::vector<double> inputs(4 * n);
    double* const width = inputs.data();
    double* const height = width + n;
    double* const thickness = height + n;
    double* const frequency = thickness + n;
    for (std::size_t i = 0; i < n; ++i) {
        width[i] = value(requests[i], kLinePlaces.w) * metres;
        height[i] = value(requests[i], kLinePlaces.h) * metres;
        thickness[i] = value(requests[i], kLinePlaces.t) * metres;
        frequency[i] = value(requests[i], kLinePlaces.freq) * kHertzPerGigahertz;
    }
    LinesHeld held(n);
    lines_at_frequency(n, width, height, thickness, frequency, dielectric_of<kLinePlaces>(requests.front()),
                       conductor_of<kLinePlaces>(requests.front()), held.columns());
    for (std::size_t i = 0; i < n; ++i) {
        const LineAtFrequency line = held.line(i);
        set_verdict(line, answers[i]);
        if (line.status == LineStatus::ok) {
            set_results<kLinePlaces>(requests[i], line, answers[i]);
        }
    }
}

constexpr auto kLineParameters = line_parameters<kLinePlaces>();
constexpr auto kWidthParameters = line_parameters<kWidthPlaces>();
constexpr auto kLineColumns = line_columns<kLinePlaces>();
constexpr auto kWidthColumns = line_columns<kWidthPlaces>();
constexpr std::array<std::string_view, kLineMessages.size() + kMoreLineMessages.size()> kEveryLineMessage = [] {
    std::array<std::string_view, kLineMessages.size() + kMoreLineMessages.size()> messages{};
    std::copy(kLineMessages.begin(), kLineMessages.end(), messages.begin());
    std::copy(kMoreLineMessages.begin(), kMoreLineMessages.end(), messages.begin() + kLineMessages.size());
    return messages;
}();

// A line at a frequency takes about a microsecond: many to a batch.
constexpr std::size_t kLinesPerBatch = 4096;
// Its first five parameters Python also takes by their place: w (or z0), h, t, er, freq.
constexpr std::size_t kPositional = 5;

}  // namespace

const Command kLine = {
    .word = "line",
    .python_name = "line",
    .caption = "Line at frequency",
    .summary =
        "The line at its working frequency: dispersion, losses, delay, R, L, G, C and the section's "
        "S-parameters; with --z0 and no --w, the width for it",
    .units = UnitChoice::lengths,
    .parameters = kLineParameters,
    .columns = kLineColumns,
    .warnings = kRangeWarnings,
    .messages = kEveryLineMessage,
    .positional = kPositional,
    .check = check_line<kLinePlaces>,
    .answer = answer_line<kLinePlaces>,
    .answer_block = answer_line_block,
    .rows_per_batch = kLinesPerBatch,
};

const Command kLineWidth = {
    .word = "",
    .python_name = "line_width",
    .caption = "Width of a line at frequency",
    .summary = "The strip width whose impedance at the frequency is z0",
    .units = UnitChoice::lengths,
    .parameters = kWidthParameters,
    .columns = kWidthColumns,
    .warnings = kRangeWarnings,
    .messages = kEveryLineMessage,
    .positional = kPositional,
    .check = check_line<kWidthPlaces>,
    .answer = answer_line<kWidthPlaces>,
    .rows_per_batch = kLinesPerBatch,
};

}  // namespace velmoka::commands
