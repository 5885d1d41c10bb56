// velmoka.pair, field_pair, pair_width and pair_gap: the edge-coupled pair over arrays, from the
// closed form and from the field, and the width or the gap for a wanted differential impedance.

#include "commands/pair_commands.h"
#include "python/command_documents.h"
#include "python/rows_over_arrays.h"

#include <array>

namespace velmoka::python {

namespace {

constexpr const char* kReturns = R"(Arrays broadcast together under numpy's rules; the lengths are in the unit given.

Returns
-------
Results
    Per key a float64 array: the value given, or the result (NaN where there is none): the
    modes' impedances ``z_even``, ``z_odd`` (ohms) and effective dielectric constants
    ``er_eff_even``, ``er_eff_odd``, the differential impedance ``z_diff`` = 2·z_odd, the common
    impedance ``z_common`` = z_even/2 and the ``coupling`` coefficient; per element its
    ``status``, ``message``, ``box`` (the key concerned) and ``warnings``.

Raises
------
TypeError
    For a keyword it has not, a value left out, or a value that is not real numbers.
ValueError
    For shapes that do not broadcast together, or units it does not know. A width, gap or
    height of 0 or below, T below 0, er below 1 or a value that is not finite is that element's
    error, never an exception for the whole array.

Examples
--------
)";

struct PairFunction {
    const commands::Command& command;
    const char* summary;
    const char* examples;
};

}  // namespace

void add_pair_functions(py::module_& module) {
    const std::array<PairFunction, 4> functions = {{
        {commands::kPairFormula,
         "The closed form of edge-coupled pairs: two identical strips of width w, their facing sides a\n"
         "gap s apart, of thickness t, on a dielectric of height h and permittivity er. Kirschning and\n"
         "Jansen's static modes, the copper by Jansen's widening of each mode's strips: fast (a million\n"
         "pairs in a fraction of a second), but on thin dielectrics with thick copper off by up to tens\n"
         "of per cent in the odd mode (docs/accuracy.md): ask ``field_pair`` there. Beyond W/H and S/H\n"
         "0.1 to 10 or er above 18 the formulas still answer, with a warning.",
         ">>> r = velmoka.pair(0.3, 0.2, 0.2, 0, 4.4, units='mm')\n"
         ">>> round(float(r.z_even), 3), round(float(r.z_odd), 3)\n(64.773, 49.753)"},
        {commands::kFieldPair,
         "The quasi-static field solution of edge-coupled pairs: both modes from the capacitances of\n"
         "one strip with the dielectric and in air, the plane between the strips a magnetic wall for\n"
         "the even mode and an electric wall for the odd, each value estimated to within 0.01 %\n"
         "(``*_accuracy``). W/H and S/H 0.05 to 20, T/H 0 to 1 and er 1 to 100 are solved; beyond, the\n"
         "element stops with the solver's words. A pair takes some milliseconds: the pairs are shared\n"
         "out over every core with the GIL released.",
         ">>> r = velmoka.field_pair(0.3, 0.2, 0.2, 0, 4.4, units='mm')\n"
         ">>> round(float(r.z_even), 2), round(float(r.z_odd), 2)\n(64.6, 49.8)"},
        {commands::kPairWidth,
         "The width of edge-coupled pairs for a wanted differential impedance z_diff at a gap s, within\n"
         "0.05 ohm: on the field solution (``solver='field'``, the default), which starts from the\n"
         "closed form's answer so that a few field solutions suffice, or on the closed form\n"
         "(``solver='formula'``). A target out of reach stops, naming the bound it passed (W/H 0.05 or\n"
         "20), and gives no width.",
         ">>> r = velmoka.pair_width(100, 0.1, 0.1, 0.035, 4.3, units='mm')\n>>> round(float(r.w), 4)\n0.1048"},
        {commands::kPairGap,
         "The gap of edge-coupled pairs for a wanted differential impedance z_diff at a width w, within\n"
         "0.05 ohm, on the field solution or the closed form, as ``pair_width`` finds the width (S/H\n"
         "0.05 to 20).",
         ">>> r = velmoka.pair_gap(90, 0.15, 0.1, 0.035, 4.3, units='mm', solver='formula')\n"
         ">>> round(float(r.s), 4)\n0.0955"},
    }};
    for (const PairFunction& function : functions) {
        define_rows_function(
            module, function.command,
            document_of(function.command, function.summary, std::string(kReturns) + function.examples + "\n"));
    }
}

}  // namespace velmoka::python
