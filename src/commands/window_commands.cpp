#include "commands/window_commands.h"

#include "calculator/box_keys.h"
#include "calculator/design.h"
#include "text_rules/messages.h"
#include "text_rules/trimmed.h"

#include <algorithm>

namespace velmoka::commands {

namespace {

// What a box is to a command: an input it reads (required or optional), a result it writes anew,
// or both; a box that is neither is typed in and left alone. A result that needs optional inputs
// is left out where any of them is neither given nor written by the press.
struct BoxRole {
    bool input = false;
    Need need = Need::optional;
    bool result = false;
    std::array<std::optional<Box>, 2> needs = {};
};

using Roles = std::array<BoxRole, kBoxCount>;  // in the order of kBoxFields

constexpr BoxRole kRequired{true, Need::required, false};
constexpr BoxRole kOptional{true, Need::optional, false};
constexpr BoxRole kResult{false, Need::optional, true};
constexpr BoxRole kTypedOnly{};

constexpr BoxRole result_needing(Box first, std::optional<Box> second = std::nullopt) {
    return {false, Need::optional, true, {first, second}};
}

constexpr Quantity quantity_of(Box box) {
    switch (box) {
        case Box::length1_txt:
        case Box::w_txt:
        case Box::h_txt:
        case Box::t_txt:
            return Quantity::length;
        case Box::freq_txt:
            return Quantity::frequency;
        case Box::z0_txt:
            return Quantity::impedance;
        case Box::length2_txt:
            return Quantity::degrees;
        case Box::lpi_txt:
        case Box::lt_txt:
            return Quantity::inductance;
        case Box::cpi_txt:
        case Box::ct_txt:
            return Quantity::capacitance;
        case Box::er_txt:
        case Box::er_eff_txt:
        case Box::vel_txt:
            break;
    }
    return Quantity::none;
}

// length, w, h, t, er, freq, z0, er_eff, vel, phase, lpi, cpi, lt, ct
constexpr BoxRole kElement = result_needing(Box::length1_txt, Box::freq_txt);
constexpr Roles kAnalysisRoles = {kOptional, kRequired, kRequired, kRequired, kRequired, kOptional, kResult,
                                  kResult,   kResult,   kElement,  kElement,  kElement,  kElement,  kElement};
constexpr BoxRole kWanted{true, Need::required, true};
constexpr Roles kSolveRoles = {result_needing(Box::length2_txt, Box::freq_txt),
                               kResult,
                               kRequired,
                               kRequired,
                               kRequired,
                               kOptional,
                               kWanted,
                               kResult,
                               kResult,
                               kOptional,
                               kTypedOnly,
                               kTypedOnly,
                               kTypedOnly,
                               kTypedOnly};
// The lengths of Synth.Pi and Synth. T come from the effective dielectric constant the width
// synthesis writes or, where it writes none, the one given.
constexpr BoxRole kSectionLength = result_needing(Box::er_eff_txt);
constexpr BoxRole kFallbackPermittivity{true, Need::optional, true};
constexpr Roles kSynthPiRoles = {
    kSectionLength,        kResult, kRequired,      kRequired, kRequired, kRequired, kWanted,
    kFallbackPermittivity, kResult, kSectionLength, kRequired, kResult,   kResult,   kResult};
constexpr Roles kSynthTRoles = {
    kSectionLength,        kResult, kRequired,      kRequired, kRequired, kRequired, kWanted,
    kFallbackPermittivity, kResult, kSectionLength, kResult,   kResult,   kResult,   kRequired};

constexpr std::array<Parameter, kBoxCount> parameters_of(const Roles& roles) {
    std::array<Parameter, kBoxCount> parameters{};
    for (std::size_t i = 0; i < kBoxCount; ++i) {
        const BoxField& field = kBoxFields[i];
        parameters[i].key = field.key;
        parameters[i].quantity = quantity_of(field.box);
        parameters[i].need = roles[i].input ? roles[i].need : Need::optional;
        parameters[i].help = field.caption;
    }
    return parameters;
}

constexpr std::array<Column, kBoxCount> columns_of(const Roles& roles) {
    std::array<Column, kBoxCount> columns{};
    for (std::size_t i = 0; i < kBoxCount; ++i) {
        const BoxField& field = kBoxFields[i];
        const int place = static_cast<int>(i);
        columns[i] = {
            field.key, field.caption, quantity_of(field.box), roles[i].input ? place : -1, roles[i].result ? place : -1,
            field.box};
    }
    return columns;
}

// The window's repairs, which let a command go on: each a warning of the row.
constexpr std::array<std::string_view, 2> kRepairs = {
    "er below 1, taken as 1",
    "T/H at or below 0.001, taken as 0.001",
};

// The messages a press ends with, as the verdict gives them: without their blanks.
constexpr std::array<std::string_view, message::kInPlaceOfValue.size()> kPressMessages = [] {
    std::array<std::string_view, message::kInPlaceOfValue.size()> messages{};
    for (std::size_t i = 0; i < messages.size(); ++i) {
        messages[i] = trimmed(message::kInPlaceOfValue[i]);
    }
    return messages;
}();

Units window_units(LengthUnit units) {
    return units == LengthUnit::mils ? Units::mils : Units::microns;
}

Verdict verdict_of(const Ending& ending, const ShownBoxes& boxes) {
    Verdict verdict{ending.status, std::nullopt, 0};
    if (const std::optional<Stop>& stop = ending.message) {
        verdict.fault = Fault{trimmed(stop->message), key_of(stop->box)};
    }
    verdict.warnings = (boxes.raised_permittivity() ? 1U : 0U) | (boxes.raised_thickness() ? 2U : 0U);
    return verdict;
}

template <const Roles& roles, velmoka::Command window_command>
void answer_press(const RowRequest& request, RowAnswer& answer) {
    Design design;
    design.command = window_command;
    design.units = window_units(request.units);
    for (std::size_t i = 0; i < kBoxCount; ++i) {
        if (request.typed(static_cast<int>(i))) {
            design.value(kBoxFields[i].box) = request.values[i];
        }
    }
    const ShownBoxes& boxes = answer.boxes.emplace();
    const Ending ending = press_design(design, *answer.boxes);
    const auto written = [&](Box box) { return boxes[box].kind == ShownBox::Kind::picture; };
    const auto known = [&](std::optional<Box> box) {
        return !box || written(*box) || request.given(static_cast<int>(&field_of(*box) - kBoxFields.data()));
    };
    for (std::size_t i = 0; i < kBoxCount; ++i) {
        const BoxRole& role = roles[i];
        const Box box = kBoxFields[i].box;
        if (role.result && written(box) && known(role.needs[0]) && known(role.needs[1])) {
            answer.results[i] = boxes[box].shown_number();
        }
    }
    answer.verdict = verdict_of(ending, boxes);
}

constexpr auto kAnalysisParameters = parameters_of(kAnalysisRoles);
constexpr auto kSolveParameters = parameters_of(kSolveRoles);
constexpr auto kSynthPiParameters = parameters_of(kSynthPiRoles);
constexpr auto kSynthTParameters = parameters_of(kSynthTRoles);
constexpr auto kAnalysisColumns = columns_of(kAnalysisRoles);
constexpr auto kSolveColumns = columns_of(kSolveRoles);
constexpr auto kSynthPiColumns = columns_of(kSynthPiRoles);
constexpr auto kSynthTColumns = columns_of(kSynthTRoles);

// Rows in a batch: enough work to make a thread's start negligible, few enough to hold.
constexpr std::size_t kPressesPerBatch = 4096;

}  // namespace

const Command kAnalysis = {
    .word = "analysis",
    .python_name = "analysis",
    .caption = "Analysis",
    .summary =
        "The Analysis button: from the geometry to the impedance, effective dielectric constant, relative velocity, "
        "phase length and the lumped pi and T networks",
    .units = UnitChoice::window,
    .parameters = kAnalysisParameters,
    .columns = kAnalysisColumns,
    .warnings = kRepairs,
    .messages = kPressMessages,
    .opens_like_the_window = true,
    .answer = answer_press<kAnalysisRoles, velmoka::Command::analysis>,
    .rows_per_batch = kPressesPerBatch,
};

const Command kSolve = {
    .word = "solve",
    .python_name = "solve",
    .caption = "Solve Microstrip",
    .summary =
        "The Solve Microstrip button: the strip width for the wanted impedance, with the effective dielectric "
        "constant, "
        "the velocity and the physical length of the phase length",
    .units = UnitChoice::window,
    .parameters = kSolveParameters,
    .columns = kSolveColumns,
    .warnings = kRepairs,
    .messages = kPressMessages,
    .opens_like_the_window = true,
    .answer = answer_press<kSolveRoles, velmoka::Command::synthesis>,
    .rows_per_batch = kPressesPerBatch,
};

const Command kSynthPi = {
    .word = "synth-pi",
    .python_name = "synth_pi",
    .caption = "Synth.Pi",
    .summary = "The Synth.Pi button: the line section whose pi network has the series inductance lpi (nH)",
    .units = UnitChoice::window,
    .parameters = kSynthPiParameters,
    .columns = kSynthPiColumns,
    .warnings = kRepairs,
    .messages = kPressMessages,
    .opens_like_the_window = true,
    .answer = answer_press<kSynthPiRoles, velmoka::Command::synthpi>,
    .rows_per_batch = kPressesPerBatch,
};

const Command kSynthT = {
    .word = "synth-t",
    .python_name = "synth_t",
    .caption = "Synth. T",
    .summary = "The Synth. T button: the line section whose T network has the shunt capacitance ct (pF)",
    .units = UnitChoice::window,
    .parameters = kSynthTParameters,
    .columns = kSynthTColumns,
    .warnings = kRepairs,
    .messages = kPressMessages,
    .opens_like_the_window = true,
    .answer = answer_press<kSynthTRoles, velmoka::Command::syntht>,
    .rows_per_batch = kPressesPerBatch,
};

}  // namespace velmoka::commands
