// velmoka.spread: the tolerance budget of a line for Python, its figures as velmoka-cli's JSON
// gives them and its samples as numpy arrays.

#include "python/faces.h"
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

double finite(const std::string& name, const py::handle& value) {
    const double number = value.cast<double>();
    if (!std::isfinite(number)) {
        throw py::value_error(name + ": not a finite number");
    }
    return number;
}

// A numpy array that takes over a column's memory rather than copying it.
py::array_t<double> array_of(spread::SampleColumn&& column) {
    auto* held = new spread::SampleColumn(std::move(column));
    const py::capsule owner(held, [](void* vector) { delete static_cast<spread::SampleColumn*>(vector); });
    return py::array_t<double>(static_cast<py::ssize_t>(held->size()), held->data(), owner);
}

// A tolerance or a band as given: a number in the input's unit, or a text "10%".
spread::Tolerance tolerance_of(const std::string& name, const py::object& given) {
    if (given.is_none()) {
        return {};
    }
    if (py::isinstance<py::str>(given)) {
        std::string text = given.cast<std::string>();
        if (!text.ends_with('%')) {
            throw py::value_error(name + ": '" + text + "' is neither a number nor a percentage such as '10%'");
        }
        text.pop_back();
        return {finite(name, py::float_(py::str(text))), true};
    }
    return {finite(name, given), false};
}

py::dict spread_of(double w, double h, double t, double er, const std::string& units, const py::object& freq,
                   const py::object& length, const py::object& tol_w, const py::object& tol_h, const py::object& tol_t,
                   const py::object& tol_er, const std::string& distribution, std::uint64_t samples,
                   const py::object& seed, const py::object& target, const py::object& band, bool centre) {
    spread::Request request;
    request.nominal.values = {w, h, t, er};
    const std::array<std::string, spread::kInputs> names = {"w", "h", "t", "er"};
    for (std::size_t input = 0; input < spread::kInputs; ++input) {
        finite(names[input], py::float_(request.nominal.values[input]));
    }
    if (!(w > 0.0 && h > 0.0 && t >= 0.0 && er >= 1.0)) {
        throw py::value_error("the line needs w and h above 0, t at least 0 and er at least 1");
    }
    request.metres_per_unit = metres_per(length_unit_of(units_called(units)));
    if (!length.is_none()) {
        request.length = finite("length", length);
        request.freq = freq.is_none() ? 1.0 : finite("freq", freq);
    }
    const std::array<const py::object*, spread::kInputs> tolerances = {&tol_w, &tol_h, &tol_t, &tol_er};
    for (std::size_t input = 0; input < spread::kInputs; ++input) {
        request.tolerances[input] = tolerance_of("tol_" + names[input], *tolerances[input]);
        if (const std::optional<std::string> fault = spread::fault_in(
                static_cast<spread::Input>(input), request.tolerances[input], request.nominal.values[input])) {
            throw py::value_error("tol_" + names[input] + ": " + *fault);
        }
    }
    if (distribution != "normal" && distribution != "uniform") {
        throw py::value_error("dist: '" + distribution + "' is neither 'normal' nor 'uniform'");
    }
    request.distribution = distribution == "uniform" ? spread::Distribution::uniform : spread::Distribution::normal;
    if (samples == 0 || samples > spread::kMostSamples) {
        throw py::value_error("samples: from 1 to 100000000");
    }
    request.samples = samples;
    request.seed = seed.is_none() ? spread::fresh_seed() : seed.cast<std::uint64_t>();
    if (target.is_none() != band.is_none()) {
        throw py::value_error(target.is_none() ? "band: needs a target" : "target: needs a band");
    }
    if (centre && target.is_none()) {
        throw py::value_error("centre: needs a target and a band");
    }
    if (!target.is_none()) {
        request.target = finite("target", target);
        request.band = tolerance_of("band", band);
        if (!(*request.target > 0.0) || !(request.band->amount > 0.0)) {
            throw py::value_error("target, band: an impedance and a band above 0");
        }
    }
    request.centre = centre;
    request.keep_samples = true;

    std::optional<spread::Report> report;
    {
        py::gil_scoped_release released;
        report = spread::budget(request);
    }
    py::dict result = py::module_::import("json").attr("loads")(spread::report_json(request, *report, units));
    py::dict boards;
    for (std::size_t input = 0; input < spread::kInputs; ++input) {
        boards[py::str(names[input])] = array_of(std::move(report->sample_lines[input]));
    }
    boards["z0"] = array_of(std::move(report->sample_z0));
    result["boards"] = boards;
    return result;
}
}  // namespace

void add_spread(py::module_& module) {
    module.def("spread", &spread_of, "w"_a, "h"_a, "t"_a, "er"_a, py::kw_only(), "units"_a = "microns",
               "freq"_a = py::none(), "length"_a = py::none(), "tol_w"_a = py::none(), "tol_h"_a = py::none(),
               "tol_t"_a = py::none(), "tol_er"_a = py::none(), "dist"_a = "normal", "samples"_a = 100'000,
               "seed"_a = py::none(), "target"_a = py::none(), "band"_a = py::none(), "centre"_a = false,
               R"(The tolerance budget of a line: how far its impedance strays when boards are made.

From the line model at full precision (quasi-static: no dispersion, no loss). The same figures
as ``velmoka-cli spread --format json``, with the same keys, and the samples themselves; the same
seed gives the same samples here and there, on any number of cores.

Parameters
----------
w, h, t : float
    Nominal strip width, dielectric thickness and conductor thickness, in the unit given.
er : float
    Nominal relative permittivity of the substrate.
units : {'microns', 'mils'}, optional
    The unit of ``w``, ``h``, ``t``, ``length`` and of absolute tolerances on them.
freq, length : float, optional
    Frequency in GHz (1 if not given) and physical length: with a length, the nominal phase
    length is given too.
tol_w, tol_h, tol_t, tol_er : float or str, optional
    The tolerance on each input: an amount in its unit (``0.5``) or a percentage (``'10%'``).
    Under 100 % on ``w`` and ``h``; an input given none stays nominal.
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
    NaN for a sample outside the model's domain, T below 0 or er below 1).

Raises
------
ValueError
    For a tolerance that is negative or 100 % or more on ``w`` or ``h``, a band without a
    target, a value that is not finite, or samples out of range.

Examples
--------
>>> b = velmoka.spread(2.9, 1.6, 0.035, 4.5, units='mils', tol_w='10%', tol_h='10%', tol_er='5%',
...                    target=50, band='10%', seed=1)
>>> [s['input'] for s in b['sensitivities']]
['h', 'w', 'er']
>>> b['boards']['z0'].shape
(100000,)
)");
}

}  // namespace velmoka::python
