// The Python module velmoka: a face of the calculator core for Python and numpy.

#include <pybind11/pybind11.h>

namespace velmoka::python {

namespace py = pybind11;

void add_calculator(py::module_& module);        // calculator_class.cpp
void add_results(py::module_& module);           // results.cpp
void add_window_functions(py::module_& module);  // window_functions.cpp
void add_pair_functions(py::module_& module);
void add_line_functions(py::module_& module);  // line_functions.cpp    // pair_functions.cpp
void add_line_model(py::module_& module);      // line_model.cpp
void add_field_line(py::module_& module);      // field_line.cpp
void add_spread(py::module_& module);          // spread_function.cpp

}  // namespace velmoka::python

PYBIND11_MODULE(velmoka, module) {
    module.doc() = R"(The Velmoka microstrip calculator for Python and numpy.

- ``Calculator``: the window's calculator, one edit and one press at a time, with its exact texts.
- ``analysis``, ``solve``, ``synth_pi``, ``synth_t``: the window's four commands over arrays of
  designs, broadcast under numpy's rules; each element is what a fresh window shows after its
  values are typed in and the button is pressed once.
- ``microstrip_line``, ``strip_width``: the line model and the width search at full precision,
  over arrays.
- ``field_line``: the quasi-static field solution of the strip, to check the line model against.
- ``spread``: the tolerance budget of a line, or of a pair's differential impedance:
  sensitivities, worst case, Monte Carlo, yield, centring.

Boxes are named as velmoka-cli names them: ``length``, ``w``, ``h``, ``t``, ``er``, ``freq``,
``z0``, ``er_eff``, ``vel``, ``phase``, ``lpi``, ``cpi``, ``lt``, ``ct``. A value the results need
must be given, as velmoka-cli asks; ``opening_window=True`` takes the opening window's for the rest.
The line model is quasi-static: no dispersion, no loss.)";
    module.attr("__version__") = VELMOKA_VERSION;
    velmoka::python::add_calculator(module);
    velmoka::python::add_results(module);
    velmoka::python::add_window_functions(module);
    velmoka::python::add_pair_functions(module);
    velmoka::python::add_line_functions(module);
    velmoka::python::add_line_model(module);
    velmoka::python::add_field_line(module);
    velmoka::python::add_spread(module);
}
