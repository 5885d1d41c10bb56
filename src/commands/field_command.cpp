#include "commands/field_command.h"

#include "field_solver/field_line.h"
#include "maths/microstrip_line.h"

namespace velmoka::commands {

namespace {

enum FieldParameter : int { w, h, t, er };

constexpr std::array<Parameter, 4> kParameters = {{
    {"w", Form::number, Quantity::length, Need::required, kNotGiven, kAnyNumber, {}, "the strip width W"},
    {"h", Form::number, Quantity::length, Need::required, kNotGiven, kAnyNumber, {}, "the dielectric thickness H"},
    {"t",
     Form::number,
     Quantity::length,
     Need::required,
     kNotGiven,
     kAnyNumber,
     {},
     "the conductor thickness T (0: a strip of no thickness)"},
    {"er",
     Form::number,
     Quantity::none,
     Need::required,
     kNotGiven,
     kAnyNumber,
     {},
     "the relative permittivity of the dielectric"},
}};

constexpr int result(FieldResult result) {
    return static_cast<int>(result);
}

constexpr std::array<Column, 12> kColumns = {{
    {"w", "Width", Quantity::length, w},
    {"h", "Dielectric Thickness", Quantity::length, h},
    {"t", "Conductor Thickness", Quantity::length, t},
    {"er", "Dielectric Constant", Quantity::none, er},
    {"z0", "Impedance (ohms)", Quantity::impedance, -1, result(FieldResult::z0)},
    {"er_eff", "Effective Dielectric", Quantity::none, -1, result(FieldResult::er_eff)},
    {"z0_accuracy", "Impedance accuracy", Quantity::none, -1, result(FieldResult::z0_accuracy)},
    {"er_eff_accuracy", "Effective Dielectric accuracy", Quantity::none, -1, result(FieldResult::er_eff_accuracy)},
    {"model_z0", "Line model impedance", Quantity::impedance, -1, result(FieldResult::model_z0)},
    {"model_er_eff", "Line model Effective Dielectric", Quantity::none, -1, result(FieldResult::model_er_eff)},
    {"z0_difference", "Impedance difference", Quantity::none, -1, result(FieldResult::z0_difference)},
    {"er_eff_difference", "Effective Dielectric difference", Quantity::none, -1,
     result(FieldResult::er_eff_difference)},
}};

// The words of the solver's every end but a solution.
const std::array<std::string_view, 5> kSolverMessages = {
    field_status_text(FieldStatus::width_out_of_range), field_status_text(FieldStatus::height_out_of_range),
    field_status_text(FieldStatus::thickness_out_of_range), field_status_text(FieldStatus::permittivity_out_of_range),
    field_status_text(FieldStatus::accuracy_not_reached)};

// The parameter a geometry beyond the solver concerns; empty for a solution.
std::optional<std::string_view> key_out_of_range(FieldStatus status) {
    switch (status) {
        case FieldStatus::width_out_of_range:
            return "w";
        case FieldStatus::height_out_of_range:
            return "h";
        case FieldStatus::thickness_out_of_range:
            return "t";
        case FieldStatus::permittivity_out_of_range:
            return "er";
        case FieldStatus::ok:
        case FieldStatus::accuracy_not_reached:
            break;
    }
    return std::nullopt;
}

// The solution depends on W/H and T/H alone: the lengths go to the solver in the unit they were
// given in, so that every face solves the very same doubles.
void answer(const RowRequest& request, RowAnswer& answer) {
    const auto value = [&](int parameter) { return request.values[static_cast<std::size_t>(parameter)]; };
    const FieldLine field = field_line(value(w), value(h), value(t), value(er));
    const std::optional<std::string_view> out_of_range = key_out_of_range(field.status);
    if (field.status != FieldStatus::ok) {
        answer.verdict.status = out_of_range ? Status::stopped : Status::incomplete;
        answer.verdict.fault = Fault{field_status_text(field.status), out_of_range.value_or("")};
    }
    if (out_of_range) {
        return;
    }
    const LineProperties model = microstrip_line(value(w) / value(h), value(t) / value(h), value(er));
    const auto set = [&](FieldResult key, double value) { answer.results[static_cast<std::size_t>(key)] = value; };
    set(FieldResult::z0, field.z0);
    set(FieldResult::er_eff, field.e_eff);
    set(FieldResult::z0_accuracy, field.z0_accuracy);
    set(FieldResult::er_eff_accuracy, field.e_eff_accuracy);
    set(FieldResult::model_z0, model.z0);
    set(FieldResult::model_er_eff, model.e_eff);
    set(FieldResult::z0_difference, model.z0 / field.z0 - 1.0);
    set(FieldResult::er_eff_difference, model.e_eff / field.e_eff - 1.0);
}

}  // namespace

// A row at a time, and several in flight on each core: a strip takes some milliseconds to a
// second, so that a core is not left idle while a slow strip holds up the writing of those after it.
const Command kField = {
    .word = "field",
    .python_name = "",
    .caption = "Field solution",
    .summary = "The quasi-static field solution of the strip, with its estimated accuracy, beside the line model",
    .units = UnitChoice::lengths,
    .parameters = kParameters,
    .columns = kColumns,
    .messages = kSolverMessages,
    .positional = 4,
    .opens_like_the_window = true,
    .answer = answer,
    .rows_per_batch = 1,
    .batches_per_core = 4,
};

}  // namespace velmoka::commands
