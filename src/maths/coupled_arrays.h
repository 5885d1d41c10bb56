#pragma once

#include <cstddef>

// The closed-form pair over arrays of pairs, on every core: each pair's W/H u, S/H g, T/H t and
// substrate permittivity er in, its modes out, as coupled_microstrip gives them to the last bit.
// Each input holds n elements and each output receives n; inputs and outputs are contiguous and
// must not overlap; any n is fine, 0 included. Safe to call from several threads at once on
// different arrays.
namespace velmoka {

// NaN in all four outputs of a pair that is no pair (u or g not positive and finite, t below 0,
// er below 1, any input not finite) or has no sound answer; a pair beyond the fitted range gets
// its modes.
void coupled_microstrips(std::size_t n, const double* u, const double* g, const double* t, const double* er,
                         double* z_even, double* z_odd, double* e_eff_even, double* e_eff_odd);

}  // namespace velmoka
