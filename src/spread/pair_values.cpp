#include "spread/pair_values.h"

#include "maths/coupled_microstrip.h"

namespace velmoka::spread {

PairModes pair_modes(const Line& pair) {
    return coupled_microstrip(pair[Input::w], pair[Input::s], pair[Input::h], pair[Input::t], pair[Input::er]).modes;
}

void differential_impedances(std::size_t count, const double* u, const double* g, const double* t, const double* er,
                             double* z_diff) {
    for (std::size_t index = 0; index < count; ++index) {
        z_diff[index] = differential_impedance(coupled_microstrip(u[index], g[index], t[index], er[index]).modes);
    }
}

}  // namespace velmoka::spread
