// velmoka.field_line: the quasi-static field solution of microstrip lines over arrays, a line at
// a time on every core with the GIL released.

#include "field_solver/field_line.h"
#include "common/in_parallel.h"
#include "python/broadcast.h"
#include "python/numpy_text.h"

#include <pybind11/pybind11.h>

#include <algorithm>
#include <vector>

namespace velmoka::python {

using namespace pybind11::literals;

namespace {

// A line takes milliseconds: each core takes the next line as it comes free.
constexpr std::size_t kLinesPerPiece = 1;

py::tuple field_line(const py::object& w, const py::object& h, const py::object& t, const py::object& er,
                     bool return_status) {
    const Broadcast broadcast({{"w", w}, {"h", h}, {"t", t}, {"er", er}});
    std::array<py::array_t<double>, 4> columns = {doubles_shaped(broadcast), doubles_shaped(broadcast),
                                                  doubles_shaped(broadcast), doubles_shaped(broadcast)};
    std::array<double*, 4> out;
    std::transform(columns.begin(), columns.end(), out.begin(), [](auto& column) { return column.mutable_data(); });
    std::vector<FieldStatus> statuses(broadcast.size());
    {
        py::gil_scoped_release released;
        in_parallel(broadcast.size(), kLinesPerPiece, [&](std::size_t begin, std::size_t end) {
            Broadcast::Walk walk(broadcast, begin);
            for (std::size_t index = begin; index < end; ++index, walk.next()) {
                const FieldLine line = velmoka::field_line(walk.value(0), walk.value(1), walk.value(2), walk.value(3));
                out[0][index] = line.z0;
                out[1][index] = line.e_eff;
                out[2][index] = line.z0_accuracy;
                out[3][index] = line.e_eff_accuracy;
                statuses[index] = line.status;
            }
        });
    }
    py::list answers;
    for (const py::array_t<double>& column : columns) {
        answers.append(as_given(broadcast.all_scalars(), column));
    }
    if (return_status) {
        std::size_t width = 0;
        for (const FieldStatus status : statuses) {
            width = std::max(width, field_status_text(status).size());
        }
        py::array texts = texts_shaped(broadcast.shape(), width);
        const TextColumn column(texts);
        for (std::size_t index = 0; index < statuses.size(); ++index) {
            column.write(index, field_status_text(statuses[index]));
        }
        answers.append(as_given(broadcast.all_scalars(), texts));
    }
    return py::tuple(answers);
}

}  // namespace

void add_field_line(py::module_& module) {
    module.def("field_line", &field_line, "w"_a, "h"_a, "t"_a, "er"_a, py::kw_only(), "return_status"_a = false,
               R"(Quasi-static field solution of microstrip lines, to check the line model against.

The strip, of width ``w`` and thickness ``t``, on a dielectric slab of thickness ``h`` and
relative permittivity ``er`` over an infinite ground plane, open above: boundary elements on the
strip's surface, three or more levels of mesh extrapolated to zero panel size, each answer
estimated to within 0.01 % in Z0 and in the effective dielectric constant. A line takes a few
milliseconds (some tens of milliseconds for the hardest): the lines are shared out over every
core, and the GIL is released meanwhile.

Parameters
----------
w, h, t : float or array_like
    Strip width, dielectric thickness and conductor thickness, in any one length unit. A
    thickness of 0 is the strip of no thickness; nothing is raised to a floor.
er : float or array_like
    Relative permittivity of the substrate.
return_status : bool, optional
    Also return the status of each element, as a fixed-width text array.

Returns
-------
z0, er_eff : ndarray or float
    Characteristic impedance in ohms and effective dielectric constant, of the broadcast
    shape; NaN where the solution gives no checked answer.
z0_accuracy, er_eff_accuracy : ndarray or float
    Estimated bound of each one's relative error (1e-4 is 0.01 %); NaN where an input is out
    of range. Where the accuracy is not reached, the estimate the finest mesh came to.
status : ndarray of str or str
    Only with ``return_status``: ``'ok'``, ``'width out of range'`` (W/H not within 0.01 to
    100), ``'height out of range'`` (H not a positive finite length), ``'thickness out of
    range'`` (T/H not within 0 to 1), ``'permittivity out of range'`` (er not within 1 to 100)
    or ``'accuracy not reached'``.

Examples
--------
>>> z0, er_eff, z0_accuracy, er_eff_accuracy = velmoka.field_line(70, 100, 4, 12.9)
>>> print(f"{z0:.2f} ohms, er_eff {er_eff:.3f}; within 0.01 %: {max(z0_accuracy, er_eff_accuracy) < 1e-4}")
49.87 ohms, er_eff 8.041; within 0.01 %: True
>>> velmoka.field_line([0.5, 1, 500], 1, 0, 4.5, return_status=True)[4]
array(['ok', 'ok', 'width out of range'], dtype='<U18')
)");
}

}  // namespace velmoka::python
