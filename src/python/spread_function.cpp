// velmoka.spread: the tolerance budget of a line or a pair for Python, its figures as velmoka-cli's
// JSON gives them and its samples as numpy arrays.

#include "commands/request_fault.h"
#include "commands/spread_command.h"
#include "python/arguments.h"
#include "python/signatures.h"
#include "spread/budget.h"
#include "spread/random_draws.h"
#include "spread/report_json.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velmoka::python {

using namespace pybind11::literals;

namespace {

// A numpy array that takes over a column's memory rather than copying it.
py::array_t<double> array_of(spread::SampleColumn&& column) {
    auto* held = new spread::SampleColumn(std::move(column));
    const py::capsule owner(held, [](void* vector) { delete static_cast<spread::SampleColumn*>(vector); });
    return py::array_t<double>(static_cast<py::ssize_t>(held->size()), held->data(), owner);
}

// An argument read by the form of its parameter; TypeError for a value of another type.
commands::GivenValue given_value(const commands::Parameter& parameter, const py::object& value) {
    const std::string name = "spread() argument '" + std::string(parameter.key) + "'";
    commands::GivenValue given;
    given.given = true;
    switch (parameter.form) {
        case commands::Form::tolerance:
            if (py::isinstance<py::str>(value)) {
                std::string text = value.cast<std::string>();
                given.percent = text.ends_with('%');
                if (!given.percent) {
                    throw py::value_error(std::string(parameter.key) + ": '" + text +
                                          "' is neither a number nor a percentage such as '10%'");
                }
                text.pop_back();
                given.number = py::float_(py::str(text)).cast<double>();
                break;
            }
            [[fallthrough]];
        case commands::Form::number:
            if (!py::isinstance<py::float_>(value) && !py::isinstance<py::int_>(value)) {
                throw py::type_error(name + " must be a real number, not " +
                                     py::str(value.get_type().attr("__name__")).cast<std::string>());
            }
            given.number = value.cast<double>();
            break;
        case commands::Form::count:
            if (!py::isinstance<py::int_>(value) || py::isinstance<py::bool_>(value)) {
                throw py::type_error(name + " must be a whole number (an int), not " +
                                     py::str(value.get_type().attr("__name__")).cast<std::string>() + " " +
                                     py::repr(value).cast<std::string>());
            }
            if (value < py::int_(0)) {
                throw py::value_error(std::string(parameter.key) + ": must be 0 or above");
            }
            given.count = value.cast<std::uint64_t>();
            break;
        case commands::Form::choice: {
            const std::string word = value.cast<std::string>();
            const auto found = std::find(parameter.choices.begin(), parameter.choices.end(), word);
            if (found == parameter.choices.end()) {
                throw py::value_error(std::string(parameter.key) + ": '" + word +
                                      "' is neither 'normal' nor 'uniform'");
            }
            given.number = static_cast<double>(found - parameter.choices.begin());
            break;
        }
        case commands::Form::flag:
            given.given = value.cast<bool>();
            break;
        case commands::Form::path:
            break;
    }
    return given;
}

py::dict spread_of(const py::args& args, const std::string& units_name, bool opening_window,
                   const py::kwargs& keywords) {
    const commands::Command& command = commands::kSpread;
    commands::GivenValues given;
    for (const auto& [parameter, value] : matched_arguments(command, args, keywords, opening_window)) {
        if (!value.is_none()) {
            given[parameter] = given_value(command.parameters[parameter], value);
        }
    }
    const LengthUnit units = units_of_call(command, units_name);
    spread::Request request;
    try {
        request = commands::spread_request(given, units, opening_window);
    } catch (const commands::MissingParameter& missing) {
        throw py::type_error("spread() missing 1 required argument: '" + missing.key() + "'");
    } catch (const commands::RequestFault& fault) {
        throw py::value_error(fault.what());
    }
    request.keep_samples = true;

    std::optional<spread::Report> report;
    {
        py::gil_scoped_release released;
        report = spread::budget(request);
    }
    py::dict result =
        py::module_::import("json").attr("loads")(spread::report_json(request, *report, name_of(units).name));
    py::dict boards;
    const spread::Impedance of = spread::impedance_of(request.nominal);
    for (std::size_t input = 0; input < spread::inputs_of(of); ++input) {
        boards[py::str(std::string(spread::kInputNames[input]))] = array_of(std::move(report->sample_lines[input]));
    }
    boards[py::str(std::string(spread::kImpedanceNames[static_cast<std::size_t>(of)]))] =
        array_of(std::move(report->sample_z0));
    result["boards"] = boards;
    return result;
}
}  // namespace

void add_spread(py::module_& module) {
    py::options options;
    options.disable_function_signatures();
    module.def("spread", &spread_of, "units"_a = "microns", "opening_window"_a = false,
               (text_signature(commands::kSpread) + "\n--\n\n" +
                R"(The tolerance budget of a line or a pair: how far its impedance strays when boards are made.

From the line model at full precision (quasi-static: no dispersion, no loss). The same figures
as ``velmoka-cli spread --format json``, with the same keys, and the samples themselves; the same
seed gives the same samples here and there, on any number of cores.

Given a gap ``s``, the budget is of the edge-coupled pair's differential impedance z_diff =
2·z_odd on its closed form: the result's ``quantity`` is ``'z_diff'`` and its impedances are
keyed ``z_diff`` where a line's are keyed ``z0``. Beside the nominal, the field solution's
z_diff there (``field_z_diff``), and ``corrected``: the Monte Carlo's figures with every
sample's z_diff times the field's over the closed form's at the nominal, which assumes the
closed form's error is the same across the spread. The centring is then of the corrected
z_diff. The same seed draws a pair the W, H, T and er it draws a line; the gap has draws of its
own.

Parameters
----------
w, h, t : float
    Nominal strip width, dielectric thickness and conductor thickness, in the unit given.
er : float
    Nominal relative permittivity of the substrate.
s : float, optional
    The gap between the facing sides of a pair's strips, in the unit given: the budget is of
    the pair.
units : {'microns', 'mils', 'mm', 'inches'}, optional
    The unit of ``w``, ``h``, ``t``, ``s``, ``length`` and of absolute tolerances on them.
opening_window : bool, optional
    The line's values not given are the opening window's (W 70, H 100, T 4, er 12.9); without
    it, ``w``, ``h``, ``t`` and ``er`` must be given.
freq, length : float, optional
    Frequency in GHz and physical length: with both, the nominal phase length is given too.
tol_w, tol_h, tol_t, tol_er, tol_s : float or str, optional
    The tolerance on each input: an amount in its unit (``0.5``) or a percentage (``'10%'``).
    Under 100 % on ``w``, ``h`` and ``s``; an input given none stays nominal; ``tol_s`` needs
    ``s``.
dist : {'normal', 'uniform'}, optional
    Normal with each tolerance as three standard deviations, or uniform over ± the tolerance.
samples : int, optional
    Monte Carlo samples, 1 to 100 000 000.
seed : int, optional
    The run's seed; one is chosen, and given in the result, when none is.
target, band : float, optional
    The impedance in ohms and ± the band about it (ohms, or a percentage such as ``'10%'``):
    the yield is the share of samples inside.
centre : bool, optional
    Also find the nominal widths that centre the spread on the target: the one of the most
    yield and the one that puts the median on the target.

Returns
-------
dict
    ``nominal``, ``sensitivities`` (largest share of the variance first), ``worst_case``,
    ``root_sum_square``, ``monte_carlo`` (mean, standard deviation, percentiles 0.135, 2.275,
    50, 97.725 and 99.865, the yield with its 95 % interval), ``centring``, the ``seed`` used,
    and ``boards``: the samples' ``w``, ``h``, ``t``, ``er`` and ``z0`` as numpy arrays (``z0``
    NaN for a sample outside the model's domain, T below 0 or er below 1). Of a pair, also
    ``quantity``, the nominal's modes and ``field_z_diff``, ``corrected``, and the boards' ``s``,
    with ``z_diff`` in place of ``z0`` (NaN too where the closed form has no sound answer).

Raises
------
TypeError
    For ``w``, ``h``, ``t`` or ``er`` left out (unless ``opening_window``), a keyword it has not,
    or a value of another type (``samples=1e4``: a count is an int).
ValueError
    For a tolerance that is negative or 100 % or more on ``w``, ``h`` or ``s``, a gap not above
    0, ``tol_s`` without ``s``, a band without a target, a value that is not finite, or samples
    out of range.

Examples
--------
>>> b = velmoka.spread(2.9, 1.6, 0.035, 4.5, units='mils', tol_w='10%', tol_h='10%', tol_er='5%',
...                    target=50, band='10%', seed=1)
>>> [s['input'] for s in b['sensitivities']]
['h', 'w', 'er']
>>> b['boards']['z0'].shape
(100000,)
>>> p = velmoka.spread(137, 100, 35, 4.0, s=150, tol_w='10%', tol_s='10%', target=100, band='10%',
...                    seed=1)
>>> p['quantity'], sorted(p['boards'])
('z_diff', ['er', 'h', 's', 't', 'w', 'z_diff'])
)")
                   .c_str());
}

}  // namespace velmoka::python
