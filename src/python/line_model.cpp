// velmoka.microstrip_line and velmoka.strip_width: the line model and the width search at full
// precision over arrays, on the SIMD kernels of the maths layer, a block at a time on every core;
// velmoka.instruction_set: which kernels those are.

#include "common/in_parallel.h"
#include "maths/lines_over_arrays.h"
#include "python/broadcast.h"

#include <pybind11/pybind11.h>

#include <array>
#include <string>

namespace velmoka::python {

using namespace pybind11::literals;

namespace {

// Fills blocks of the kernels' three inputs from the broadcast arguments, runs fill and kernel
// over every element, a block at a time on every core.
template <typename Fill, typename Kernel>
void over_blocks(const Broadcast& broadcast, const Fill& fill, const Kernel& kernel) {
    in_parallel(broadcast.size(), kLineBlock, [&](std::size_t begin, std::size_t end) {
        std::array<std::array<double, kLineBlock>, 3> inputs;
        Broadcast::Walk walk(broadcast, begin);
        for (std::size_t index = begin; index < end; ++index, walk.next()) {
            fill(walk, inputs, index - begin);
        }
        kernel(begin, end - begin, inputs);
    });
}

py::tuple microstrip_line(const py::object& w, const py::object& h, const py::object& t, const py::object& er) {
    const Broadcast broadcast({{"w", w}, {"h", h}, {"t", t}, {"er", er}});
    py::array_t<double> z0 = doubles_shaped(broadcast);
    py::array_t<double> e_eff = doubles_shaped(broadcast);
    double* const z0_out = z0.mutable_data();
    double* const e_eff_out = e_eff.mutable_data();
    {
        py::gil_scoped_release released;
        over_blocks(
            broadcast,
            [](const Broadcast::Walk& walk, auto& inputs, std::size_t at) {
                const double thickness = walk.value(1);
                inputs[0][at] = ratio_to(walk.value(0), thickness);
                inputs[1][at] = ratio_to(walk.value(2), thickness);
                inputs[2][at] = walk.value(3);
            },
            [&](std::size_t first, std::size_t count, const auto& inputs) {
                microstrip_lines(count, inputs[0].data(), inputs[1].data(), inputs[2].data(), z0_out + first,
                                 e_eff_out + first);
            });
    }
    return py::make_tuple(as_given(broadcast.all_scalars(), z0), as_given(broadcast.all_scalars(), e_eff));
}

py::object strip_width(const py::object& z0, const py::object& h, const py::object& t, const py::object& er) {
    const Broadcast broadcast({{"z0", z0}, {"h", h}, {"t", t}, {"er", er}});
    py::array_t<double> w = doubles_shaped(broadcast);
    double* const w_out = w.mutable_data();
    {
        py::gil_scoped_release released;
        over_blocks(
            broadcast,
            [](const Broadcast::Walk& walk, auto& inputs, std::size_t at) {
                inputs[0][at] = walk.value(0);
                inputs[1][at] = ratio_to(walk.value(2), walk.value(1));
                inputs[2][at] = walk.value(3);
            },
            [&](std::size_t first, std::size_t count, const auto& inputs) {
                strip_width_ratios(count, inputs[0].data(), inputs[1].data(), inputs[2].data(), w_out + first);
            });
        // The ratios found, times the thickness of each element: W in the unit of H.
        in_parallel(broadcast.size(), kLineBlock, [&](std::size_t begin, std::size_t end) {
            Broadcast::Walk walk(broadcast, begin);
            for (std::size_t index = begin; index < end; ++index, walk.next()) {
                w_out[index] *= walk.value(1);
            }
        });
    }
    return as_given(broadcast.all_scalars(), w);
}

}  // namespace

void add_line_model(py::module_& module) {
    module.def("microstrip_line", &microstrip_line, "w"_a, "h"_a, "t"_a, "er"_a,
               R"(Impedance and effective dielectric constant of microstrip lines, at full precision.

The quasi-static line model the window's commands use, in doubles, with no picture's rounding
and none of the window's repairs: Hammerstad and Jensen's form of the static model with its
strip-thickness correction as this calculator has always computed it (its ten-digit pi among
them), which differs from the textbook form by up to a few per cent on thick strips. No
dispersion, no loss. How far it lies from published values and from the field solution
(``field_line``): docs/accuracy.md. It runs on SIMD lanes where the processor has them: within
1e-13 of the window's own model over W/H 1e-5 to 1000.

Parameters
----------
w, h, t : float or array_like
    Strip width, dielectric thickness and conductor thickness, in any one length unit. A
    thickness ``t`` of 0 is the zero-thickness strip: the model's thickness term tends to 0 with
    T, and that limit is taken (the window's commands instead raise T/H to 0.001).
er : float or array_like
    Relative permittivity of the substrate, at least 1.

Returns
-------
z0, er_eff : ndarray or float
    Characteristic impedance in ohms and effective dielectric constant, of the broadcast shape;
    NaN where an input is NaN, ``w`` or ``h`` is not positive, ``h`` is infinite, ``t`` is
    negative or ``er`` is below 1.

Examples
--------
>>> velmoka.microstrip_line(70, 100, 4, 12.9)
(49.8935172..., 8.0126344...)
>>> z0, er_eff = velmoka.microstrip_line(np.linspace(0.1, 5, 50), 1.6, 0.035, 4.5)
)");
    module.def(
        "instruction_set", [] { return std::string(line_arrays_instruction_set()); },
        R"(The SIMD lanes the line model over arrays runs on here: ``"avx512"``, ``"avx2"`` or ``"scalar"``.

They serve ``microstrip_line``, ``strip_width``, ``line`` and the lines of ``spread``: the
fastest the processor runs (AVX-512, or AVX2 with FMA), unless the environment variable
``VELMOKA_LANES`` names others, ``avx512``, ``avx2`` or ``scalar``, as when the AVX2 lanes are
to be measured on a processor with AVX-512. It is read once, when the lanes are first chosen
(by this function or the first array worked out), so set it before. Lanes the processor cannot
run, or a name of none, leave the fastest, with a line on stderr that says so. ``spread``'s
random draws take the lanes it names too, and give the same numbers on all of them.

Examples
--------
>>> velmoka.instruction_set() in ("avx512", "avx2", "scalar")
True
)");
    module.def("strip_width", &strip_width, "z0"_a, "h"_a, "t"_a, "er"_a,
               R"(Strip width for a wanted impedance: the window's width search, over arrays.

The search of Solve Microstrip (a closed-form estimate, then Newton passes on the line model
until the model lies within 0.01 ohm of the wanted impedance), at full precision and with no
picture's rounding: the width it finds, not the exact root.

Parameters
----------
z0 : float or array_like
    Wanted impedance, ohms.
h, t : float or array_like
    Dielectric and conductor thickness, in any one length unit; ``t`` of 0 is the
    zero-thickness strip.
er : float or array_like
    Relative permittivity of the substrate, at least 1.

Returns
-------
w : ndarray or float
    Strip width in the unit of ``h``; NaN where the search finds none (an impedance above
    the narrowest strip's, W/H 0.01), for ``z0`` below 0.1 ohm, and where an input is NaN,
    infinite or out of its range.

Examples
--------
>>> velmoka.strip_width(50, 1.6, 0.035, 4.5)
2.9690348...
)");
}

}  // namespace velmoka::python
