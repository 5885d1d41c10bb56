#include "maths/coupled_arrays.h"

#include "common/in_parallel.h"
#include "maths/coupled_microstrip.h"

namespace velmoka {

namespace {

// Pairs a thread takes at a time: enough that handing out pieces costs nothing beside them.
constexpr std::size_t kPairsPerPiece = 4096;

}  // namespace

void coupled_microstrips(std::size_t n, const double* u, const double* g, const double* t, const double* er,
                         double* z_even, double* z_odd, double* e_eff_even, double* e_eff_odd) {
    in_parallel(n, kPairsPerPiece, [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            const PairModes modes = coupled_microstrip(u[i], g[i], t[i], er[i]).modes;
            z_even[i] = modes.z_even;
            z_odd[i] = modes.z_odd;
            e_eff_even[i] = modes.e_eff_even;
            e_eff_odd[i] = modes.e_eff_odd;
        }
    });
}

}  // namespace velmoka
