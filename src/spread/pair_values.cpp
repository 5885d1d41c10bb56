#include "spread/pair_values.h"

#include "maths/coupled_microstrip.h"
#include "maths/lines_over_arrays.h"

#include <array>

namespace velmoka::spread {

PairModes pair_modes(const Line& pair) {
    return coupled_microstrip(pair[Input::w], pair[Input::s], pair[Input::h], pair[Input::t], pair[Input::er]).modes;
}

void differential_impedances(std::size_t count, const double* u, const double* g, const double* t, const double* er,
                             double* z_diff) {
    std::array<double, kLineBlock> z_even;
    std::array<double, kLineBlock> e_eff_even;
    std::array<double, kLineBlock> e_eff_odd;
    coupled_pairs(count, u, g, t, er, {z_even.data(), z_diff, e_eff_even.data(), e_eff_odd.data()});
    for (std::size_t index = 0; index < count; ++index) {
        z_diff[index] = 2.0 * z_diff[index];  // 2·z_odd, as differential_impedance gives it
    }
}

}  // namespace velmoka::spread
