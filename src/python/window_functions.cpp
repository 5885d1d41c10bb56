// velmoka.analysis, solve, synth_pi and synth_t: the window's four commands over arrays of
// designs, each element a fresh window with its values typed in and the button pressed once, as
// the calculator core's bulk path presses it.

#include "commands/window_commands.h"
#include "python/command_documents.h"
#include "python/rows_over_arrays.h"

#include <array>

namespace velmoka::python {

namespace {

// The returns and errors shared by the four functions' documents.
constexpr const char* kReturns =
    R"(Each value given is typed as its shortest decimal text, as velmoka-cli types its values, into
a fresh window, and the impedance entry check runs on ``z0``. Arrays broadcast together under
numpy's rules.

Returns
-------
Results
    Per box key a float64 array: the box's result where the press wrote one (as its picture
    rounds it), else the value given, else NaN (a message, a box the press did not write, a
    result that needs a value not given); per element its ``status`` (``'ok'``,
    ``'incomplete'``, ``'stopped'`` or ``'error'``), ``message``, ``box`` and ``warnings``;
    ``texts`` where asked. ``to_dict()`` and ``to_structured()`` convert it.

Raises
------
TypeError
    For a keyword that is no box key, a required value left out (unless ``opening_window``),
    or a value that is not real numbers (complex numbers, text, objects).
ValueError
    For shapes that do not broadcast together, or units other than microns and mils.

Examples
--------
)";

struct WindowFunction {
    const commands::Command& command;
    const char* summary;
    const char* examples;
};

}  // namespace

void add_window_functions(py::module_& module) {
    const std::array<WindowFunction, 4> functions = {{
        {commands::kAnalysis,
         "Analysis over arrays: from the geometry to the impedance, effective dielectric constant,\n"
         "velocity, phase length and the lumped pi and T networks, as the window's \"Analysis\" shows them.\n"
         "The phase length and the elements need the length and the frequency: without them they are NaN.",
         ">>> r = velmoka.analysis(units='mils', w=[10, 15, 20], h=8, t=1.4, er=4.3)\n"
         ">>> r.z0\narray([60.4 , 48.83, 41.16])\n>>> r.status\narray(['ok', 'ok', 'ok'], dtype='<U2')"},
        {commands::kSolve,
         "Solve Microstrip over arrays: the strip width for each wanted impedance, with the\n"
         "effective dielectric constant, velocity and, given the phase length and frequency, the\n"
         "physical length, as the window shows them.",
         ">>> r = velmoka.solve(units='mils', z0=[50, 75, 200], h=8, t=1.4, er=4.3)\n>>> r.w\n"
         "array([14.38,  6.09,   nan])"},
        {commands::kSynthPi,
         "Synth.Pi over arrays: the line section whose pi network has the series inductance lpi\n"
         "(nH), with its width, lengths and the other elements of both networks.",
         ">>> r = velmoka.synth_pi(lpi=5, z0=50, freq=1, h=100, t=4, er=12.9)\n"
         ">>> float(r.cpi), float(r.lt), float(r.ct)\n(1.1249, 2.8122, 2.0)"},
        {commands::kSynthT,
         "Synth. T over arrays: the line section whose T network has the shunt capacitance ct\n"
         "(pF), with its width, lengths and the other elements of both networks.",
         ">>> r = velmoka.synth_t(units='mils', er_eff=9.354, z0=139.28, opening_window=True)\n"
         ">>> str(r.status), str(r.message), str(r.box)\n('incomplete', 'Too Small', 'w')"},
    }};
    for (const WindowFunction& function : functions) {
        define_rows_function(
            module, function.command,
            document_of(function.command, function.summary, std::string(kReturns) + function.examples + "\n"));
    }
}

}  // namespace velmoka::python
