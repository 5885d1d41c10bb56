// velmoka.line, line_width and substrates: the line at its working frequency over arrays, the
// width for an impedance at a frequency, and the substrates known by name.

#include "commands/line_commands.h"
#include "maths/substrates.h"
#include "python/command_documents.h"
#include "python/rows_over_arrays.h"

#include <pybind11/stl.h>

#include <array>

namespace velmoka::python {

using namespace pybind11::literals;

namespace {

constexpr const char* kReturns =
    R"(The arguments broadcast together under numpy's rules: a frequency axis, a width axis, any mix.
The lengths are in the unit given (the roughness and the nodules' radius too), frequencies in
GHz. With no ``er`` or ``tand``, the ``substrate``'s; with the wideband dielectric (the default)
``er`` and ``tand`` are its values at ``f_datasheet`` (1 GHz unless the substrate's data sheet gives
another), and the causal model spreads them over frequency.

Returns
-------
Results
    Per key a float64 array, NaN where there is no answer: the values given; ``z0`` (ohms) and
    ``er_eff`` at the frequency; the losses ``alpha_c``, ``alpha_d`` and ``alpha`` (dB/m) and,
    with a ``length``, ``loss`` (dB) over it; ``delay`` (ps/mm); the guided ``wavelength`` and
    the ``skin_depth`` (the length unit); the line's ``r`` (ohms/m), ``l`` (nH/m), ``g`` (S/m) and
    ``c`` (pF/m); the dielectric's ``er_f`` and ``tand_f`` at the frequency; with a length, the
    section's ``s11_db``, ``s11_deg``, ``s21_db`` and ``s21_deg`` between ports of ``z_ref``. Per
    element its ``status``, ``message``, ``box`` and ``warnings`` (a formula used beyond its
    published range: the answer is given, and says so). ``network()`` gives the section as a
    scikit-rf ``Network`` over the frequencies, where scikit-rf is installed.

Raises
------
TypeError
    For a keyword it has not, a value left out, or a value that is not real numbers.
ValueError
    For shapes that do not broadcast together, units or a substrate it does not know. A
    negative or non-finite frequency, tan δ, conductivity or roughness, a thickness or width not
    above 0, er below 1, or er and tand together that no dielectric has (the wideband fit's
    permittivity at high frequencies below 1) is that element's error.

Examples
--------
)";

py::list substrates() {
    py::list listed;
    for (const Substrate& substrate : kSubstrates) {
        listed.append(py::dict("name"_a = std::string(substrate.name),
                               "description"_a = std::string(substrate.description), "er"_a = substrate.dielectric.er,
                               "tand"_a = substrate.dielectric.loss_tangent,
                               "f_datasheet"_a = substrate.dielectric.frequency / kHertzPerGigahertz));
    }
    return listed;
}

}  // namespace

void add_line_functions(py::module_& module) {
    define_rows_function(
        module, commands::kLine,
        document_of(commands::kLine,
                    "A microstrip at its working frequency, with its losses: Kirschning and Jansen's dispersion of\n"
                    "e_eff, Jansen and Kirschning's of Z0 on the calculator's static model, the dielectric by the\n"
                    "causal wideband model or held constant, the conductor's skin effect with Hammerstad and\n"
                    "Jensen's current distribution, its roughness by Hammerstad and Bekkadal or Huray, and the DC\n"
                    "resistance at low frequency. At 0 GHz: the static line with its DC resistance.",
                    std::string(kReturns) +
                        ">>> r = velmoka.line(3, 1.55, 0.035, 4.413, [1, 10], units='mm', tand=0.0182, length=25)\n"
                        ">>> r.z0.round(2), r.alpha.round(2)\n(array([49.17, 52.27]), array([ 3.05, 30.56]))\n"));
    define_rows_function(
        module, commands::kLineWidth,
        document_of(commands::kLineWidth,
                    "The strip width whose impedance at the frequency is z0: a bracketed search over W/H 0.01 to\n"
                    "100 on the line at frequency. Out of reach, it stops, naming the bound it passed.",
                    std::string(kReturns) +
                        ">>> r = velmoka.line_width(50, 1.55, 0.035, None, 10, units='mm', substrate='fr4')\n"
                        ">>> round(float(r.w), 3)\n3.245\n"));
    module.def("substrates", &substrates, R"(The substrates known by name, for ``substrate=``: each a dict of its
``name``, ``description``, ``er`` and ``tand`` at ``f_datasheet`` (GHz), as its data sheet gives them.

Examples
--------
>>> [s['name'] for s in velmoka.substrates()][:3]
['fr4', 'ro4350b', 'ro4003c']
)");
}

}  // namespace velmoka::python
